// How the project reader matches labels, reports failures and defends itself
// against damaged files.
#include "files/project/projectfile.h"
#include "model/messages.h"
#include "projectfile_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace korva {
namespace {

using testing::ProjectText;
using testing::Replaced;
using testing::RichModel;

class ProjectReader : public ::testing::Test {
protected:
    // Reads text; returns the result and keeps the messages.
    bool Read(const std::string& text) {
        grid = GridData();
        sink.messages.clear();
        return ReadProjectText(grid, text, "p.kvp", result);
    }
    std::string OnlyMessage() const {
        EXPECT_EQ(sink.messages.size(), 1u);
        return sink.messages.empty() ? std::string() : sink.messages.front();
    }

    testing::TimeSeriesGlobalsGuard globals;
    CollectingMessageSink sink;
    ScopedMessageSink scoped{sink};
    GridData grid;
    ProjectReadResult result;
    const std::string rich = ProjectText(RichModel());
};

TEST_F(ProjectReader, LabelsMatchByKeyAnywhereInTheirText) {
    ASSERT_TRUE(Read(Replaced(rich, "porosity = ", "soil porosity (a fraction) = ")));
    EXPECT_EQ(grid.Settings().porosity, 0.45);

    // The method labels read the same when joined on one line.
    ASSERT_TRUE(
        Read(Replaced(rich, "VAN_GENUCHTEN,\r\n  2->HAVERKAMP", "VAN_GENUCHTEN, 2->HAVERKAMP")));
    EXPECT_EQ(ProjectText(grid), rich);

    // Text between two items is swallowed into the next label.
    ASSERT_TRUE(Read(Replaced(rich, "tortuosity = ", "a note\r\nabout this\r\ntortuosity = ")));
    EXPECT_EQ(grid.Settings().tortuosity, 0.66);

    // The kind line has no space after "=", and a kind of 1.7 is 1.
    ASSERT_TRUE(Read(Replaced(rich, "(3d)) =1", "(3d)) =1.7")));
    EXPECT_EQ(grid.ModelKind(), 1);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ProjectReader, MissingOrMisspelledLabelsNameTheExpectedHeader) {
    const std::pair<std::string, std::string> cases[] = {
        {"porosity = ", "Parse error looking for 'porosity =' header in file p.kvp"},
        {"file version = ", "Parse error looking for 'file version =' header in file p.kvp"},
        {"model (0 -> ", "Parse error looking for 'model =' header in file p.kvp"},
        {"spacings for column = ",
         "Parse error looking for 'spacings for column =' header in file p.kvp"},
        {"kv_kh_rat = ", "Parse error looking for 'kv_kh_rat=' header in file p.kvp"},
        {"ET period=", "Parse error looking for 'ET period:' header in file p.kvp"},
        {"daily ET usage:", "Parse error looking for 'daily ET usage:' header in file p.kvp"},
        {"irrigation list for basin1:",
         "Parse error looking for 'irrigation list for basin:' header in file p.kvp"},
        {"yield response factors for basin 1",
         "Parse error looking for 'yield response factors =' header in file p.kvp"},
        {"fluxes:", "Parse error looking for 'fluxes:' header in file p.kvp"},
        {"water quality:", "Parse error looking for 'water quality:' header in file p.kvp"},
        {"Z exaggerration", "Parse error looking for 'Z exaggerration =' header in file p.kvp"},
    };
    for (const auto& [label, message] : cases) {
        // Misspell the label by dropping its second character.
        std::string broken = label;
        broken.erase(1, 1);
        EXPECT_FALSE(Read(Replaced(rich, label, broken))) << label;
        EXPECT_EQ(OnlyMessage(), message);
    }
}

TEST_F(ProjectReader, RecordReadersReportTheirOwnTextsWithTheFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"min, max color", "Parse error: unable to find header 'min, max color =' in file p.kvp"},
        {"boundary name =drain B", "Parse error reading 'boundary name =' header. in file p.kvp"},
        {"collector index =0", "Parse error reading 'collector index =' header. in file p.kvp"},
        {"should be displayed (yes/no) =no",
         "Parse error reading 'should be displayed (yes/no) =' header. in file p.kvp"},
        {"boundary data =", "Parse error reading 'boundary data =' header in file p.kvp"},
        {"number of irrigation elements",
         "Parse error reading 'number of irrigation elements =' header. in file p.kvp"},
        {"irrigation item 1", "Parse error reading 'irrigation item =' header. in file p.kvp"},
        {"data item day",
         "Parse error reading 'print data item day, month, and year =' header. in file p.kvp"},
        {"number of timeseries parameters for this cell = 3",
         "Parse error: unable to find header 'number of timeseries parameters for this cell =' "
         "in file p.kvp"},
        {"crop parameter data =Alfalfa",
         "Parse error: unable to find header 'crop parameter data =' in file p.kvp"},
        {"crop basin data =east",
         "Parse error: unable to find header 'crop basin data =' in file p.kvp"},
    };
    for (const auto& [label, message] : cases) {
        std::string broken = label;
        broken.erase(2, 1);
        EXPECT_FALSE(Read(Replaced(rich, label, broken))) << label;
        EXPECT_EQ(OnlyMessage(), message);
    }

    EXPECT_FALSE(Read(Replaced(rich, "layer data = \r\n2.46914", "layr data = \r\n2.46914")));
    EXPECT_EQ(OnlyMessage(), "Parse error reading layer data header in file p.kvp");
    EXPECT_FALSE(Read(Replaced(rich, "type = Collector", "type = Swamp")));
    EXPECT_EQ(OnlyMessage(), "Unable to set boundary type from string Swamp. in file p.kvp");
    EXPECT_FALSE(Read(Replaced(rich, "porosity = 0.45", "porosity = high")));
    EXPECT_EQ(OnlyMessage(),
              "Parse error reading a number after the 'porosity =' header in file p.kvp");
}

