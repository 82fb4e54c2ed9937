// The output parameters dialog on a run of the bundled example: the range of
// the shown quantity, colours as undoable steps, the view's output layer mode.
#include "app/document/korvadoc.h"
#include "charts/output/outputparamcontroldlg.h"
#include "fakeview.h"
#include "runfixture.h"
#include "tests/app/scriptedprompter.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace korva::charts {
namespace {

TEST(OutputParametersWindow, ColoursTheShownQuantityAsOneStep) {
    ASSERT_TRUE(testing::ExampleRun::Instance().ok);
    test::ScriptedPrompter prompts;
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(testing::ExampleRun::Instance().Project()));
    ASSERT_FALSE(document.Grid().Outputs().gridOutputs.empty());
    testing::FakeView view;
    OutputParamControlDlg dlg(document, &view);
    EXPECT_FALSE(dlg.MinimumButton()->isEnabled()); // nothing shown yet
    dlg.SetOutputParameter(0);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Output Parameters");
    EXPECT_EQ(view.mode, 8);
    EXPECT_EQ(view.outputLayer, &dlg);
    const KORVAOutputData& output = document.Grid().Outputs().gridOutputs[0];
    char expected[64];
    std::snprintf(expected, sizeof expected, "%g", output.minimum);
    EXPECT_EQ(dlg.MinimumLabel()->text(), QString(expected));
    EXPECT_EQ(dlg.Layer()->count(), document.Grid().NumLayers());

    const RgbColor before = output.lowColor;
    dlg.SetMinimumColor(Qt::blue);
    EXPECT_EQ(document.Grid().Outputs().gridOutputs[0].lowColor, (RgbColor{0.0, 0.0, 1.0}));
    EXPECT_EQ(document.UndoStack()->count(), 1);
    document.UndoStack()->undo();
    EXPECT_EQ(document.Grid().Outputs().gridOutputs[0].lowColor, before);

    dlg.Layer()->setCurrentIndex(2);
    EXPECT_EQ(view.slice, 2);
    view.outputLayer->HoverCell({2, 3, 4}, true, 0.25);
    EXPECT_EQ(dlg.HoverLabel()->text(), "Layer 3, row 4, column 5: 0.25");
    dlg.hide();
    EXPECT_EQ(view.mode, -1);
    EXPECT_EQ(view.outputLayer, nullptr);
}

} // namespace
} // namespace korva::charts
