#pragma once
// Helpers shared by the desktop tests.
#include "files/project/projectfile.h"
#include "model/griddata.h"

#include <QString>
#include <sstream>
#include <string>

namespace korva::test {

// The whole model as its project file text: two models are the same model
// exactly when these texts are equal (outputs aside).
inline std::string ModelText(const GridData& grid) {
    std::ostringstream out;
    WriteProjectFile(grid, out);
    return out.str();
}

inline QString ExampleProject(const char* name) {
    return QString(KORVA_SOURCE_DIR) + "/examples/" + name;
}

} // namespace korva::test
