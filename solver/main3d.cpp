// korva_model3d: the reference solver of the 3D model.
#include "solverrun.h"

int main(int argc, char** argv) {
    return korva::SolverMain(1, argc, argv);
}
