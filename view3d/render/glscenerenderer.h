#pragma once
// Draws a GridScene with OpenGL 3.3: each list lives in GPU buffers uploaded
// when the scene rebuilds it, and a paint only replays them. A list's boxes
// are a BoxTable (16 bytes a box); each camera gets the list of faces it can
// see (4 bytes a face), drawn in one pass. Every call needs the caller's
// context current.
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

// A list's boxes as the GPU keeps them: four 32-bit values a box (where its
// column's, row's and layer's bounds sit in edges, then its colour) and the
// (lower, upper) bounds of every column, then row, then layer.
struct BoxTable {
    std::vector<uint32_t> texels;
    std::vector<float> edges;
    // False (and empty) when a box is not the cell cells[n] names of a grid
    // rows x columns x layers, or two boxes of one column (row, layer)
    // disagree on its bounds.
    bool Build(const CellList& list, int rows, int columns, int layers);
};

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
    // Why a list was not drawn by the uploads and draws since the last call
    // (too big for this display); empty when all were.
    QString TakeProblem();
    // Bytes of GPU buffers now held by the cell value list (for the benchmark).
    std::size_t CellValueBytes() const;

private:
    struct BoxBuffer {
        // The list's BoxTable, as buffer textures the shader reads by box index.
        unsigned boxData = 0, boxTexture = 0, edgeData = 0, edgeTexture = 0;
        int count = 0;
        bool opaque = false; // every box has alpha 1
        std::size_t bytes = 0;
        // The faces in sight of the camera of the last draw, one instance each.
        unsigned faceRefs = 0, faceTexture = 0;
        int faceCount = 0;
        std::size_t faceBytes = 0;
        bool facesValid = false;
        std::array<double, 4> facesEye{};
        std::array<double, 2> facesNarrowest{};
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
    void UploadBoxes(BoxBuffer& buffer, const CellList& list, const GridGeometry& geometry);
    void UploadStrips(StripBuffer& buffer, const StripList& strips);
    void FindFacesInSight(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                          const std::array<double, 4>& eye, const std::array<double, 2>& narrowest);
    void DrawBoxes(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                   const std::array<double, 4>& eye, const std::array<double, 2>& narrowest);
    void DrawStrips(const StripBuffer& buffer, unsigned mode);
    void FreeBoxes(BoxBuffer& buffer);
    void FreeStrips(StripBuffer& buffer);

    using MultiDrawArrays = void (*)(GLenum, const GLint*, const GLsizei*, GLsizei);
    MultiDrawArrays multiDrawArrays = nullptr;
    bool ready = false;
    std::unique_ptr<QOpenGLShaderProgram> boxProgram, stripProgram, textureProgram;
    unsigned faceVao = 0, faceIndices = 0; // the triangles of FacesPerCall faces
    std::size_t maxTexels = 0;             // texels a buffer texture can hold: boxes, or faces
    QString problem;
    ListBuffers cellValues, markers;
    StripBuffer gridLines;
    unsigned backgroundVao = 0, backgroundBuffer = 0;
    bool backgroundQuad = false;
    std::unique_ptr<QOpenGLTexture> backgroundTexture;
};

} // namespace korva
