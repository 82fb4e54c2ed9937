// "Export to ParaView..." run as the menu runs it, on the bundled example:
// the files read back with VTK's own reader (Python VTK through readvtk.py),
// the results' collection, the choices of the dialog and the failures a user
// must be told about.
#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "exchange/exchangecommands.h"
#include "exchange/paraview/paraviewexportchoice.h"
#include "exchange/paraview/paraviewexportdlg.h"
#include "exchangetesthelpers.h"
#include "model/griddata.h"
#include "tests/app/scriptedprompter.h"
#include "tests/output/readvtk.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace korva::test {
namespace {

using ::testing::HasSubstr;

// What readvtk.py printed: coordinates and arrays by name.
struct VtkRead {
    std::map<std::string, std::vector<double>> arrays;
    std::map<std::string, std::string> types;
    std::vector<double> x, y, z;
    std::vector<std::pair<double, std::string>> steps;
    std::string errors;
};

VtkRead ReadVtk(const QString& path) {
    VtkRead read;
    const VtkReaderOutput output = RunVtkReader(path.toStdString());
    if (output.lines.empty() && !output.ran) read.errors = "cannot run readvtk.py";
    for (std::size_t n = 0; n < output.lines.size(); ++n) {
        const std::vector<std::string>& fields = output.fields[n];
        if (fields.size() == 4 && fields[0] == "array") {
            read.arrays[fields[1]] = VtkNumbers(fields[3]);
            read.types[fields[1]] = fields[2];
        } else if (fields.size() == 2 && fields[0] == "x") {
            read.x = VtkNumbers(fields[1]);
        } else if (fields.size() == 2 && fields[0] == "y") {
            read.y = VtkNumbers(fields[1]);
        } else if (fields.size() == 2 && fields[0] == "z") {
            read.z = VtkNumbers(fields[1]);
        } else if (fields.size() == 3 && fields[0] == "step") {
            read.steps.emplace_back(std::stod(fields[1]), fields[2]);
        } else if (fields.empty() || (fields[0] != "extent")) {
            read.errors += output.lines[n] + "\n";
        }
    }
    return read;
}

// Index of a cell in VTK order: columns fastest, then rows, then layers from
// the bottom one up.
std::size_t VtkIndex(const GridData& grid, int layer, int row, int column) {
    return (static_cast<std::size_t>(grid.NumLayers() - 1 - layer) *
                static_cast<std::size_t>(grid.NumRows()) +
            static_cast<std::size_t>(row)) *
               static_cast<std::size_t>(grid.NumColumns()) +
           static_cast<std::size_t>(column);
}

class ParaViewExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(document.OnOpenDocument(QString(KORVA_SOURCE_DIR) + "/examples/field3d.kvp"));
        RegisterExchangeCommands(table);
        context.document = &document;
    }
    QString Path(const QString& name) const { return QDir(folder.path()).filePath(name); }

    // Runs the command as the menu does, answering its dialog with file and
    // the results box.
    void RunExport(const QString& file, bool withResults = false) {
        WhenDialogOpens<ParaViewExportDlg>([file, withResults](ParaViewExportDlg& dialog) {
            Screenshot(dialog, dialog.ResultsBox()->isEnabled() ? "paraview-export-results"
                                                                : "paraview-export");
            dialog.FileField()->setText(file);
            if (dialog.ResultsBox()->isEnabled()) dialog.ResultsBox()->setChecked(withResults);
            dialog.accept();
            // A refused file leaves the dialog open: close it as a user would.
            if (dialog.isVisible()) dialog.reject();
        });
        ASSERT_TRUE(table.Run(QString::fromLatin1(cmd::FileExportParaView), context));
    }

    QTemporaryDir folder;
    ScriptedPrompter prompts;
    CKORVADoc document;
    CommandTable table;
    CommandContext context;
};

