// korva_model2d: the reference solver of the 2D model.
#include "solverrun.h"

int main(int argc, char** argv) {
    return korva::SolverMain(0, argc, argv);
}
