#pragma once
// The bundled 3D example, read fresh for each test that needs a real project.
#include "files/project/projectfile.h"
#include "model/griddata.h"

#include <gtest/gtest.h>

namespace korva::test {

inline GridData ExampleGrid() {
    GridData grid;
    EXPECT_TRUE(ReadProjectFile(grid, std::string(KORVA_SOURCE_DIR) + "/examples/field3d.kvp"));
    return grid;
}

} // namespace korva::test
