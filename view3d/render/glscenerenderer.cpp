#include "glscenerenderer.h"

#include "view3d/scene/gridgeometry.h"
#include "view3d/scene/hiddenfaces.h"

#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <algorithm>
#include <cmath>
#include <cstddef>

namespace korva {

namespace {

// Every face of a box shows its flat colour: no lighting, both sides filled.
// Corners come from the box's bounds by selection, not arithmetic, so faces
// of neighbouring boxes land on exactly the same depths.
//
// Boxes are drawn unsorted with depth writes, so a face behind its box (the
// eye on the inner side of its plane) shows only where it was drawn before the
// face of the same box in front of it: once every face in front of it has
// been drawn (or a coinciding face of an earlier box stood in for it), it
// cannot pass the depth test and is not drawn at all. In a list of opaque
// boxes no face behind its box shows. A box covered above (its nine
// neighbours of the layer above drawn before it) is seen from above only
// through their bottom faces, which are nearer and earlier: when its
// outline seen from the eye stays within them it is left out whole. Faces
// left out go outside the clip volume, where the rasteriser drops them.
constexpr char BoxVertexShader[] = R"(#version 330 core
layout(location = 0) in vec3 unit;
layout(location = 1) in vec3 boxMin;
layout(location = 2) in vec3 boxMax;
layout(location = 3) in vec4 boxColour;
layout(location = 4) in uint boxFaces;
uniform mat4 mvp;
uniform vec4 eye; // the camera's centre in model coordinates; w = 0: at infinity
uniform bool opaqueList;
uniform vec2 narrowestCell; // the narrowest column and row
out vec4 colour;
uint Bits(bvec3 b, uint x, uint y, uint z) {
    return (b.x ? x : 0u) | (b.y ? y : 0u) | (b.z ? z : 0u);
}
void main() {
    // Faces in drawing order: z1, y1, z0, y0, x0, x1; four corners each.
    uint face = 1u << uint(gl_VertexID / 4);
    vec3 toMax = eye.xyz - boxMax * eye.w; // > 0: the eye is beyond the max face
    vec3 toMin = boxMin * eye.w - eye.xyz;
    vec3 slackMax = 1e-5 * (abs(eye.xyz) + abs(boxMax * eye.w)) + 1e-30;
    vec3 slackMin = 1e-5 * (abs(eye.xyz) + abs(boxMin * eye.w)) + 1e-30;
    uint behind = Bits(lessThan(toMax, -slackMax), 32u, 2u, 1u) |
                  Bits(lessThan(toMin, -slackMin), 16u, 8u, 4u);
    uint inFront = ~behind & 63u;
    uint later = ~(face | (face - 1u)) & 63u;
    bool hidden = (boxFaces & face) == 0u ||
                  ((behind & face) != 0u && inFront != 0u &&
                   (opaqueList || (inFront & boxFaces & later) == 0u));
    if (!hidden && (boxFaces & 64u) != 0u) {
        // The eye's height above the box top, and how far the bottom
        // corners' sight lines stray sideways by the time they reach it.
        float above = eye.z - boxMax.z * eye.w;
        vec2 stray = max(abs(eye.xy - boxMin.xy * eye.w), abs(eye.xy - boxMax.xy * eye.w)) *
                     ((boxMax.z - boxMin.z) / max(above, 1e-30));
        hidden = above > 1e-5 * (abs(eye.z) + abs(boxMax.z * eye.w)) &&
                 all(lessThan(stray, 0.999 * narrowestCell));
    }
    gl_Position = hidden ? vec4(2.0, 2.0, 2.0, 1.0)
                         : mvp * vec4(mix(boxMin, boxMax, greaterThan(unit, vec3(0.5))), 1.0);
    colour = boxColour;
}
)";

constexpr char StripVertexShader[] = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 vertexColour;
uniform mat4 mvp;
out vec4 colour;
void main() {
    gl_Position = mvp * vec4(position, 1.0);
    colour = vertexColour;
}
)";

constexpr char ColourFragmentShader[] = R"(#version 330 core
in vec4 colour;
out vec4 fragment;
void main() { fragment = clamp(colour, 0.0, 1.0); }
)";

