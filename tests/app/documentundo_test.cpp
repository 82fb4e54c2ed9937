// Every operation of the document is one undoable step: undo gives back the
// model exactly as it was, redo the changed one, and the modified flag
// follows the saved state.
#include "app/document/commands/editcommand.h"
#include "app/document/korvadoc.h"
#include "apptesthelpers.h"
#include "scriptedprompter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace korva {
namespace {

using test::ModelText;

class DocumentUndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document.OnOpenDocument(test::ExampleProject("field3d.kvp")));
        ASSERT_FALSE(document.IsModified());
    }

    // Runs change, then checks undo and redo restore both models exactly.
    void ExpectUndoable(const std::function<void()>& change) {
        document.SetModifiedFlag(false); // as if just saved
        const std::string before = ModelText(document.Grid());
        const int steps = document.UndoStack()->count();
        change();
        const std::string after = ModelText(document.Grid());
        EXPECT_EQ(document.UndoStack()->count(), steps + 1) << "one step per operation";
        EXPECT_TRUE(document.IsModified());
        document.UndoStack()->undo();
        EXPECT_EQ(ModelText(document.Grid()), before);
        EXPECT_FALSE(document.IsModified()) << "back at the saved state";
        document.UndoStack()->redo();
        EXPECT_EQ(ModelText(document.Grid()), after);
        EXPECT_TRUE(document.IsModified());
    }

    test::ScriptedPrompter prompts;
    CKORVADoc document;
};

TEST_F(DocumentUndoTest, AddingBoundariesOfEveryKindIsUndone) {
    for (int type = 0; type < BoundaryTypeCount; ++type)
        ExpectUndoable([&] { document.AddBoundary(type, "new one", {0.5, 0.25, 1.0}); });
    EXPECT_EQ(document.Grid().Irrigation().size(), 3u) << "a new basin has its schedule";
}

TEST_F(DocumentUndoTest, DeletingBoundariesRestoresCellsListsAndConnections) {
    // The collector has drains emptying into it; the first basin has cells,
    // irrigation and yield values; both must come back where they were.
    ExpectUndoable([&] { document.DeleteBoundary(CollectorType, 0); });
    ExpectUndoable([&] { document.DeleteBoundary(BasinType, 0); });
    ExpectUndoable([&] { document.DeleteBoundary(DrainType, 1); });
    ExpectUndoable([&] { document.DeleteBoundary(NaturalBoundaryType, 0); });
    ExpectUndoable([&] { document.DeleteBoundary(NoFlowType, 0); });
}

TEST_F(DocumentUndoTest, DeletingTheMiddleOfSeveralRenumbersAndUndoRestores) {
    document.AddBoundary(BasinType, "third", {1, 0, 0});
    GridData& grid = document.GridForEdit();
    grid.SetBoundaryValue(BasinType, 0, 0, 0, 3);
    document.SetModifiedFlag(false);
    ExpectUndoable([&] { document.DeleteBoundary(BasinType, 1); });
    EXPECT_EQ(document.Grid().GetBoundaryValue(BasinType, 0, 0, 0), 2);
}

TEST_F(DocumentUndoTest, RenamingABasinCarriesItsCropAndUndoGivesItBack) {
    const std::string old = document.Grid().Boundary(BasinType).names[0];
    ExpectUndoable([&] { document.RenameBoundary(BasinType, 0, "renamed"); });
    bool found = false;
    for (const CropBasinData& entry : document.Grid().CropBasins())
        found = found || entry.basinName == "renamed";
    EXPECT_EQ(found, !document.Grid().CropBasins().empty());
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().Boundary(BasinType).names[0], old);
}

TEST_F(DocumentUndoTest, ColourAndPeriodChangesAreUndoneWithTheirHints) {
    QSignalSpy views(&document, &CKORVADoc::ViewsUpdate);
    ExpectUndoable([&] { document.SetBoundaryColor(DrainType, 0, 255, 0, 51); });
    ASSERT_FALSE(views.isEmpty());
    EXPECT_EQ(views.first().at(0).toInt(), CKORVADoc::BoundaryColorChanged);
    EXPECT_DOUBLE_EQ(document.Grid().Boundary(DrainType).blue[0], 0.2);

    QSignalSpy period(&document, &CKORVADoc::SimulationPeriodChanged);
    const SimulationSettings& s = document.Grid().Settings();
    ExpectUndoable(
        [&] { document.SetSimulationPeriod(s.simulationStart + 3, s.simulationEnd + 5, 2001); });
    EXPECT_EQ(period.count(), 3); // redo, undo, redo
}

TEST_F(DocumentUndoTest, SettingTheSamePeriodStillMarksModified) {
    const SimulationSettings& s = document.Grid().Settings();
    QSignalSpy period(&document, &CKORVADoc::SimulationPeriodChanged);
    document.SetSimulationPeriod(s.simulationStart, s.simulationEnd, s.simulationYear);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(period.count(), 0) << "nothing changed, so no list is refreshed";
}

TEST_F(DocumentUndoTest, GenericEditCommandUndoesAndRedoesThroughItsRecord) {
    ExpectUndoable([&] {
        SimulationSettings edited = document.Grid().Settings();
        edited.irrigationTimeStep = 7;
        document.Execute(new ModelEditCommand(
            document, "Simulation Parameters",
            [edited](GridData& grid, UndoRecord* undo) { return grid.SetSettings(edited, undo); },
            {ModelChange::Settings}));
    });
    EXPECT_EQ(document.Grid().Settings().irrigationTimeStep, 7);
}

TEST_F(DocumentUndoTest, AnEditThatChangesNothingLeavesNoStep) {
    const SimulationSettings& s = document.Grid().Settings();
    const int steps = document.UndoStack()->count();
    document.Execute(new ModelEditCommand(document, "Simulation Period",
                                          [&](GridData& grid, UndoRecord* undo) {
                                              return grid.SetSimulationPeriod(
                                                  s.simulationStart, s.simulationEnd,
                                                  s.simulationYear, undo);
                                          },
                                          {ModelChange::SimulationPeriod}));
    EXPECT_EQ(document.UndoStack()->count(), steps);
}

TEST_F(DocumentUndoTest, TransparencyIsNoChangeOfTheModel) {
    QSignalSpy views(&document, &CKORVADoc::ViewsUpdate);
    document.SetOutputTransparency(0.25);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.UndoStack()->count(), 0);
    ASSERT_EQ(views.count(), 1);
    EXPECT_EQ(views.first().at(0).toInt(), CKORVADoc::TransparencyChanged);
}

TEST_F(DocumentUndoTest, HistoryBeyondItsBudgetForgetsOldStepsButStaysModified) {
    // Outputs of a run big enough that two loads pass the budget.
    OutputStore big;
    KORVAOutputData output;
    output.times.resize(1);
    document.SetHistoryBudget(1u << 20);
    const std::size_t values = document.HistoryBudget() / sizeof(double) * 3 / 4;
    output.times[0].values.Assign(1, 1, static_cast<int>(values), 1.0);
    big.gridOutputs.push_back(std::move(output));
    document.AddBoundary(DrainType, "d", {0, 0, 0});
    document.LoadRunResults(big, "first");
    document.LoadRunResults(std::move(big), "second");
    EXPECT_LE(document.HistoryBytes(), document.HistoryBudget());
    EXPECT_EQ(document.UndoStack()->count(), 1);
    EXPECT_TRUE(document.IsModified());
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().OutputBaseName(), "first");
    EXPECT_TRUE(document.IsModified()) << "the forgotten steps still differ from the file";
}

} // namespace
} // namespace korva