TEST_F(ProjectReader, DisplayedFlagAndNamesFollowTheTextRules) {
    std::string text = Replaced(rich, "(yes/no) =yes\r\ncollector index =0",
                                "(yes/no) =yes, please\r\ncollector index =0");
    text = Replaced(text, "(yes/no) =yes\r\ncollector index =-1",
                    "(yes/no) =Yes\r\ncollector index =-1");
    text = Replaced(text, "boundary name =main collector", "boundary name =   main collector");
    ASSERT_TRUE(Read(text));
    EXPECT_EQ(grid.Contents().boundaries[DrainType].displayed[0], 1);
    EXPECT_EQ(grid.Contents().boundaries[DrainType].displayed[1], 0); // the test is case-sensitive
    EXPECT_EQ(grid.Contents().boundaries[CollectorType].names[0], "main collector");
}

TEST_F(ProjectReader, TimeSeriesFailuresEndTheReadSuccessfully) {
    // A file that ends right after its print dates is accepted with a message;
    // what follows keeps its previous value.
    const size_t cut = rich.find("number of timeseries parameters for this cell = 3");
    ASSERT_NE(cut, std::string::npos);
    EXPECT_TRUE(Read(rich.substr(0, cut)));
    EXPECT_EQ(OnlyMessage(), "Input error: OutputParamData: No more input");
    EXPECT_EQ(grid.PrintList().size(), 3u);
    EXPECT_EQ(grid.ZExaggeration(), 1.0);
    EXPECT_TRUE(grid.OutputBaseName().empty());
    EXPECT_TRUE(grid.CropParams().empty());

    // A damaged row header inside the grid: the same, with the grid's text.
    EXPECT_TRUE(Read(Replaced(rich, "13 \r\nlayer data = \r\n", "13 \r\nlayr data = \r\n")));
    EXPECT_EQ(OnlyMessage(), "Input error: Parse error reading layer data header");
    EXPECT_EQ(grid.GridOutputParamList().size(), 3u);
    EXPECT_EQ(grid.ZExaggeration(), 1.0);
}

// Saving a project read up to damage in the middle would lose the crops and
// everything else after it, so callers must be able to tell damage from a
// file that merely ends early.
TEST_F(ProjectReader, DamageInTheSelectionsIsToldFromAFileCutShort) {
    ASSERT_TRUE(Read(rich));
    EXPECT_TRUE(result.read);
    EXPECT_FALSE(result.readWithErrors);

    // Cut short anywhere inside the time-series grid, even inside a label or
    // a number: not damage.
    const std::size_t start =
        rich.find("layer data = ", rich.find("number of timeseries parameters for this cell = 3"));
    ASSERT_NE(start, std::string::npos);
    for (std::size_t end = start; end < start + 120; end += 7) {
        EXPECT_TRUE(Read(rich.substr(0, end))) << end;
        EXPECT_TRUE(result.read);
        EXPECT_FALSE(result.readWithErrors) << rich.substr(start, end - start);
    }

    // A count that is not a number, a misspelt row header, an unknown code:
    // the file goes on after them, so they are damage.
    const std::pair<std::string, std::string> damages[] = {
        {"for this cell = 0\r\n", "for this cell = x\r\n"},
        {"13 \r\nlayer data = \r\n", "13 \r\nlayr data = \r\n"},
        {"cell = 2\r\n9 4 ", "cell = 2\r\n9 150 "},
    };
    for (const auto& [from, to] : damages) {
        EXPECT_TRUE(Read(Replaced(rich, from, to))) << to;
        EXPECT_TRUE(result.read);
        EXPECT_TRUE(result.readWithErrors) << to;
        EXPECT_EQ("Input error: " + result.damage, OnlyMessage());
        EXPECT_TRUE(grid.CropParams().empty());
    }

    // A failed read is no read with errors: it says false itself.
    EXPECT_FALSE(Read(Replaced(rich, "porosity = ", "porosty = ")));
    EXPECT_FALSE(result.read);
    EXPECT_FALSE(result.readWithErrors);
}

