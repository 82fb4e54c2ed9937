// "Simulation Constants" and its editors on the bundled example: what the
// user changes arrives in the model as one undo step, Cancel leaves it alone.
#include "dialogs/settings/etfunctiondlg.h"
#include "dialogs/settings/methodchoicedlg.h"
#include "dialogs/settings/methodconstantsdlg.h"
#include "dialogs/settings/simulationconstantsdlg.h"
#include "dialogs/settings/simulationparametersdlg.h"
#include "dialogtestfixture.h"
#include "widgets/tablectrl.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace korva {
namespace {

class SettingsDialogs : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        panel = std::make_unique<SimulationConstantsDlg>(*document);
        panel->show();
    }
    template <class Dlg> Dlg* Open(SimulationConstantsDlg::Editor editor) {
        QTest::mouseClick(panel->Button(editor), Qt::LeftButton);
        auto* dialog = qobject_cast<Dlg*>(panel->ExistingEditor(editor));
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            EXPECT_TRUE(dialog->isVisible());
        }
        return dialog;
    }
    std::unique_ptr<SimulationConstantsDlg> panel;
};

TEST_F(SettingsDialogs, ThePanelOffersNineEditorsAndClose) {
    EXPECT_EQ(panel->windowTitle(), "Simulation Constants");
    QStringList texts;
    for (QPushButton* button : panel->findChildren<QPushButton*>())
        texts << button->text();
    EXPECT_EQ(texts, QStringList({"Simulation Parameters", "Pressure-Saturation Function",
                                  "Root Growth Function", "Root Extraction Function",
                                  "Crop Yield Function", "ET Function", "K-Weighting Method",
                                  "Equation Type", "Initial Conditions", "Close"}));
    // The crop yield editor belongs to the record editors; until one is given
    // the button cannot be pressed.
    EXPECT_FALSE(panel->Button(SimulationConstantsDlg::CropYield)->isEnabled());
    bool opened = false;
    panel->SetCropYieldEditor([&](QWidget* parent) {
        opened = true;
        return new QDialog(parent);
    });
    QTest::mouseClick(panel->Button(SimulationConstantsDlg::CropYield), Qt::LeftButton);
    EXPECT_TRUE(opened);
}

