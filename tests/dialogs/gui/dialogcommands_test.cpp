// The dialogs opened from their menu commands on a project document holding
// the bundled example: each change is one step of the document's undo
// history, and undoing it gives the file's model back unmodified.
#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "dialogs/dialogcommands.h"
#include "dialogs/grid/grideditdlg.h"
#include "dialogs/grid/transformparamdlg.h"
#include "dialogs/settings/methodchoicedlg.h"
#include "dialogs/settings/simulationconstantsdlg.h"
#include "dialogtestfixture.h"
#include "widgets/tablectrl.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace korva {
namespace {

class DialogCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        const QString path = folder.filePath("field3d.kvp");
        ASSERT_TRUE(QFile::copy(KORVA_SOURCE_DIR "/examples/field3d.kvp", path));
        ASSERT_TRUE(document.OnOpenDocument(path));
        ASSERT_FALSE(document.IsModified());
        RegisterDialogCommands(table);
        context.document = &document;
        context.frame = &frame;
        context.mainWindow = &frame;
    }
    void TearDown() override { QDir::setCurrent(QString::fromUtf8(KORVA_SOURCE_DIR)); }

    QTemporaryDir folder;
    CKORVADoc document;
    CommandTable table;
    QWidget frame;
    CommandContext context;
    CollectingMessageSink messages;
    ScopedMessageSink sink{messages};
};

TEST_F(DialogCommands, SimulationConstantsChangeASettingAsOneUndoStep) {
    const int weighting = document.Grid().Settings().kWeightingMethod;
    ASSERT_NE(weighting, GEOMETRIC_MEAN);
    ASSERT_TRUE(table.Run(cmd::DataConstants, context));
    auto* panel = qobject_cast<SimulationConstantsDlg*>(
        document.Modeless(QStringLiteral("SimulationConstantsDlg")));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    QTest::mouseClick(panel->Button(SimulationConstantsDlg::KWeighting), Qt::LeftButton);
    auto* editor =
        qobject_cast<MethodChoiceDlg*>(panel->ExistingEditor(SimulationConstantsDlg::KWeighting));
    ASSERT_NE(editor, nullptr);
    editor->MethodBox()->setCurrentIndex(GEOMETRIC_MEAN);
    DialogTest::ClickOk(editor);
    EXPECT_EQ(document.Grid().Settings().kWeightingMethod, GEOMETRIC_MEAN);
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(document.UndoStack()->count(), 1);
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().Settings().kWeightingMethod, weighting);
    EXPECT_FALSE(document.IsModified());

    // The command shows the same panel again.
    ASSERT_TRUE(table.Run(cmd::DataConstants, context));
    EXPECT_EQ(document.Modeless(QStringLiteral("SimulationConstantsDlg")), panel);
}

TEST_F(DialogCommands, EditGridDimensionsDeletesALayerAndUndoes) {
    ASSERT_TRUE(table.Run(cmd::DataEditGrid, context));
    auto* dialog = qobject_cast<GridEditDlg*>(document.Modeless(QStringLiteral("GridEditDlg")));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const GridData& grid = document.Grid();
    const std::vector<double> layers = grid.LayerSpacing();
    DialogTest::TypeIntoCell(*dialog->SpacingTable(GridData::LayerDimension), 2, 1, "");
    EXPECT_EQ(grid.NumLayers(), 5);
    EXPECT_EQ(
        grid.Parameter(grid.ParameterIndexOfCode(GridData::InitialMoistureContent)).values.Layers(),
        5);
    ASSERT_EQ(document.UndoStack()->count(), 1);
    document.UndoStack()->undo();
    EXPECT_EQ(grid.LayerSpacing(), layers);
    EXPECT_EQ(
        grid.Parameter(grid.ParameterIndexOfCode(GridData::InitialMoistureContent)).values.Layers(),
        6);
    EXPECT_FALSE(document.IsModified());

    // A change the model refuses leaves no step behind.
    DialogTest::TypeIntoCell(*dialog->SpacingTable(GridData::RowDimension), 1, 1, "-1");
    EXPECT_EQ(document.UndoStack()->count(), 1); // only the undone deletion
    EXPECT_FALSE(document.UndoStack()->canUndo());
}

TEST_F(DialogCommands, TransformParameterMultipliesOnceForASurfaceParameter) {
    const int ground = document.Grid().ParameterIndexOfCode(GridData::GroundElevation);
    const double elevation = document.Grid().Parameter(ground).values.At(0, 2, 3);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TransformParamDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->ParameterBox()->setCurrentIndex(ground);
        DialogTest::Type(dialog->MultiplierField(), "2");
        QTest::mouseClick(dialog->MultiplyButton(), Qt::LeftButton);
        dialog->accept();
    });
    ASSERT_TRUE(table.Run(cmd::DataTransform, context));
    EXPECT_DOUBLE_EQ(document.Grid().Parameter(ground).values.At(0, 2, 3), elevation * 2);
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().Parameter(ground).values.At(0, 2, 3), elevation);
}

} // namespace
} // namespace korva
