// korva-batch write-input and import-input: a project becomes a set and the
// set a project that writes the same set again.
#include "cli/command.h"
#include "files/inputset/inputset.h"
#include "files/project/projectfile.h"
#include "inputsettestutil.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <gtest/gtest.h>
#include <sstream>

namespace korva {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

int RunBatch(const cli::Arguments& args, std::string& err) {
    std::ostringstream out, errors;
    cli::CommandContext context{out, errors, ""};
    const int status = cli::RunTool(args, context);
    err = errors.str();
    return status;
}

TEST(InputSetCommands, ProjectToSetToProjectToTheSameSet) {
    for (int kind : {0, 1}) {
        GridData grid;
        grid.ResetModel(kind);
        ReaderContents(grid).columnSpacing = {10, 20};
        grid.Resize(1, 1, 2);
        grid.AppendBoundary(DrainType, "drain", {0, 1, 0});
        grid.SetBoundaryValue(DrainType, 0, 0, 1, 1);
        ReaderContents(grid).settings.simulationEnd = 3;
        ReaderContents(grid).settings.ETPeriod = {0, 2};
        ReaderContents(grid).settings.DailyETUsage = {0.5, 0.25, 0.125};
        TempFolder folder;
        ASSERT_TRUE(WriteProjectFile(grid, folder.Base("in.kvp")));

        std::string err;
        ASSERT_EQ(RunBatch({"write-input", folder.Base("in.kvp"), folder.Base("first")}, err), 0)
            << err;
        cli::Arguments import = {"import-input", folder.Base("first.kvi"), folder.Base("out.kvp")};
        if (kind == 0) import.insert(import.begin() + 1, "--2d");
        ASSERT_EQ(RunBatch(import, err), 0) << err;
        ASSERT_EQ(RunBatch({"write-input", folder.Base("out.kvp"), folder.Base("second")}, err), 0)
            << err;
        for (const char* extension : InputSetExtensions)
            EXPECT_EQ(ReadWholeFile(folder.Base("first") + extension),
                      ReadWholeFile(folder.Base("second") + extension))
                << kind << extension;
    }
}

TEST(InputSetCommands, FailuresGoToStandardErrorWithAFailureStatus) {
    TempFolder folder;
    std::string err;
    EXPECT_EQ(RunBatch({"import-input", folder.Base("missing"), folder.Base("out.kvp")}, err), 1);
    EXPECT_EQ(err, "Error opening " + folder.Base("missing") + ".kvi for reading.\n");
    EXPECT_EQ(RunBatch({"write-input", folder.Base("in.kvp")}, err), 2);
    EXPECT_NE(err.find("usage: korva-batch write-input IN.kvp BASE"), std::string::npos);
}

} // namespace
} // namespace korva
