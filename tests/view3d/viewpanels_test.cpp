// The view's panels as the user meets them: one editing panel at a time, the
// camera control beside any of them, the view's mode following whichever is
// up, and the control panel's legend readable on its colours.
#include "app/document/korvadoc.h"
#include "scenegrid.h"
#include "view3d/korvaview.h"
#include "view3d/panels/boundarycontrolpaneldlg.h"
#include "view3d/panels/controlpanelview.h"
#include "view3d/panels/paramcontrolpaneldlg.h"
#include "view3d/panels/viewcontroldlg.h"
#include "view3d/panels/viewpanelset.h"
#include "widgets/tablectrl.h"

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace korva {
namespace {

constexpr ViewPanel Editing[] = {ViewPanel::ParameterControl, ViewPanel::BoundaryControl,
                                 ViewPanel::TimeSeriesOutput, ViewPanel::OutputParameters,
                                 ViewPanel::TimeSeriesDisplay};

TEST(ViewPanels, EachEditingPanelClosesTheOtherFourAndTheGridEditorOnly) {
    for (ViewPanel shown : Editing) {
        for (ViewPanel other : Editing)
            EXPECT_EQ(PanelExcludes(shown, other), shown != other);
        EXPECT_TRUE(PanelExcludes(shown, ViewPanel::GridEdit));
        EXPECT_FALSE(PanelExcludes(shown, ViewPanel::CameraControl));
    }
    // The grid editor and the camera control close nothing.
    for (int other = 0; other < ViewPanelCount; ++other) {
        EXPECT_FALSE(PanelExcludes(ViewPanel::GridEdit, static_cast<ViewPanel>(other)));
        EXPECT_FALSE(PanelExcludes(ViewPanel::CameraControl, static_cast<ViewPanel>(other)));
    }
}

TEST(ViewPanels, ASetMakesEachPanelOnceAndTellsWhenOneComesOrGoes) {
    ViewPanelSet set;
    QSignalSpy changed(&set, &ViewPanelSet::Changed);
    int made = 0;
    const auto dialog = [&made] {
        ++made;
        return new QDialog;
    };
    QWidget* camera = set.Show(ViewPanel::CameraControl, dialog);
    QWidget* boundary = set.Show(ViewPanel::BoundaryControl, dialog);
    QWidget* grid = set.Show(ViewPanel::GridEdit, dialog);
    EXPECT_TRUE(set.IsShown(ViewPanel::BoundaryControl)); // the grid editor closes nothing
    QWidget* series = set.Show(ViewPanel::TimeSeriesDisplay, dialog);
    EXPECT_FALSE(boundary->isVisible());
    EXPECT_FALSE(grid->isVisible());
    EXPECT_TRUE(series->isVisible());
    EXPECT_TRUE(camera->isVisible());
    // Shown again, the same window comes back.
    EXPECT_EQ(set.Show(ViewPanel::BoundaryControl, dialog), boundary);
    EXPECT_EQ(made, 4);
    EXPECT_FALSE(series->isVisible());
    // Closed by its own title bar, a panel is no longer shown.
    boundary->close();
    EXPECT_FALSE(set.IsShown(ViewPanel::BoundaryControl));
    QApplication::processEvents();
    EXPECT_GE(changed.count(), 6);
    EXPECT_EQ(set.Panel(ViewPanel::ParameterControl), nullptr); // never asked for
    set.DeleteAll();
    EXPECT_EQ(set.Panel(ViewPanel::CameraControl), nullptr);
}

// One layer of 2 x 2 cells, with a drain whose colour needs white text.
void MakeProject(CKORVADoc& document) {
    GridData& grid = document.GridForEdit();
    ReaderContents(grid).columnSpacing = {50.0, 50.0};
    ReaderContents(grid).rowSpacing = {50.0, 50.0};
    ReaderContents(grid).layerSpacing = {100.0, 100.0, 100.0};
    grid.UpdateUniformSpacing();
    grid.Resize(3, 2, 2);
    document.UpdateAllViews(0);
}

TEST(ViewPanels, TheViewFollowsTheShownPanelAndTheCommandsToggle) {
    CKORVADoc document;
    document.OnNewDocument();
    MakeProject(document);
    CKORVAView view(document);
    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ControlPanelView form(view);
    view.SetControlPanel(&form);

    const auto parameterPanel = [&] { return new ParamControlPanelDlg(view); };
    const auto boundaryPanel = [&] { return new BoundaryControlPanelDlg(view); };
    view.ShowPanel(ViewPanel::CameraControl, [&] { return new ViewControlDlg(view); });
    auto* parameters = qobject_cast<ParamControlPanelDlg*>(
        view.ShowPanel(ViewPanel::ParameterControl, parameterPanel));
    ASSERT_NE(parameters, nullptr);
    EXPECT_EQ(view.ViewMode(), ParameterEditMode);
    EXPECT_TRUE(view.PlanOrientation());

    // The form chooses another parameter: the open panel edits that one.
    view.SetInputParameter(2);
    EXPECT_EQ(parameters->Parameter(), 2);

    TogglePanel(view, ViewPanel::BoundaryControl, boundaryPanel);
    EXPECT_FALSE(parameters->isVisible());
    EXPECT_EQ(view.ViewMode(), BoundaryEditMode);
    EXPECT_TRUE(view.PanelShown(ViewPanel::CameraControl));
    // Right clicks step the editing layer; the boundary panel follows.
    QTest::mouseClick(&view, Qt::RightButton, {}, {150, 150});
    EXPECT_EQ(view.CurrentSlice(), 1);

    TogglePanel(view, ViewPanel::BoundaryControl, boundaryPanel); // pressed again: closed
    EXPECT_FALSE(view.PanelShown(ViewPanel::BoundaryControl));
    EXPECT_EQ(view.ViewMode(), Display3D);
    EXPECT_EQ(view.CurrentSlice(), -1);
}

TEST(ViewPanels, ParameterEditingShowsInputParametersAndTheLegendStaysReadable) {
    CKORVADoc document;
    document.OnNewDocument();
    MakeProject(document);
    document.AddBoundary(DrainType, "ditch", {0.0, 0.0, 1.0}); // dark blue: white text
    document.AddBoundary(BasinType, "field", {1.0, 1.0, 0.2}); // yellow: dark text
    CKORVAView view(document);
    ControlPanelView form(view);
    view.SetControlPanel(&form);
    EXPECT_EQ(form.DisplayKind(), 0);
    TableCtrl* legend = form.Legend();
    int ditch = -1, field = -1;
    for (int row = 1; row < legend->GetRowCount(); ++row) {
        if (legend->GetItemText(row, 0) == "ditch (Drain)") ditch = row;
        if (legend->GetItemText(row, 0).startsWith("field (")) field = row;
    }
    ASSERT_GT(ditch, 0);
    ASSERT_GT(field, 0);
    EXPECT_EQ(legend->GetItemBkColour(ditch, 0), QColor(0, 0, 255));
    EXPECT_EQ(legend->GetItemFgColour(ditch, 0), QColor(255, 255, 0));
    EXPECT_EQ(legend->GetItemFgColour(field, 0), QColor(0, 0, 255));
    EXPECT_EQ(legend->GetItemText(ditch, 1), "Yes");

    // With results loaded: the output layer display shows an output quantity,
    // and parameter editing brings the input parameters back.
    OutputStore outputs;
    outputs.gridOutputs.push_back(testing::MakeOutput("US SALT", 0, 3, 1.0, 0, 2));
    document.GridForEdit().InstallOutputs(std::move(outputs));
    document.UpdateAllViews(0);
    view.SetViewMode(OutputLayerMode);
    EXPECT_EQ(form.DisplayKind(), 1);
    EXPECT_EQ(view.Settings().OutputParameter, 0);
    EXPECT_EQ(view.Settings().OutputTimePeriod, 0);
    view.SetViewMode(ParameterEditMode);
    EXPECT_EQ(form.DisplayKind(), 0);
    EXPECT_GE(view.Settings().InputParameter, 0);
}

} // namespace
} // namespace korva
