#include "model/methodconstantsedit.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(MethodConstantsEdit, SwitchingMethodsKeepsEveryMethodsValues) {
    SimulationSettings settings;
    settings.poreSize = {0.1, 0.2, 0.3};
    settings.residualMoisture = {0.01, 0.02, 0.03};
    PressureSaturationEdit edit = StartPressureSaturationEdit(settings);
    EXPECT_EQ(edit.Shown(), (PressureSaturationEdit::Row{0.1, 0.01, 0.0}));
    // The user edits Brooks Corey's pore size, switches to Haverkamp and back.
    const auto haverkamp = edit.SelectMethod(HAVERKAMP, {0.15, 0.01, 0.0});
    EXPECT_EQ(haverkamp, (PressureSaturationEdit::Row{0.3, 0.03, 0.0}));
    EXPECT_EQ(edit.SelectMethod(BROOKS_COREY, haverkamp),
              (PressureSaturationEdit::Row{0.15, 0.01, 0.0}));
    edit.SelectMethod(HAVERKAMP, edit.Shown());
    edit.Accept({0.3, 0.03, 7.0});
    StorePressureSaturationEdit(edit, settings);
    EXPECT_EQ(settings.pressureSaturationMethod, HAVERKAMP);
    EXPECT_EQ(settings.poreSize[0], 0.15);
    EXPECT_EQ(settings.scaleLength[2], 7.0);
    EXPECT_THROW(edit.SelectMethod(3, edit.Shown()), std::out_of_range);
}

TEST(MethodConstantsEdit, RootEditorsRoundTripAllMethods) {
    SimulationSettings settings;
    settings.rootExtractionMethod = VAN_GENUCHTEN_HOFFMAN;
    settings.rootExtractionParams[8] = {1, 2, 3, 4, 5};
    RootExtractionEdit extraction = StartRootExtractionEdit(settings);
    EXPECT_EQ(extraction.Shown()[2], 3.0);
    extraction.Accept({9, 8, 7, 4, 5}); // the hidden positions keep their values
    StoreRootExtractionEdit(extraction, settings);
    EXPECT_EQ(settings.rootExtractionParams[8], (std::array<double, 5>{9, 8, 7, 4, 5}));

    settings.rootGrowthMethod = 42; // a stored code outside the list
    RootGrowthEdit growth = StartRootGrowthEdit(settings);
    EXPECT_EQ(growth.Method(), RASMUSSEN_HANKS);
    growth.SelectMethod(SCHOUWENAARS, {1.5, 2.5});
    StoreRootGrowthEdit(growth, settings);
    EXPECT_EQ(settings.rootGrowthMethod, SCHOUWENAARS);
    EXPECT_EQ(settings.empiricalConstant2[0], 2.5);
    EXPECT_FALSE(RootGrowthConstantsEditable(SCHOUWENAARS));
    EXPECT_TRUE(RootGrowthConstantsEditable(HANKS_HILL));
}

} // namespace
} // namespace korva
