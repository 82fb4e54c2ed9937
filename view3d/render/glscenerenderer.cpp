#include "glscenerenderer.h"

#include "view3d/scene/gridgeometry.h"
#include "view3d/scene/hiddenfaces.h"

#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

namespace korva {

namespace {

// Every face of a box shows its flat colour: no lighting, both sides filled.
// The faces in sight of the camera (hiddenfaces.h) are listed in drawing
// order, four vertices each, and found by the vertex number. A box is one
// texel: where its column, row and layer bounds sit in the edge table, and
// its colour. Corners come from those bounds by selection, not arithmetic,
// so faces of neighbouring boxes land on exactly the same depths.
constexpr char BoxVertexShader[] = R"(#version 330 core
uniform usamplerBuffer faces;
uniform usamplerBuffer boxes;
uniform samplerBuffer edges; // (lower, upper) bounds of each column, row and layer
uniform mat4 mvp;
flat out vec4 colour;
// Corners of the unit box, four a face, face after face in drawing order:
// top, far side (y = 1), bottom, near side (y = 0), then x = 0 and x = 1.
// Opposite faces run their corners the same way.
const vec3 corners[24] = vec3[24](
    vec3(0, 0, 1), vec3(1, 0, 1), vec3(1, 1, 1), vec3(0, 1, 1),
    vec3(0, 1, 0), vec3(1, 1, 0), vec3(1, 1, 1), vec3(0, 1, 1),
    vec3(0, 0, 0), vec3(1, 0, 0), vec3(1, 1, 0), vec3(0, 1, 0),
    vec3(0, 0, 0), vec3(1, 0, 0), vec3(1, 0, 1), vec3(0, 0, 1),
    vec3(0, 0, 0), vec3(0, 1, 0), vec3(0, 1, 1), vec3(0, 0, 1),
    vec3(1, 0, 0), vec3(1, 1, 0), vec3(1, 1, 1), vec3(1, 0, 1));
void main() {
    uint faceRef = texelFetch(faces, gl_VertexID >> 2).r;
    uvec4 box = texelFetch(boxes, int(faceRef >> 3u));
    vec3 unit = corners[int(faceRef & 7u) * 4 + (gl_VertexID & 3)];
    vec2 x = texelFetch(edges, int(box.x)).xy;
    vec2 y = texelFetch(edges, int(box.y)).xy;
    vec2 z = texelFetch(edges, int(box.z)).xy;
    vec3 position = vec3(unit.x > 0.5 ? x.y : x.x, unit.y > 0.5 ? y.y : y.x,
                         unit.z > 0.5 ? z.y : z.x);
    gl_Position = mvp * vec4(position, 1.0);
    colour = vec4(uvec4(box.w, box.w >> 8u, box.w >> 16u, box.w >> 24u) & 255u) / 255.0;
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

constexpr char BoxFragmentShader[] = R"(#version 330 core
flat in vec4 colour;
out vec4 fragment;
void main() { fragment = clamp(colour, 0.0, 1.0); }
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

// Faces a draw call covers: their vertices are numbered by 16-bit indices,
// and each call starts its numbers where the last one stopped.
constexpr int FacesPerCall = 16384;

// A face's two triangles over its four corners, the same for every face, so a
// face and the coinciding face of a neighbour are the same two triangles.
std::vector<uint16_t> FaceTriangles() {
    std::vector<uint16_t> indices;
    indices.reserve(6 * FacesPerCall);
    for (int face = 0; face < FacesPerCall; ++face)
        for (int corner : {0, 1, 2, 0, 2, 3})
            indices.push_back(static_cast<uint16_t>(4 * face + corner));
    return indices;
}

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
    boxProgram = BuildProgram(BoxVertexShader, BoxFragmentShader, error);
    stripProgram = BuildProgram(StripVertexShader, ColourFragmentShader, error);
    textureProgram = BuildProgram(TextureVertexShader, TextureFragmentShader, error);
    if (!boxProgram || !stripProgram || !textureProgram) return false;
    // Faces are drawn from the vertex number alone: the vertex array holds
    // only the triangles' corner numbers.
    glGenVertexArrays(1, &faceVao);
    glBindVertexArray(faceVao);
    glGenBuffers(1, &faceIndices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, faceIndices);
    const std::vector<uint16_t> triangles = FaceTriangles();
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(triangles.size() * sizeof(uint16_t)), triangles.data(),
                 GL_STATIC_DRAW);
    glBindVertexArray(0);
    GLint texels = 0;
    glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &texels);
    maxTexels = static_cast<std::size_t>(std::max(texels, 0));
    ready = true;
    return true;
}