TEST_F(ParaViewExport, WritesTheExampleGridThatVtkReadsBack) {
    RunExport(Path("field3d.vtr"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();
    const VtkRead read = ReadVtk(Path("field3d.vtr"));
    ASSERT_TRUE(read.errors.empty()) << read.errors;
    const GridData& grid = document.Grid();
    ASSERT_EQ(read.x.size(), static_cast<std::size_t>(grid.NumColumns()) + 1);
    ASSERT_EQ(read.y.size(), static_cast<std::size_t>(grid.NumRows()) + 1);
    ASSERT_EQ(read.z.size(), static_cast<std::size_t>(grid.NumLayers()) + 1);
    EXPECT_EQ(read.x.front(), 0.0);
    EXPECT_NEAR(read.x.back(), grid.TotalExtent(GridData::ColumnDimension, true), 1e-9);

    // Every parameter by its display name, with its values at chosen cells.
    for (int p = 0; p < grid.ParameterCount(); ++p) {
        const int code = grid.ParameterOrder()[static_cast<std::size_t>(p)];
        const std::string name = GridData::ParameterDisplayName(code);
        ASSERT_EQ(read.arrays.count(name), 1u) << name;
        const std::vector<double>& values = read.arrays.at(name);
        ASSERT_EQ(values.size(), VtkIndex(grid, 0, 0, 0) + grid.NumColumns() * grid.NumRows());
        const bool surface = grid.Parameter(p).IsSurface();
        for (const auto& [layer, row, column] :
             {std::tuple{0, 0, 0}, std::tuple{grid.NumLayers() - 1, grid.NumRows() - 1, 1},
              std::tuple{grid.NumLayers() / 2, grid.NumRows() / 2, grid.NumColumns() - 1}}) {
            const double at = values[VtkIndex(grid, layer, row, column)];
            double value = 0.0;
            if (surface && layer > 0)
                EXPECT_TRUE(std::isnan(at)) << name; // below the ground: nothing
            else if (grid.GetValue(p, surface ? 0 : layer, row, column, value))
                EXPECT_EQ(at, value) << name << " at " << layer << "," << row << "," << column;
            else
                EXPECT_TRUE(std::isnan(at)) << name;
        }
    }
    EXPECT_EQ(read.types.at("Drain"), "int");
    EXPECT_EQ(read.arrays.count("Time Series Cells"), 1u);
    // Without results no step files and no collection.
    EXPECT_FALSE(QFileInfo::exists(Path("field3d.pvd")));
}

TEST_F(ParaViewExport, WritesTheResultsAsACollectionOfOutputTimes) {
    // Two output times of one quantity in every layer.
    const GridData& grid = document.Grid();
    OutputStore outputs;
    KORVAOutputData salt;
    salt.name = "US SALT CONCENTRATION";
    for (int t = 0; t < 2; ++t) {
        KORVAOutputTimeData time;
        time.values = Grid3D<double>(grid.NumLayers(), grid.NumRows(), grid.NumColumns(), 1.0 + t);
        time.month = 4;
        time.day = 10 + t;
        time.year = 2005;
        time.time = 100.0 + t;
        salt.times.push_back(time);
    }
    outputs.gridOutputs.push_back(salt);
    document.LoadRunResults(std::move(outputs), "run");

    RunExport(Path("results"), true); // ".vtr" is added
    ASSERT_TRUE(QFileInfo::exists(Path("results.vtr")));
    const VtkRead read = ReadVtk(Path("results.pvd"));
    ASSERT_TRUE(read.errors.empty()) << read.errors;
    ASSERT_EQ(read.steps.size(), 2u);
    EXPECT_EQ(read.steps[0], std::make_pair(100.0, std::string("results_0001.vtr")));
    EXPECT_EQ(read.steps[1], std::make_pair(101.0, std::string("results_0002.vtr")));
    ASSERT_EQ(read.arrays.count("US SALT CONCENTRATION"), 1u);
    // The second step's file is read last: its values.
    EXPECT_EQ(read.arrays.at("US SALT CONCENTRATION").front(), 2.0);

    // Unchecked, only the grid is written.
    RunExport(Path("gridonly.vtr"), false);
    EXPECT_TRUE(QFileInfo::exists(Path("gridonly.vtr")));
    EXPECT_FALSE(QFileInfo::exists(Path("gridonly.pvd")));
    EXPECT_FALSE(QFileInfo::exists(Path("gridonly_0001.vtr")));
}

TEST_F(ParaViewExport, AFolderThatCannotBeWrittenIsReportedAndLeavesNoFile) {
    // A folder nobody can create files in, even the superuser the tests may
    // run as; a locked folder of our own where that holds.
    QStringList targets{"/proc/self/field3d.vtr"};
    const QString locked = Path("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (!QFileInfo(locked).isWritable()) targets << locked + "/field3d.vtr";
    for (const QString& target : targets) {
        prompts.messages.clear();
        RunExport(target);
        ASSERT_EQ(prompts.messages.size(), 1) << target.toStdString();
        EXPECT_THAT(prompts.messages[0].toStdString(), HasSubstr("Export to ParaView failed"));
        EXPECT_THAT(prompts.messages[0].toStdString(), HasSubstr(target.toStdString()));
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    EXPECT_TRUE(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ParaViewExport, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    WriteText(Path("old.vtr").toStdString(), "old");
    prompts.answers = {Answer::No};
    RunExport(Path("old.vtr"));
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_THAT(prompts.questions[0].toStdString(), HasSubstr("already exists"));
    EXPECT_EQ(QFileInfo(Path("old.vtr")).size(), 3);

    prompts.answers = {Answer::Yes};
    RunExport(Path("old.vtr"));
    EXPECT_GT(QFileInfo(Path("old.vtr")).size(), 3);
}

TEST(ParaViewExportChoice, SuggestsAFileBesideTheProjectAndChecksTheChosenOne) {
    GridData grid;
    const ParaViewExportChoice saved(grid, "/data/fields/north.kvp", "north.kvp", "/work");
    EXPECT_EQ(saved.SuggestedPath(), "/data/fields/north.vtr");
    EXPECT_FALSE(saved.HasResults());
    const ParaViewExportChoice untitled(grid, "", "KORVA1", "/work");
    EXPECT_EQ(untitled.SuggestedPath(), "/work/KORVA1.vtr");

    EXPECT_EQ(ParaViewExportChoice::WithVtrSuffix("a/b"), "a/b.vtr");
    EXPECT_EQ(ParaViewExportChoice::WithVtrSuffix("a/b.VTR"), "a/b.VTR");
    EXPECT_EQ(ParaViewExportChoice::WithVtrSuffix("a/b.txt"), "a/b.txt.vtr");

    QTemporaryDir folder;
    const ParaViewExportChoice choice(grid, "", "KORVA1", folder.path());
    QString path, message;
    EXPECT_FALSE(choice.Check("  ", false, path, message));
    EXPECT_THAT(message.toStdString(), HasSubstr("Choose the file"));
    EXPECT_FALSE(choice.Check(folder.path(), false, path, message));
    EXPECT_THAT(message.toStdString(), HasSubstr("is a folder"));
    EXPECT_FALSE(choice.Check(folder.path() + "/missing/out.vtr", false, path, message));
    EXPECT_THAT(message.toStdString(), HasSubstr("does not exist"));
    EXPECT_FALSE(choice.Check("out", true, path, message));
    EXPECT_THAT(message.toStdString(), HasSubstr("no results"));
    // A relative name lands in the working folder, with its ending.
    ASSERT_TRUE(choice.Check("out", false, path, message));
    EXPECT_EQ(path, QDir(folder.path()).filePath("out.vtr"));
    EXPECT_EQ(choice.Summary(path, true), "Writes out.vtr.");
}

} // namespace
} // namespace korva::test