TEST_F(ProjectReader, DamagedSelectionLeavesNoInvalidCodeBehind) {
    // Found by fuzzing: the code read before the failure stayed in the cell,
    // and the saved project could not be opened again.
    EXPECT_TRUE(Read(Replaced(rich, "cell = 2\r\n9 4 ", "cell = 2\r\n9 150 ")));
    EXPECT_EQ(OnlyMessage(), "Input error: Parse error: unknown output parameter code 150 after "
                             "the 'number of timeseries parameters for this cell =' header");
    EXPECT_TRUE(grid.TimeSeriesCellGrid().Get(0, 1, 2).empty());
    const std::string saved = ProjectText(grid);
    EXPECT_TRUE(Read(saved));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ProjectReader, BadCountsAreParseErrorsNotAllocations) {
    const std::pair<std::string, std::string> cases[] = {
        {"number of boundaries for this type =2\r\nboundary name =drain A",
         "number of boundaries for this type =-1\r\nboundary name =drain A"},
        {"number of boundaries for this type =1\r\nboundary name =main",
         "number of boundaries for this type =2000000000\r\nboundary name =main"},
        {"number of irrigation elements = 2", "number of irrigation elements = 99999999"},
        {"number of print control items = 3", "number of print control items = -3"},
        {"number of crop parameters = 2", "number of crop parameters = 2147483647"},
        {"number of crop-basin parameters = 2", "number of crop-basin parameters = 1000000"},
        {"this cell = 3", "this cell = -1"},
        {"this cell = 3", "this cell = 4294967295"},
        {"ET period=100 104", "ET period=100 50"},
    };
    for (const auto& [from, to] : cases) {
        EXPECT_FALSE(Read(Replaced(rich, from, to))) << to;
        EXPECT_NE(OnlyMessage().find("invalid count"), std::string::npos) << OnlyMessage();
    }
}

TEST_F(ProjectReader, DimensionsMustFitTheFile) {
    const std::string header = "nrows = 3 ncolumns = 4 nlayers = 2";
    for (const char* dims :
         {"nrows = 0 ncolumns = 4 nlayers = 2", "nrows = -3 ncolumns = 4 nlayers = 2",
          "nrows = 3 ncolumns = 4 nlayers = 2000000000",
          "nrows = 100000 ncolumns = 100000 nlayers = 100000",
          "nrows = 300 ncolumns = 300 nlayers = 2"}) {
        EXPECT_FALSE(Read(Replaced(rich, header, dims))) << dims;
        EXPECT_NE(OnlyMessage().find("does not fit the file in file p.kvp"), std::string::npos)
            << OnlyMessage();
    }
}

TEST_F(ProjectReader, MeaninglessValuesAreRejected) {
    EXPECT_FALSE(Read(Replaced(rich, "(3d)) =1", "(3d)) =2")));
    EXPECT_EQ(OnlyMessage(),
              "Parse error: unknown model kind 2 after the 'model =' header in file p.kvp");

    EXPECT_FALSE(Read(Replaced(rich, "cell = 3\r\n0 2 13 ", "cell = 3\r\n0 2 14 ")));
    EXPECT_NE(OnlyMessage().find("unknown output parameter code 14"), std::string::npos);

    // Blocks stand in kind order; a swapped block is not filed under the wrong kind.
    EXPECT_FALSE(Read(Replaced(rich, "type = No Flow", "type = Inactive")));
    EXPECT_EQ(OnlyMessage(),
              "Boundary block 'Inactive' found where 'No Flow' belongs. in file p.kvp");
}

TEST_F(ProjectReader, LongLabelsStopAt511Characters) {
    EXPECT_TRUE(Read(Replaced(rich, "porosity = ", std::string(500, 'x') + "porosity = ")));
    EXPECT_FALSE(Read(Replaced(rich, "porosity = ", std::string(520, 'x') + "porosity = ")));
    EXPECT_EQ(OnlyMessage(), "Parse error looking for 'porosity =' header in file p.kvp");
}

TEST_F(ProjectReader, MissingFilesAndFoldersCannotBeOpened) {
    GridData g;
    EXPECT_FALSE(ReadProjectFile(g, "/nonexistent/folder/p.kvp"));
    EXPECT_EQ(OnlyMessage(), "Unable to open input file /nonexistent/folder/p.kvp");
    sink.messages.clear();
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(ReadProjectFile(g, folder));
    EXPECT_EQ(OnlyMessage(), "Unable to open input file " + folder);
}

TEST_F(ProjectReader, FailedReadKeepsWhatWasReadBefore) {
    ASSERT_FALSE(Read(Replaced(rich, "tortuosity = ", "tortuosty = ")));
    EXPECT_EQ(grid.NumRows(), 3);
    EXPECT_EQ(grid.Contents().boundaries[BasinType].Count(), 2);
    EXPECT_EQ(grid.Settings().porosity, 0.45);
    EXPECT_EQ(grid.Settings().tortuosity, 0.0);
}

} // namespace
} // namespace korva
