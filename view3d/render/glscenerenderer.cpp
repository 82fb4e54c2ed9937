#include "glscenerenderer.h"

#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <cstddef>

namespace korva {

namespace {

// Every face of a box shows its flat colour: no lighting, both sides filled.
constexpr char BoxVertexShader[] = R"(#version 330 core
layout(location = 0) in vec3 unit;
layout(location = 1) in vec3 boxMin;
layout(location = 2) in vec3 boxMax;
layout(location = 3) in vec4 boxColour;
uniform mat4 mvp;
out vec4 colour;
void main() {
    gl_Position = mvp * vec4(mix(boxMin, boxMax, unit), 1.0);
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

// The unit box as two triangles a face, face after face in the order a cell's
// quad strip covers them: top, far side (y = 1), bottom, near side (y = 0),
// then the faces x = 0 and x = 1. Translucent boxes are not sorted, so the
// order of whole faces decides what shows through; a face split across the
// sequence would show half-blended triangles.
constexpr float UnitBox[] = {
    0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 1, 1, // top
    0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 0, 1, 0, // far side
    0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0, // bottom
    0, 0, 0, 1, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 1, // near side
    0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, // x = 0
    1, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 1, // x = 1
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
    glBufferData(GL_ARRAY_BUFFER, sizeof(UnitBox), UnitBox, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    ready = true;
    return true;
}

void GlSceneRenderer::UploadBoxes(BoxBuffer& buffer, const std::vector<CellBox>& boxes) {
    FreeBoxes(buffer);
    buffer.count = static_cast<int>(boxes.size());
    if (boxes.empty()) return;
    glGenVertexArrays(1, &buffer.vao);
    glBindVertexArray(buffer.vao);
    glBindBuffer(GL_ARRAY_BUFFER, unitBox);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glGenBuffers(1, &buffer.instances);
    glBindBuffer(GL_ARRAY_BUFFER, buffer.instances);
    buffer.bytes = boxes.size() * sizeof(CellBox);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(buffer.bytes), boxes.data(),
                 GL_STATIC_DRAW);
    const auto offset = [](std::size_t bytes) { return reinterpret_cast<const void*>(bytes); };
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
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GlSceneRenderer::UploadStrips(StripBuffer& buffer, const StripList& strips) {
    FreeStrips(buffer);
    if (strips.Empty()) return;
    buffer.starts = strips.starts;
    buffer.counts = strips.counts;
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

void GlSceneRenderer::DrawBoxes(const BoxBuffer& buffer) {
    if (buffer.count == 0) return;
    glBindVertexArray(buffer.vao);
    glDrawArraysInstanced(GL_TRIANGLES, 0, 36, buffer.count);
}

void GlSceneRenderer::DrawStrips(const StripBuffer& buffer, unsigned mode) {
    if (!buffer.vao) return;
    glBindVertexArray(buffer.vao);
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
        DrawBoxes(markers.boxes);
        stripProgram->bind();
        DrawStrips(markers.meshes, GL_TRIANGLE_STRIP);
        boxProgram->bind();
        DrawBoxes(cellValues.boxes);
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
    if (buffer.vao) glDeleteVertexArrays(1, &buffer.vao);
    if (buffer.instances) glDeleteBuffers(1, &buffer.instances);
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
    if (unitBox) glDeleteBuffers(1, &unitBox);
    unitBox = 0;
    backgroundTexture.reset();
    boxProgram.reset();
    stripProgram.reset();
    textureProgram.reset();
    ready = false;
}

std::size_t GlSceneRenderer::CellValueBytes() const {
    return cellValues.boxes.bytes + cellValues.meshes.bytes;
}

} // namespace korva