constexpr char TextureVertexShader[] = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
uniform mat4 mvp;
out vec2 st;
void main() {
    gl_Position = mvp * vec4(position, 1.0);
    st = texCoord;
}
)";

constexpr char TextureFragmentShader[] = R"(#version 330 core
in vec2 st;
uniform sampler2D image;
out vec4 fragment;
void main() { fragment = vec4(texture(image, st).rgb, 1.0); }
)";

// The unit box's corners, four a face, face after face in the order a cell's
// quad strip covers them: top, far side (y = 1), bottom, near side (y = 0),
// then the faces x = 0 and x = 1. Translucent boxes are not sorted, so the
// order of whole faces decides what shows through. Opposite faces run their
// corners the same way, so a face and the coinciding face of a neighbour are
// the same two triangles.
constexpr float UnitBoxCorners[] = {
    0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1, // top
    0, 1, 0, 1, 1, 0, 1, 1, 1, 0, 1, 1, // far side
    0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, // bottom
    0, 0, 0, 1, 0, 0, 1, 0, 1, 0, 0, 1, // near side
    0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, // x = 0
    1, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 1, // x = 1
};
// Two triangles a face; indexed so each corner is computed once a box.
constexpr unsigned char UnitBoxIndices[] = {
    0,  1,  2,  0,  2,  3,  4,  5,  6,  4,  6,  7,  8,  9,  10, 8,  10, 11,
    12, 13, 14, 12, 14, 15, 16, 17, 18, 16, 18, 19, 20, 21, 22, 20, 22, 23,
};

std::unique_ptr<QOpenGLShaderProgram> BuildProgram(const char* vertex, const char* fragment,
                                                   QString* error) {
    auto program = std::make_unique<QOpenGLShaderProgram>();
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) ||
        !program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) || !program->link()) {
        if (error) *error = QStringLiteral("The 3D view's shaders do not build: ") + program->log();
        return nullptr;
    }
    return program;
}

QMatrix4x4 ToQt(const Mat4& m) {
    QMatrix4x4 out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out(r, c) = static_cast<float>(m(r, c));
    return out;
}

QVector4D ToQt(const std::array<double, 4>& v) {
    return QVector4D(static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]),
                     static_cast<float>(v[3]));
}

} // namespace

GlSceneRenderer::GlSceneRenderer() = default;
GlSceneRenderer::~GlSceneRenderer() = default;

