// The Simulation Parameters fields and the single-choice editors, without a window.
#include "dialogs/fieldtext.h"
#include "dialogs/settings/methodchoices.h"
#include "dialogs/settings/simulationparametersform.h"
#include "model/griddata.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(SimulationParametersForm, StoredPeriodComesBackAsTheDatesItWasTypedAs) {
    SimulationSettings settings;
    settings.simulationYear = 1996;
    settings.simulationStart = 59; // 29 February 1996
    settings.simulationEnd = 400;  // into 1997
    const SimulationParametersForm form = ReadSimulationParameters(settings);
    EXPECT_EQ(form.start.month, 2);
    EXPECT_EQ(form.start.day, 29);
    EXPECT_EQ(form.start.year, 1996);
    EXPECT_EQ(form.end.year, 1997);

    bool changed = true;
    const SimulationSettings stored = StoreSimulationParameters(form, settings, changed);
    EXPECT_FALSE(changed);
    EXPECT_EQ(stored.simulationStart, 59);
    EXPECT_EQ(stored.simulationEnd, 400);
}

TEST(SimulationParametersForm, OkTakesTheStartYearAndMarksImpossibleDates) {
    SimulationSettings settings;
    SimulationParametersForm form = ReadSimulationParameters(settings);
    form.start = {2, 29, 1995}; // no such day
    form.end = {3, 1, 1995};
    bool changed = false;
    SimulationSettings stored = StoreSimulationParameters(form, settings, changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(stored.simulationYear, 1995);
    EXPECT_EQ(stored.simulationStart, -1);
    EXPECT_EQ(stored.simulationEnd, 59);

    form.start = {1, 10, 2001};
    form.end = {12, 31, 2000}; // the year before the start's
    stored = StoreSimulationParameters(form, settings, changed);
    EXPECT_EQ(stored.simulationStart, 9);
    EXPECT_EQ(stored.simulationEnd, -1);
}

TEST(SimulationParametersForm, EveryFieldIsStoredAsTypedWithoutRangeChecks) {
    SimulationSettings settings;
    settings.DailyETUsage = {1.0, 2.0};
    SimulationParametersForm form = ReadSimulationParameters(settings);
    EXPECT_TRUE(form.useSaltSolver);
    form.simulationTimeStep = -0.5;
    form.porosity = 1.7;
    form.kvKhRatio = 0.1;
    form.verticalDispersion = 3.0;
    form.useSaltSolver = false;
    bool changed = false;
    const SimulationSettings stored = StoreSimulationParameters(form, settings, changed);
    EXPECT_EQ(stored.simulationTimeStep, -0.5);
    EXPECT_EQ(stored.porosity, 1.7);
    EXPECT_EQ(stored.kvKhRatio, 0.1);
    EXPECT_EQ(stored.verticalDispersion, 3.0);
    EXPECT_EQ(stored.useSaltSolver, 0.0);
    EXPECT_EQ(stored.DailyETUsage, settings.DailyETUsage); // not this dialog's
}

TEST(SimulationParametersForm, SummaryCountsTheModel) {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).rowSpacing = {1, 1};
    ReaderContents(grid).columnSpacing = {1, 1, 1};
    ReaderContents(grid).layerSpacing = {10};
    grid.Resize(1, 2, 3);
    grid.AppendBoundary(DrainType, "D1", {0, 0, 1});
    grid.AppendBoundary(BasinType, "B1", {0, 1, 0});
    grid.AppendBoundary(BasinType, "B2", {1, 0, 0});
    const SimulationModelSummary summary = SummarizeModel(grid);
    EXPECT_EQ(summary.layersRowsColumns, "1, 2, 3");
    EXPECT_EQ(summary.naturalBoundaries, 0);
    EXPECT_EQ(summary.drains, 1);
    EXPECT_EQ(summary.basins, 2);
}

TEST(FieldText, AFieldHoldsOneNumberAndNothingElse) {
    EXPECT_EQ(ParseFieldDouble(" 2.5 "), 2.5);
    EXPECT_EQ(ParseFieldDouble("-1e-3"), -1e-3);
    EXPECT_EQ(ParseFieldDouble("+4"), 4.0);
    EXPECT_FALSE(ParseFieldDouble("2.5 cm"));
    EXPECT_FALSE(ParseFieldDouble(""));
    EXPECT_FALSE(ParseFieldDouble("nan"));
    EXPECT_FALSE(ParseFieldDouble("1e999"));
    EXPECT_EQ(ParseFieldInt("12"), 12);
    EXPECT_FALSE(ParseFieldInt("12.5"));
    EXPECT_FALSE(ParseFieldInt("99999999999"));
    EXPECT_EQ(IntegerRangeMessage(1, 100000), "Please enter an integer between 1 and 100000.");
    EXPECT_EQ(FormatFieldDouble(0.1), "0.1");
    EXPECT_EQ(FormatFieldDouble(1234567.0), "1.23457e+06");
}

TEST(MethodChoices, EachEditorListsItsNamesByCode) {
    const MethodChoiceInfo& k = MethodChoiceDescription(MethodChoice::KWeighting);
    ASSERT_EQ(k.names.size(), 4u);
    EXPECT_EQ(k.names[3], "Geometric Mean");
    const MethodChoiceInfo& e = MethodChoiceDescription(MethodChoice::EquationType);
    EXPECT_EQ(e.names, (std::vector<std::string>{"Mass Balance", "Taylor Series"}));
    const MethodChoiceInfo& i = MethodChoiceDescription(MethodChoice::InitialConditions);
    EXPECT_EQ(i.names[1], "Static Equilibrium");

    SimulationSettings settings;
    settings.*(i.field) = 1;
    EXPECT_EQ(settings.initialConditionsType, 1);
    EXPECT_EQ(ShownMethodCode(k, 7), 0); // from a hand-edited file
    EXPECT_EQ(ShownMethodCode(k, 2), 2);
}

} // namespace
} // namespace korva
