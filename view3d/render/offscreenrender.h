#pragma once
// Draws the grid scene into an image without a window: the same scene, camera
// and renderer as the view, in a framebuffer of exactly the asked size. Used
// by "korva --render" and by "Export View Image...".
#include "view3d/scene/viewsettings.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace korva {

struct OffscreenRenderRequest {
    int width = 800;
    int height = 600;
    QColor clearColour; // invalid: the palette's button colour
    QImage background;  // drawn under the grid when settings say one is loaded
};

// False, with the reason in error, when no OpenGL 3.3 context can be had.
// Scene messages (such as a ground colour that cannot be found) are appended
// to messages when it is given.
bool RenderSceneImage(const GridData& grid, const ViewSettings& settings,
                      const OffscreenRenderRequest& request, QImage& image, QString& error,
                      std::vector<std::string>* messages = nullptr);

// "korva --render OUT.png [options] PROJECT.kvp": args without the program
// name, "--render" first. Writes the image and returns 0, or writes the reason
// to standard error and returns 1. Creates the GUI application object when
// the caller has none.
int RunHeadlessRender(const QStringList& args);

} // namespace korva