bool GlSceneRenderer::Initialise(QString* error) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context) {
        if (error) *error = QStringLiteral("No OpenGL context is current.");
        return false;
    }
    const QSurfaceFormat format = context->format();
    if (context->isOpenGLES() || format.version() < qMakePair(3, 3)) {
        if (error)
            *error = QStringLiteral("The 3D view needs OpenGL 3.3; this display offers %1.%2.")
                         .arg(format.majorVersion())
                         .arg(format.minorVersion());
        return false;
    }
    initializeOpenGLFunctions();
    multiDrawArrays =
        reinterpret_cast<MultiDrawArrays>(context->getProcAddress("glMultiDrawArrays"));
    boxProgram = BuildProgram(BoxVertexShader, ColourFragmentShader, error);
    stripProgram = BuildProgram(StripVertexShader, ColourFragmentShader, error);
    textureProgram = BuildProgram(TextureVertexShader, TextureFragmentShader, error);
    if (!boxProgram || !stripProgram || !textureProgram) return false;
    glGenBuffers(1, &unitBox);
    glBindBuffer(GL_ARRAY_BUFFER, unitBox);
    glBufferData(GL_ARRAY_BUFFER, sizeof(UnitBoxCorners), UnitBoxCorners, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glGenBuffers(1, &unitBoxIndices);
    // Filled through the array target: a core context has no vertex array
    // bound here to hold an element buffer; each box array binds it.
    glBindBuffer(GL_ARRAY_BUFFER, unitBoxIndices);
    glBufferData(GL_ARRAY_BUFFER, sizeof(UnitBoxIndices), UnitBoxIndices, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    ready = true;
    return true;
}

void GlSceneRenderer::UploadBoxes(BoxBuffer& buffer, const std::vector<CellBox>& boxes) {
    FreeBoxes(buffer);
    buffer.count = static_cast<int>(boxes.size());
    if (boxes.empty()) return;
    buffer.opaque = std::all_of(boxes.begin(), boxes.end(),
                                [](const CellBox& box) { return AlphaOf(box.colour) == 255; });
    buffer.bytes = BoxArray(buffer.vao, buffer.instances, boxes);
}

std::size_t GlSceneRenderer::BoxArray(unsigned& vao, unsigned& instances,
                                      const std::vector<CellBox>& boxes) {
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, unitBoxIndices);
    glBindBuffer(GL_ARRAY_BUFFER, unitBox);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glGenBuffers(1, &instances);
    glBindBuffer(GL_ARRAY_BUFFER, instances);
    const std::size_t bytes = boxes.size() * sizeof(CellBox);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), boxes.data(), GL_STATIC_DRAW);
    const auto offset = [](std::size_t at) { return reinterpret_cast<const void*>(at); };
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(CellBox), offset(offsetof(CellBox, x0)));
    glVertexAttribDivisor(1, 1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 3, GL_FLOAT, GL_FALSE, sizeof(CellBox), offset(offsetof(CellBox, x1)));
    glVertexAttribDivisor(2, 1);
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(CellBox),
                          offset(offsetof(CellBox, colour)));
    glVertexAttribDivisor(3, 1);
    glEnableVertexAttribArray(4);
    glVertexAttribIPointer(4, 1, GL_UNSIGNED_INT, sizeof(CellBox),
                           offset(offsetof(CellBox, faces)));
    glVertexAttribDivisor(4, 1);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return bytes;
}

void GlSceneRenderer::FindBoxesInSight(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                                       const std::array<double, 4>& eye,
                                       const std::array<double, 2>& narrowest) {
    if (buffer.sightValid && buffer.sightEye == eye && buffer.sightNarrowest == narrowest) return;
    FreeSight(buffer);
    buffer.sightValid = true;
    buffer.sightEye = eye;
    buffer.sightNarrowest = narrowest;
    if (static_cast<int>(boxes.size()) != buffer.count) return; // not what was uploaded
    std::vector<CellBox> seen;
    const std::size_t limit = boxes.size() / 4;
    for (const CellBox& box : boxes) {
        if (SeenOnlyThroughLayerAbove(box, eye, narrowest)) continue;
        // Most boxes in sight: all of them are drawn, with no second buffer.
        if (seen.size() >= limit) return;
        seen.push_back(box);
    }
    buffer.sightCount = static_cast<int>(seen.size());
    if (!seen.empty()) buffer.sightBytes = BoxArray(buffer.sightVao, buffer.sightInstances, seen);
}