bool BoxTable::Build(const CellList& list, int rows, int columns, int layers) {
    texels.clear();
    edges.clear();
    if (list.cells.size() != list.boxes.size() || rows <= 0 || columns <= 0 || layers <= 0)
        return false;
    const auto cols = static_cast<std::size_t>(columns);
    const std::size_t layerSize = static_cast<std::size_t>(rows) * cols;
    const std::size_t yAt = cols, zAt = cols + static_cast<std::size_t>(rows);
    const float unset = std::numeric_limits<float>::quiet_NaN();
    edges.assign(2 * (zAt + static_cast<std::size_t>(layers)), unset);
    // Keeps the first bounds seen at a place; a box that disagrees is not of this grid.
    const auto place = [this](std::size_t at, float lower, float upper) {
        float& lo = edges[2 * at];
        float& hi = edges[2 * at + 1];
        if (std::isnan(lo)) {
            lo = lower;
            hi = upper;
        }
        return std::memcmp(&lo, &lower, sizeof lo) == 0 && std::memcmp(&hi, &upper, sizeof hi) == 0;
    };
    const auto refuse = [this] {
        texels.clear();
        edges.clear();
        return false;
    };
    texels.reserve(4 * list.boxes.size());
    for (std::size_t n = 0; n < list.boxes.size(); ++n) {
        const CellBox& box = list.boxes[n];
        const std::size_t cell = list.cells[n];
        const std::size_t layer = cell / layerSize;
        if (layer >= static_cast<std::size_t>(layers)) return refuse();
        const std::size_t x = cell % cols, y = yAt + (cell / cols) % static_cast<std::size_t>(rows),
                          z = zAt + layer;
        if (!place(x, box.x0, box.x1) || !place(y, box.y0, box.y1) || !place(z, box.z0, box.z1))
            return refuse();
        texels.insert(texels.end(), {static_cast<uint32_t>(x), static_cast<uint32_t>(y),
                                     static_cast<uint32_t>(z), box.colour});
    }
    return true;
}

void GlSceneRenderer::UploadBoxes(BoxBuffer& buffer, const CellList& list,
                                  const GridGeometry& geometry) {
    FreeBoxes(buffer);
    if (list.boxes.empty()) return;
    const std::size_t most = std::min(maxTexels, MaxFaceRefBoxes);
    if (list.boxes.size() > most) {
        // None is drawn rather than the first ones alone.
        problem = QStringLiteral("The 3D view cannot draw %1 cells at once on this display; it "
                                 "draws at most %2. Show fewer layers, rows or columns.")
                      .arg(list.boxes.size())
                      .arg(most);
        return;
    }
    BoxTable table;
    if (!table.Build(list, geometry.rows, geometry.columns, geometry.layers)) {
        problem =
            QStringLiteral("The 3D view could not place the grid's cells; they are not drawn.");
        return;
    }
    buffer.count = static_cast<int>(list.boxes.size());
    buffer.opaque = std::all_of(list.boxes.begin(), list.boxes.end(),
                                [](const CellBox& box) { return AlphaOf(box.colour) == 255; });
    buffer.bytes = table.texels.size() * sizeof(uint32_t) + table.edges.size() * sizeof(float);
    const auto textureOver = [this](unsigned& data, unsigned& texture, GLenum format,
                                    const void* values, std::size_t bytes) {
        glGenBuffers(1, &data);
        glBindBuffer(GL_TEXTURE_BUFFER, data);
        glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(bytes), values, GL_STATIC_DRAW);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_BUFFER, texture);
        glTexBuffer(GL_TEXTURE_BUFFER, format, data);
        glBindTexture(GL_TEXTURE_BUFFER, 0);
        glBindBuffer(GL_TEXTURE_BUFFER, 0);
    };
    textureOver(buffer.boxData, buffer.boxTexture, GL_RGBA32UI, table.texels.data(),
                table.texels.size() * sizeof(uint32_t));
    textureOver(buffer.edgeData, buffer.edgeTexture, GL_RG32F, table.edges.data(),
                table.edges.size() * sizeof(float));
}

