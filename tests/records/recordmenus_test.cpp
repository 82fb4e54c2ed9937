// The record editors opened from their menu commands on a project document:
// the change lands on the document's undo stack and the modified flag.
#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "dialogs/dialogcommands.h"
#include "dialogs/records/boundaries/draincollectorconnectdlg.h"
#include "dialogs/records/boundaries/natbounddlg.h"
#include "dialogs/records/crops/cropyieldeditdlg.h"
#include "dialogs/records/irrigation/irrscheduledlg.h"
#include "dialogs/records/recordcommands.h"
#include "dialogs/settings/simulationconstantsdlg.h"
#include "tablectrl.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <cstdlib>
#include <gtest/gtest.h>

namespace korva {
namespace {

class RecordMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterRecordCommands(table);
        RegisterDialogCommands(table);
        ASSERT_TRUE(document.OnOpenDocument(QString(KORVA_SOURCE_DIR) + "/examples/field3d.kvp"));
        context.document = &document;
    }

    CKORVADoc document;
    CommandTable table;
    CommandContext context;
};

TEST_F(RecordMenuTest, IrrigationScheduleIsModelessAndOneUndoStep) {
    const auto before = document.Grid().Irrigation();
    ASSERT_TRUE(table.Run(cmd::DataIrrigation, context));
    auto* dialog = qobject_cast<IrrScheduleDlg*>(document.Modeless("irrigation schedule"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    dialog->AddCount()->setValue(2);
    dialog->AddButton()->click();
    dialog->accept();
    EXPECT_EQ(document.Grid().Irrigation()[0].size(), before[0].size() + 2);
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(document.UndoStack()->count(), 1);

    // Shown again after an undo, it starts from the project as it is now.
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().Irrigation()[0].size(), before[0].size());
    EXPECT_FALSE(document.IsModified());
    ASSERT_TRUE(table.Run(cmd::DataIrrigation, context));
    dialog = qobject_cast<IrrScheduleDlg*>(document.Modeless("irrigation schedule"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->ScheduleTableCtrl()->GetRowCount(), static_cast<int>(before[0].size()) + 1);
    dialog->reject();
}

TEST_F(RecordMenuTest, ConstantsPanelEditsTheCropYieldFunctionAsOneUndoStep) {
    const auto before = document.Grid().YieldResponseFactors(); // [stage][basin]
    ASSERT_FALSE(before[1].empty());
    ASSERT_TRUE(table.Run(cmd::DataConstants, context));
    auto* panel =
        qobject_cast<SimulationConstantsDlg*>(document.Modeless("SimulationConstantsDlg"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    QPushButton* button = panel->Button(SimulationConstantsDlg::CropYield);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    auto* editor =
        qobject_cast<CropYieldEditDlg*>(panel->ExistingEditor(SimulationConstantsDlg::CropYield));
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), "Crop Yield Function");

    // Stage 2 of the first basin, typed (pasted) into the table, then OK.
    TableCtrl* response = editor->ResponseTableCtrl();
    response->SetFocusCell(1, 2);
    ASSERT_EQ(response->PasteText("0.625"), 1);
    editor->accept();
    EXPECT_EQ(document.Grid().YieldResponseFactors()[1][0], 0.625);
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(document.UndoStack()->count(), 1);
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().YieldResponseFactors(), before);
    EXPECT_FALSE(document.IsModified());
    document.UndoStack()->redo();
    EXPECT_EQ(document.Grid().YieldResponseFactors()[1][0], 0.625);

    // The command shows the same panel; its editor shows the project's values,
    // and Cancel adds no step.
    ASSERT_TRUE(table.Run(cmd::DataConstants, context));
    EXPECT_EQ(document.Modeless("SimulationConstantsDlg"), panel);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(panel->ExistingEditor(SimulationConstantsDlg::CropYield), editor);
    EXPECT_EQ(response->GetItemText(1, 2), "0.625");
    response->SetFocusCell(1, 1);
    response->PasteText("9");
    editor->reject();
    EXPECT_EQ(document.UndoStack()->count(), 1);
    EXPECT_EQ(document.Grid().YieldResponseFactors()[0][0], before[0][0]);
    panel->close();
}

TEST_F(RecordMenuTest, AnOpenEditorFollowsAnUndoMadeElsewhere) {
    ASSERT_TRUE(table.Run(cmd::DataDrainCollector, context));
    auto* dialog =
        qobject_cast<DrainCollectorConnectDlg*>(document.Modeless("drain-collector connectivity"));
    ASSERT_NE(dialog, nullptr);
    const int collector = document.Grid().Boundary(DrainType).collectorIndex[0];
    ASSERT_GE(collector, 0);

    // Natural boundaries edited meanwhile, then taken back: the open drain
    // editor still shows, and would write, the project's own indices.
    QTimer::singleShot(0, [] {
        auto* natural = qobject_cast<NatBoundDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(natural, nullptr);
        TableCtrl* cells = natural->BoundaryTableCtrl();
        cells->SetFocusCell(1, 1);
        cells->PasteText("0.125");
        natural->accept();
    });
    ASSERT_TRUE(table.Run(cmd::DataNaturalBoundaries, context));
    EXPECT_EQ(document.Grid().Boundary(NaturalBoundaryType).flux[0], 0.125);
    ASSERT_EQ(document.UndoStack()->count(), 1);
    dialog->accept(); // nothing changed in it: no step
    EXPECT_EQ(document.UndoStack()->count(), 1);
    EXPECT_EQ(document.Grid().Boundary(DrainType).collectorIndex[0], collector);
}

// KORVA_DIALOG_SHOTS=/some/folder keeps pictures of the editors to look at.
TEST_F(RecordMenuTest, Screenshots) {
    const char* folder = std::getenv("KORVA_DIALOG_SHOTS");
    if (folder == nullptr) GTEST_SKIP() << "set KORVA_DIALOG_SHOTS to keep pictures";
    const QString out = QString::fromUtf8(folder) + "/";
    ASSERT_TRUE(table.Run(cmd::DataConstants, context));
    auto* panel =
        qobject_cast<SimulationConstantsDlg*>(document.Modeless("SimulationConstantsDlg"));
    ASSERT_NE(panel, nullptr);
    QApplication::processEvents();
    panel->grab().save(out + "constants.png");
    QTest::mouseClick(panel->Button(SimulationConstantsDlg::CropYield), Qt::LeftButton);
    QWidget* yield = panel->ExistingEditor(SimulationConstantsDlg::CropYield);
    ASSERT_NE(yield, nullptr);
    QApplication::processEvents();
    yield->grab().save(out + "cropyield.png");
    qobject_cast<QDialog*>(yield)->reject();
    QTest::mouseClick(panel->Button(SimulationConstantsDlg::RootExtraction), Qt::LeftButton);
    QApplication::processEvents();
    panel->ExistingEditor(SimulationConstantsDlg::RootExtraction)
        ->grab()
        .save(out + "rootextraction.png");
    panel->ExistingEditor(SimulationConstantsDlg::RootExtraction)->close();
    QTest::mouseClick(panel->Button(SimulationConstantsDlg::ETFunction), Qt::LeftButton);
    QApplication::processEvents();
    panel->ExistingEditor(SimulationConstantsDlg::ETFunction)->grab().save(out + "etfunction.png");
    panel->ExistingEditor(SimulationConstantsDlg::ETFunction)->close();
    panel->close();

    ASSERT_TRUE(table.Run(cmd::DataCropBuilder, context));
    QWidget* crops = document.Modeless("crop data");
    ASSERT_NE(crops, nullptr);
    QApplication::processEvents();
    crops->grab().save(out + "cropdata.png");
    crops->close();

    ASSERT_TRUE(table.Run(cmd::DataIrrigation, context));
    auto* irrigation = qobject_cast<IrrScheduleDlg*>(document.Modeless("irrigation schedule"));
    ASSERT_NE(irrigation, nullptr);
    QApplication::processEvents();
    irrigation->grab().save(out + "irrigation.png");
    // The plot keeps its chart settings in the working folder: not the examples'.
    QTemporaryDir working;
    const QString before = QDir::currentPath();
    QDir::setCurrent(working.path());
    irrigation->PlotButton()->click();
    QApplication::processEvents();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->objectName() == "Graph") {
            top->grab().save(out + "irrigation_plot.png");
            top->close();
        }
    irrigation->reject();
    QDir::setCurrent(before);
}

} // namespace
} // namespace korva
