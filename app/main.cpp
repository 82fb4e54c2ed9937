// korva: the desktop program.
#include "app/frame/korvaapp.h"

int main(int argc, char* argv[]) {
    return korva::CKORVAApp::Main(argc, argv);
}