void GlSceneRenderer::FindFacesInSight(BoxBuffer& buffer, const std::vector<CellBox>& boxes,
                                       const std::array<double, 4>& eye,
                                       const std::array<double, 2>& narrowest) {
    if (buffer.facesValid && buffer.facesEye == eye && buffer.facesNarrowest == narrowest) return;
    buffer.facesValid = true;
    buffer.facesEye = eye;
    buffer.facesNarrowest = narrowest;
    buffer.faceCount = 0;
    if (static_cast<int>(boxes.size()) != buffer.count) return; // not what was uploaded
    std::vector<FaceRef> faces;
    FacesInSight(boxes, eye, narrowest, buffer.opaque, faces);
    // A face's vertices are numbered from 4 x its place, in an int.
    const std::size_t mostFaces = std::min(maxTexels, std::size_t{INT_MAX / 4});
    if (faces.size() > mostFaces) {
        problem = QStringLiteral("The 3D view cannot draw %1 cell faces at once on this display; "
                                 "it draws at most %2. Show fewer layers, rows or columns.")
                      .arg(faces.size())
                      .arg(mostFaces);
        return;
    }
    buffer.faceCount = static_cast<int>(faces.size());
    if (!buffer.faceRefs) {
        glGenBuffers(1, &buffer.faceRefs);
        glGenTextures(1, &buffer.faceTexture);
    }
    glBindBuffer(GL_TEXTURE_BUFFER, buffer.faceRefs);
    buffer.faceBytes = faces.size() * sizeof(FaceRef);
    // A fresh store each time the camera moves; the old one is the driver's to free.
    glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(buffer.faceBytes), faces.data(),
                 GL_STATIC_DRAW);
    glBindTexture(GL_TEXTURE_BUFFER, buffer.faceTexture);
    glTexBuffer(GL_TEXTURE_BUFFER, GL_R32UI, buffer.faceRefs);
    glBindTexture(GL_TEXTURE_BUFFER, 0);
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
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
        UploadBoxes(cellValues.boxes, scene.CellValues(), scene.Geometry());
        UploadStrips(cellValues.meshes, scene.CellValues().meshes);
    }
    if (changed & MarkerList) {
        UploadBoxes(markers.boxes, scene.Markers(), scene.Geometry());
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
    // While the camera stays, the same faces are replayed.
    FindFacesInSight(buffer, boxes, eye, narrowest);
    if (buffer.faceCount == 0) return;
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_BUFFER, buffer.boxTexture);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_BUFFER, buffer.faceTexture);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_BUFFER, buffer.edgeTexture);
    glBindVertexArray(faceVao);
    for (int first = 0; first < buffer.faceCount; first += FacesPerCall) {
        const int count = std::min(FacesPerCall, buffer.faceCount - first);
        glDrawElementsBaseVertex(GL_TRIANGLES, 6 * count, GL_UNSIGNED_SHORT, nullptr, 4 * first);
    }
    for (GLenum unit : {GL_TEXTURE3, GL_TEXTURE2, GL_TEXTURE1}) {
        glActiveTexture(unit);
        glBindTexture(GL_TEXTURE_BUFFER, 0);
    }
    glActiveTexture(GL_TEXTURE0);
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
        boxProgram->setUniformValue("boxes", 1);
        boxProgram->setUniformValue("faces", 2);
        boxProgram->setUniformValue("edges", 3);
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
    if (buffer.boxTexture) glDeleteTextures(1, &buffer.boxTexture);
    if (buffer.boxData) glDeleteBuffers(1, &buffer.boxData);
    if (buffer.edgeTexture) glDeleteTextures(1, &buffer.edgeTexture);
    if (buffer.edgeData) glDeleteBuffers(1, &buffer.edgeData);
    if (buffer.faceTexture) glDeleteTextures(1, &buffer.faceTexture);
    if (buffer.faceRefs) glDeleteBuffers(1, &buffer.faceRefs);
    buffer = {};
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
    if (faceVao) glDeleteVertexArrays(1, &faceVao);
    if (faceIndices) glDeleteBuffers(1, &faceIndices);
    faceVao = faceIndices = 0;
    backgroundTexture.reset();
    boxProgram.reset();
    stripProgram.reset();
    textureProgram.reset();
    ready = false;
}

QString GlSceneRenderer::TakeProblem() {
    QString taken;
    taken.swap(problem);
    return taken;
}

std::size_t GlSceneRenderer::CellValueBytes() const {
    return cellValues.boxes.bytes + cellValues.boxes.faceBytes + cellValues.meshes.bytes;
}

} // namespace korva