void GlSceneRenderer::UploadStrips(StripBuffer& buffer, const StripList& strips) {
    FreeStrips(buffer);
    if (strips.Empty()) return;
    buffer.starts = strips.starts;
    buffer.counts = strips.counts;
    buffer.segments = true;
    for (std::size_t n = 0; n < strips.starts.size() && buffer.segments; ++n)
        buffer.segments = strips.counts[n] == 2 && strips.starts[n] == static_cast<int>(2 * n);
    glGenVertexArrays(1, &buffer.vao);
    glBindVertexArray(buffer.vao);
    glGenBuffers(1, &buffer.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, buffer.vertices);
    buffer.bytes = strips.vertices.size() * sizeof(ColouredVertex);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(buffer.bytes), strips.vertices.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(ColouredVertex), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(ColouredVertex),
                          reinterpret_cast<const void*>(offsetof(ColouredVertex, colour)));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GlSceneRenderer::Upload(GridScene& scene) {
    if (!ready) return;
    const unsigned changed = scene.TakeChanged();
    if (changed & CellValueList) {
        UploadBoxes(cellValues.boxes, scene.CellValues().boxes);
        UploadStrips(cellValues.meshes, scene.CellValues().meshes);
    }
    if (changed & MarkerList) {
        UploadBoxes(markers.boxes, scene.Markers().boxes);
        UploadStrips(markers.meshes, scene.Markers().meshes);
    }
    if (changed & GridLineList_) UploadStrips(gridLines, scene.GridLines().lines);
    if (changed & BackgroundList) {
        const BackgroundQuad& quad = scene.Background();
        if (backgroundVao) {
            glDeleteVertexArrays(1, &backgroundVao);
            glDeleteBuffers(1, &backgroundBuffer);
            backgroundVao = backgroundBuffer = 0;
        }
        backgroundQuad = quad.present;
        if (quad.present) {
            float data[4][5];
            for (int n = 0; n < 4; ++n) {
                for (int a = 0; a < 3; ++a)
                    data[n][a] = quad.corners[n][a];
                data[n][3] = quad.texCoords[n][0];
                data[n][4] = quad.texCoords[n][1];
            }
            glGenVertexArrays(1, &backgroundVao);
            glBindVertexArray(backgroundVao);
            glGenBuffers(1, &backgroundBuffer);
            glBindBuffer(GL_ARRAY_BUFFER, backgroundBuffer);
            glBufferData(GL_ARRAY_BUFFER, sizeof(data), data, GL_STATIC_DRAW);
            glEnableVertexAttribArray(0);
            glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
            glEnableVertexAttribArray(1);
            glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                                  reinterpret_cast<const void*>(3 * sizeof(float)));
            glBindVertexArray(0);
            glBindBuffer(GL_ARRAY_BUFFER, 0);
        }
    }
}

void GlSceneRenderer::SetBackgroundImage(const QImage& image) {
    backgroundTexture.reset();
    if (!ready || image.isNull()) return;
    // Top row first, as the quad's t = 0 is the image's top row.
    backgroundTexture = std::make_unique<QOpenGLTexture>(
        image.convertToFormat(QImage::Format_RGB888), QOpenGLTexture::GenerateMipMaps);
    backgroundTexture->setWrapMode(QOpenGLTexture::Repeat);
    backgroundTexture->setMagnificationFilter(QOpenGLTexture::Linear);
    backgroundTexture->setMinificationFilter(QOpenGLTexture::Nearest);
}

void GlSceneRenderer::DrawBoxes(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                                const std::array<double, 4>& eye,
                                const std::array<double, 2>& narrowest) {
    if (buffer.count == 0) return;
    // Boxes the camera cannot see are dropped from the draw, the others keep
    // their order; while the camera stays, the same short list is replayed.
    FindBoxesInSight(buffer, boxes, eye, narrowest);
    const bool fewer = buffer.sightCount >= 0;
    if (fewer && buffer.sightCount == 0) return;
    boxProgram->setUniformValue("opaqueList", buffer.opaque);
    glBindVertexArray(fewer ? buffer.sightVao : buffer.vao);
    glDrawElementsInstanced(GL_TRIANGLES, sizeof(UnitBoxIndices), GL_UNSIGNED_BYTE, nullptr,
                            fewer ? buffer.sightCount : buffer.count);
}

void GlSceneRenderer::DrawStrips(const StripBuffer& buffer, unsigned mode) {
    if (!buffer.vao) return;
    glBindVertexArray(buffer.vao);
    // Line strips of two vertices one after another (a grid's lines) are
    // separate segments: one plain draw, with no per-strip work in the driver.
    if (mode == GL_LINE_STRIP && buffer.segments) {
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(2 * buffer.starts.size()));
        return;
    }
    // The strips of a list share one buffer and go in one call where the driver offers it.
    if (multiDrawArrays) {
        multiDrawArrays(mode, buffer.starts.data(), buffer.counts.data(),
                        static_cast<GLsizei>(buffer.starts.size()));
        return;
    }
    for (std::size_t n = 0; n < buffer.starts.size(); ++n)
        glDrawArrays(mode, buffer.starts[n], buffer.counts[n]);
}

