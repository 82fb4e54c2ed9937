// The parameter control panel's "Import" as a user drives it beside the 3D
// view: a text grid and a GeoTIFF into the edited parameter, each undone.
#include "app/document/korvadoc.h"
#include "exchange/import/importsettingsdlg.h"
#include "exchange/import/rasterimportdlg.h"
#include "exchangetesthelpers.h"
#include "files/project/projectfile.h"
#include "model/griddata.h"
#include "tests/app/scriptedprompter.h"
#include "view3d/korvaview.h"
#include "view3d/panels/paramcontrolpaneldlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korva::test {
namespace {

using ::testing::ElementsAre;

QPushButton* Button(QWidget& parent, const QString& text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

TEST(PanelImport, ImportFillsTheEditedParameterFromATextGridAndARaster) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto path = [&](const char* name) { return QDir(folder.path()).filePath(name); };
    // Two layers of 2 rows x 3 columns.
    GridData model;
    model.ResetModel(1);
    ReaderContents(model).rowSpacing.assign(2, 10.0);
    ReaderContents(model).columnSpacing.assign(3, 10.0);
    ReaderContents(model).layerSpacing.assign(2, 100.0);
    model.Resize(2, 2, 3);
    ASSERT_TRUE(WriteProjectFile(model, path("field.kvp").toStdString()));

    ScriptedPrompter prompts;
    CKORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(path("field.kvp")));
    CKORVAView view(document);
    view.resize(400, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const GridData& grid = document.Grid();
    const int moisture = grid.ParameterIndexOfCode(GridData::InitialMoistureContent);
    auto layer = [&](int k) {
        std::vector<double> values;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                double v = 0;
                grid.GetValue(moisture, k, r, c, v);
                values.push_back(v);
            }
        return values;
    };
    const std::vector<double> before = layer(1);

    ParamControlPanelDlg panel(view);
    panel.SetParameter(moisture);
    panel.show();
    QPushButton* import = Button(panel, "Import");
    ASSERT_NE(import, nullptr);
    Screenshot(panel, "parameter-panel");

    WriteText(path("moisture.txt").toStdString(),
              "six\nheader\nlines\nof\na\nspreadsheet\n0.31 0.32 0.33\n0.21 0.22 0.23\n");
    prompts.files = {path("moisture.txt")};
    WhenDialogOpens<ImportSettingsDlg>([](ImportSettingsDlg& dialog) { dialog.accept(); });
    QTest::mouseClick(import, Qt::LeftButton);
    EXPECT_THAT(layer(0), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, 0.33));
    EXPECT_THAT(layer(1), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, 0.33));
    EXPECT_EQ(document.UndoStack()->count(), 1);

    ASSERT_TRUE(WriteGeoTiff(path("moisture.tif").toStdString(), 2, 3,
                             [](int r, int c) { return 100.0 + 10.0 * r + c; }));
    prompts.files = {path("moisture.tif")};
    WhenDialogOpens<RasterImportDlg>([](RasterImportDlg& dialog) {
        dialog.LayerChoice()->setCurrentIndex(1); // the lower layer only
        dialog.accept();
    });
    QTest::mouseClick(import, Qt::LeftButton);
    EXPECT_THAT(layer(0), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, 0.33));
    EXPECT_THAT(layer(1), ElementsAre(110, 111, 112, 100, 101, 102));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("\n").toStdString();

    document.UndoStack()->undo();
    EXPECT_THAT(layer(0), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, 0.33));
    EXPECT_THAT(layer(1), ElementsAre(0.21, 0.22, 0.23, 0.31, 0.32, 0.33));
    document.UndoStack()->undo();
    EXPECT_EQ(layer(1), before);
    EXPECT_FALSE(document.IsModified());
    panel.close();
}

} // namespace
} // namespace korva::test
