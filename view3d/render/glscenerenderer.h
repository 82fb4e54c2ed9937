#pragma once
// Draws a GridScene with OpenGL 3.3: each list lives in GPU buffers uploaded
// when the scene rebuilds it, and a paint only replays them. All cells of a
// list are one instanced draw of a unit box, so the GPU keeps one CellBox
// (32 bytes) per drawn cell. Every call needs the caller's context current.
#include "view3d/scene/camera.h"
#include "view3d/scene/gridscene.h"

#include <QColor>
#include <QImage>
#include <QOpenGLExtraFunctions>
#include <QString>
#include <array>
#include <memory>

class QOpenGLShaderProgram;
class QOpenGLTexture;

namespace korva {

class GlSceneRenderer : protected QOpenGLExtraFunctions {
public:
    GlSceneRenderer();
    ~GlSceneRenderer();
    GlSceneRenderer(const GlSceneRenderer&) = delete;
    GlSceneRenderer& operator=(const GlSceneRenderer&) = delete;

    // Once, with a context current: false and a message when the context
    // cannot run the scene (older than OpenGL 3.3, shaders that do not build).
    bool Initialise(QString* error);
    bool Initialised() const { return ready; }
    // Uploads the lists the scene rebuilt since the last upload.
    void Upload(GridScene& scene);
    // The background texture, from a decoded image (a null image removes it).
    void SetBackgroundImage(const QImage& image);
    // Clears to clearColour and draws: background, grid lines, then (unless
    // the camera is rotating) markers and cell values.
    void Draw(const GridScene& scene, int width, int height, const QColor& clearColour);
    // Frees every GPU object; the context the renderer was initialised in must be current.
    void Release();
    // Bytes of GPU buffers now held by the cell value list (for the benchmark).
    std::size_t CellValueBytes() const;

private:
    struct BoxBuffer {
        unsigned vao = 0, instances = 0;
        int count = 0;
        bool opaque = false; // every box has alpha 1
        std::size_t bytes = 0;
        // The boxes in sight of the camera of the last draw, when far fewer
        // than all (sightCount -1: all are drawn).
        unsigned sightVao = 0, sightInstances = 0;
        int sightCount = -1;
        std::size_t sightBytes = 0;
        bool sightValid = false;
        std::array<double, 4> sightEye{};
        std::array<double, 2> sightNarrowest{};
    };
    struct StripBuffer {
        unsigned vao = 0, vertices = 0;
        std::vector<int> starts, counts;
        bool segments = false; // every strip two vertices, one after another
        std::size_t bytes = 0;
    };
    struct ListBuffers {
        BoxBuffer boxes;
        StripBuffer meshes;
    };
    void UploadBoxes(BoxBuffer& buffer, const std::vector<CellBox>& boxes);
    void UploadStrips(StripBuffer& buffer, const StripList& strips);
    // A vertex array over a new instance buffer holding boxes; returns its bytes.
    std::size_t BoxArray(unsigned& vao, unsigned& instances, const std::vector<CellBox>& boxes);
    void FindBoxesInSight(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                          const std::array<double, 4>& eye, const std::array<double, 2>& narrowest);
    void DrawBoxes(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                   const std::array<double, 4>& eye, const std::array<double, 2>& narrowest);
    void FreeSight(BoxBuffer& buffer);
    void DrawStrips(const StripBuffer& buffer, unsigned mode);
    void FreeBoxes(BoxBuffer& buffer);
    void FreeStrips(StripBuffer& buffer);

    using MultiDrawArrays = void (*)(GLenum, const GLint*, const GLsizei*, GLsizei);
    MultiDrawArrays multiDrawArrays = nullptr;
    bool ready = false;
    std::unique_ptr<QOpenGLShaderProgram> boxProgram, stripProgram, textureProgram;
    unsigned unitBox = 0, unitBoxIndices = 0; // the unit cube's six faces as triangles
    ListBuffers cellValues, markers;
    StripBuffer gridLines;
    unsigned backgroundVao = 0, backgroundBuffer = 0;
    bool backgroundQuad = false;
    std::unique_ptr<QOpenGLTexture> backgroundTexture;
};

} // namespace korva