void GlSceneRenderer::Draw(const GridScene& scene, int width, int height,
                           const QColor& clearColour) {
    glViewport(0, 0, width, height);
    glClearColor(clearColour.redF(), clearColour.greenF(), clearColour.blueF(), 1.0f);
    glClearDepthf(1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!ready) return;
    glEnable(GL_DEPTH_TEST);
    // Only nearer fragments pass: the faces left out of the draw rely on it.
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    // Colours blend by source alpha; the framebuffer's own alpha stays opaque,
    // or the window and saved images would turn see-through where cells are.
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);

    const Camera camera = CameraFor(scene.Settings(), scene.Geometry());
    const QMatrix4x4 mvp = ToQt(camera.projection * camera.modelView);
    if (backgroundQuad && backgroundTexture) {
        textureProgram->bind();
        textureProgram->setUniformValue("mvp", mvp);
        textureProgram->setUniformValue("image", 0);
        backgroundTexture->bind(0);
        glBindVertexArray(backgroundVao);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        backgroundTexture->release(0);
    }
    stripProgram->bind();
    stripProgram->setUniformValue("mvp", mvp);
    DrawStrips(gridLines, GL_LINE_STRIP);
    if (!scene.Settings().Rotating) {
        boxProgram->bind();
        boxProgram->setUniformValue("mvp", mvp);
        const std::array<double, 4> eye = EyeInModel(camera);
        const std::array<double, 2> narrowest = NarrowestCell(scene.Geometry());
        boxProgram->setUniformValue("eye", ToQt(eye));
        boxProgram->setUniformValue("narrowestCell", QVector2D(static_cast<float>(narrowest[0]),
                                                               static_cast<float>(narrowest[1])));
        DrawBoxes(markers.boxes, scene.Markers().boxes, eye, narrowest);
        stripProgram->bind();
        DrawStrips(markers.meshes, GL_TRIANGLE_STRIP);
        boxProgram->bind();
        DrawBoxes(cellValues.boxes, scene.CellValues().boxes, eye, narrowest);
        stripProgram->bind();
        DrawStrips(cellValues.meshes, GL_TRIANGLE_STRIP);
    }
    glBindVertexArray(0);
    glUseProgram(0);
    while (glGetError() != GL_NO_ERROR) {
        // Graphics errors are drained: a paint never stops on them.
    }
}

void GlSceneRenderer::FreeBoxes(BoxBuffer& buffer) {
    FreeSight(buffer);
    if (buffer.vao) glDeleteVertexArrays(1, &buffer.vao);
    if (buffer.instances) glDeleteBuffers(1, &buffer.instances);
    buffer = {};
}

void GlSceneRenderer::FreeSight(BoxBuffer& buffer) {
    if (buffer.sightVao) glDeleteVertexArrays(1, &buffer.sightVao);
    if (buffer.sightInstances) glDeleteBuffers(1, &buffer.sightInstances);
    buffer.sightVao = buffer.sightInstances = 0;
    buffer.sightCount = -1;
    buffer.sightBytes = 0;
    buffer.sightValid = false;
}

void GlSceneRenderer::FreeStrips(StripBuffer& buffer) {
    if (buffer.vao) glDeleteVertexArrays(1, &buffer.vao);
    if (buffer.vertices) glDeleteBuffers(1, &buffer.vertices);
    buffer = {};
}

void GlSceneRenderer::Release() {
    if (!ready) return;
    for (ListBuffers* list : {&cellValues, &markers}) {
        FreeBoxes(list->boxes);
        FreeStrips(list->meshes);
    }
    FreeStrips(gridLines);
    if (backgroundVao) glDeleteVertexArrays(1, &backgroundVao);
    if (backgroundBuffer) glDeleteBuffers(1, &backgroundBuffer);
    backgroundVao = backgroundBuffer = 0;
    if (unitBox) glDeleteBuffers(1, &unitBox);
    if (unitBoxIndices) glDeleteBuffers(1, &unitBoxIndices);
    unitBox = unitBoxIndices = 0;
    backgroundTexture.reset();
    boxProgram.reset();
    stripProgram.reset();
    textureProgram.reset();
    ready = false;
}

std::size_t GlSceneRenderer::CellValueBytes() const {
    return cellValues.boxes.bytes + cellValues.boxes.sightBytes + cellValues.meshes.bytes;
}

} // namespace korva
