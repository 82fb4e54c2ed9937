#pragma once
// One whole solver run, as the solver programs do it: read the input set of
// a base path, simulate every day of the run, report progress in base.log and
// one line a day on out, and write the results.
#include <iosfwd>
#include <string>

namespace korva {

// kind 0 is the 2D model, 1 the 3D model. Returns the program's exit status:
// 0 after a complete run, 1 when the input cannot be read or a result cannot
// be written (the reason on err).
int RunSolver(int kind, const std::string& basePath, std::ostream& out, std::ostream& err);

// The main of a solver program: checks the one argument and runs.
int SolverMain(int kind, int argc, char** argv);

} // namespace korva