TEST_F(SettingsDialogs, SimulationParametersOkStoresAndUndoes) {
    const SimulationSettings before = grid.Settings();
    auto* dialog = Open<SimulationParametersDlg>(SimulationConstantsDlg::SimulationParameters);
    ASSERT_NE(dialog, nullptr);
    QSignalSpy periodChanged(panel.get(), &SimulationConstantsDlg::SimulationPeriodChanged);
    Type(dialog->Field("porosity"), "1.4"); // accepted: the run's check complains
    Type(dialog->Field("startMonth"), "2");
    Type(dialog->Field("startDay"), "29");
    Type(dialog->Field("startYear"), "1995");
    ClickOk(dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(grid.Settings().porosity, 1.4);
    EXPECT_EQ(grid.Settings().simulationYear, 1995);
    EXPECT_EQ(grid.Settings().simulationStart, -1); // 29 February 1995 does not exist
    EXPECT_EQ(periodChanged.count(), 1);
    ASSERT_EQ(stack.count(), 1);
    stack.undo();
    EXPECT_EQ(grid.Settings().porosity, before.porosity);
    EXPECT_EQ(grid.Settings().simulationStart, before.simulationStart);
    EXPECT_EQ(grid.Settings().simulationYear, before.simulationYear);
}

TEST_F(SettingsDialogs, ATextThatIsNotANumberKeepsTheDialogOpen) {
    auto* dialog = Open<SimulationParametersDlg>(SimulationConstantsDlg::SimulationParameters);
    ASSERT_NE(dialog, nullptr);
    Type(dialog->Field("simulationTimeStep"), "0.5");
    Type(dialog->Field("tortuosity"), "two");
    ClickOk(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages.messages, (std::vector<std::string>{"Please enter a number."}));
    EXPECT_EQ(stack.count(), 0);
    ClickCancel(dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stack.count(), 0);
    // Shown again, the editor reads the model, not the abandoned text.
    dialog = Open<SimulationParametersDlg>(SimulationConstantsDlg::SimulationParameters);
    EXPECT_NE(dialog->Field("tortuosity")->text(), "two");
}

TEST_F(SettingsDialogs, EachPressureSaturationMethodKeepsItsConstants) {
    ReaderContents(grid).settings.poreSize = {0.1, 0.2, 0.3};
    auto* dialog = Open<MethodConstantsDlg>(SimulationConstantsDlg::PressureSaturation);
    ASSERT_NE(dialog, nullptr);
    dialog->MethodBox()->setCurrentIndex(BROOKS_COREY);
    Type(dialog->ValueField(0), "0.15");
    dialog->MethodBox()->setCurrentIndex(HAVERKAMP);
    EXPECT_EQ(dialog->ValueField(0)->text(), "0.3");
    Type(dialog->ValueField(1), "7");
    dialog->MethodBox()->setCurrentIndex(BROOKS_COREY);
    EXPECT_EQ(dialog->ValueField(0)->text(), "0.15");
    ClickOk(dialog);
    EXPECT_EQ(grid.Settings().pressureSaturationMethod, BROOKS_COREY);
    EXPECT_EQ(grid.Settings().poreSize, (std::array<double, 3>{0.15, 0.2, 0.3}));
    EXPECT_EQ(grid.Settings().residualMoisture[HAVERKAMP], 7.0);
    stack.undo();
    EXPECT_EQ(grid.Settings().poreSize, (std::array<double, 3>{0.1, 0.2, 0.3}));
}

TEST_F(SettingsDialogs, RootEditorsShowTheFieldsTheMethodUses) {
    auto* growth = Open<MethodConstantsDlg>(SimulationConstantsDlg::RootGrowth);
    ASSERT_NE(growth, nullptr);
    growth->MethodBox()->setCurrentIndex(FERERES);
    EXPECT_FALSE(growth->ValueField(0)->isEnabled());
    growth->MethodBox()->setCurrentIndex(HANKS_HILL);
    EXPECT_TRUE(growth->ValueField(1)->isEnabled());
    ClickCancel(growth);
    EXPECT_EQ(stack.count(), 0);

    ReaderContents(grid).settings.rootExtractionParams[VAN_GENUCHTEN_HOFFMAN] = {1, 2, 3, 4, 5};
    auto* extraction = Open<MethodConstantsDlg>(SimulationConstantsDlg::RootExtraction);
    ASSERT_NE(extraction, nullptr);
    extraction->MethodBox()->setCurrentIndex(VAN_GENUCHTEN_HOFFMAN);
    EXPECT_EQ(extraction->ValueLabel(0)->text(), "Matric Pressure");
    EXPECT_EQ(extraction->ValueLabel(1)->text(), "Osmotic Pressure at 50% Yield Reduction ");
    EXPECT_EQ(extraction->ValueLabel(2)->text(), "Maximum Water Uptake");
    EXPECT_TRUE(extraction->ValueField(2)->isVisible());
    EXPECT_FALSE(extraction->ValueField(3)->isVisible());
    EXPECT_EQ(extraction->ValueField(1)->text(), "2");
    Type(extraction->ValueField(2), "30");
    ClickOk(extraction);
    EXPECT_EQ(grid.Settings().rootExtractionMethod, VAN_GENUCHTEN_HOFFMAN);
    // The hidden positions keep their values.
    EXPECT_EQ(grid.Settings().rootExtractionParams[VAN_GENUCHTEN_HOFFMAN],
              (std::array<double, 5>{1, 2, 30, 4, 5}));
}

TEST_F(SettingsDialogs, SingleChoiceEditorsStoreTheirCode) {
    auto* weighting = Open<MethodChoiceDlg>(SimulationConstantsDlg::KWeighting);
    ASSERT_NE(weighting, nullptr);
    EXPECT_EQ(weighting->MethodBox()->count(), 4);
    weighting->MethodBox()->setCurrentIndex(HARMONIC_MEAN);
    ClickOk(weighting);
    EXPECT_EQ(grid.Settings().kWeightingMethod, HARMONIC_MEAN);

    auto* initial = Open<MethodChoiceDlg>(SimulationConstantsDlg::InitialConditions);
    ASSERT_NE(initial, nullptr);
    EXPECT_EQ(initial->MethodBox()->itemText(1), "Static Equilibrium");
    initial->MethodBox()->setCurrentIndex(STATIC_EQUILIBRIUM);
    ClickCancel(initial);
    EXPECT_EQ(grid.Settings().initialConditionsType, USER_DEFINED);
    // OK without a change adds no undo step.
    auto* equation = Open<MethodChoiceDlg>(SimulationConstantsDlg::EquationType);
    ClickOk(equation);
    EXPECT_EQ(stack.count(), 1);
}

TEST_F(SettingsDialogs, TheETTableMovesWithCalcAndOkStoresIt) {
    ReaderContents(grid).settings.simulationYear = 1990;
    ReaderContents(grid).settings.ETPeriod = {0, 9};
    ReaderContents(grid).settings.DailyETUsage = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    auto* dialog = Open<ETFunctionDlg>(SimulationConstantsDlg::ETFunction);
    ASSERT_NE(dialog, nullptr);
    TableCtrl* table = dialog->Table();
    ASSERT_EQ(table->GetRowCount(), 3);
    EXPECT_EQ(table->GetItemText(0, 0), "Date Range");
    EXPECT_EQ(table->GetItemText(2, 0), "Jan  8, 1990-Jan 10, 1990");
    EXPECT_FALSE(table->IsItemEditable(2, 4)); // past the last day

    Type(dialog->StartField(1), "2");
    Type(dialog->EndField(1), "12");
    QTest::mouseClick(dialog->CalcButton(), Qt::LeftButton);
    EXPECT_EQ(table->GetItemText(1, 0), "Jan  2, 1990-Jan  8, 1990");
    EXPECT_EQ(table->GetItemText(1, 1), "2");
    EXPECT_EQ(table->GetItemText(2, 4), "0");
    TypeIntoCell(*table, 1, 2, "dry");
    EXPECT_EQ(table->GetItemText(1, 2), "0");

    Type(dialog->EndField(0), "2");
    Type(dialog->EndField(1), "30");
    QTest::mouseClick(dialog->CalcButton(), Qt::LeftButton);
    EXPECT_EQ(messages.messages, (std::vector<std::string>{"Illegal end date."}));

    ClickOk(dialog);
    EXPECT_EQ(grid.Settings().ETPeriod.first, 1);
    EXPECT_EQ(grid.Settings().ETPeriod.last, 11);
    EXPECT_EQ(grid.Settings().DailyETUsage,
              (std::vector<double>{2, 0, 4, 5, 6, 7, 8, 9, 10, 0, 0}));
    stack.undo();
    EXPECT_EQ(grid.Settings().DailyETUsage.size(), 10u);
    EXPECT_EQ(grid.Settings().ETPeriod.first, 0);
}

} // namespace
} // namespace korva
