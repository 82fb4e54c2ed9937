// korva: the desktop program.
#include "app/frame/korvaapp.h"
#include "view3d/render/offscreenrender.h"

#include <QStringList>
#include <cstring>

int main(int argc, char* argv[]) {
    // "korva --render OUT.png ... PROJECT.kvp" draws the view into an image, no window.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--render") != 0) continue;
        QStringList args;
        for (int a = 1; a < argc; ++a)
            args << QString::fromLocal8Bit(argv[a]);
        return korva::RunHeadlessRender(args);
    }
    return korva::CKORVAApp::Main(argc, argv);
}
