// The graph window as a user meets it: opened by "Display Graph" on a run of
// the bundled example, zoomed by a drag, saved, copied and exported; and the
// irrigation schedule's plot.
#include "charts/graph/graphsettingsfile.h"
#include "charts/output/outputparamcontroldlg.h"
#include "charts/output/printcontroldlg.h"
#include "charts/output/timeseriesoutputdisplaydlg.h"
#include "charts/output/timeseriesoutputdlg.h"
#include "charts/window/graphdlg.h"
#include "charts/window/irrigationplot.h"
#include "fakeview.h"
#include "runfixture.h"
#include "tests/app/scriptedprompter.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace korva::charts {
namespace {

class GraphWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testing::ExampleRun::Instance().ok) << "the example run failed";
        ASSERT_TRUE(document.OnOpenDocument(testing::ExampleRun::Instance().Project()));
        ASSERT_FALSE(document.Grid().Outputs().Empty());
    }
    std::filesystem::path Folder() { return testing::ExampleRun::Instance().folder; }
    test::ScriptedPrompter prompts;
    CKORVADoc document;
};

TEST_F(GraphWindow, DisplayGraphOpensOneWindowPerParameter) {
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    ASSERT_GE(dlg.List()->count(), 4);
    EXPECT_EQ(dlg.List()->item(0)->text(),
              "Parameter MC ((3D) Soil Moisture Content) cell row 6, col 5, layer 1");
    EXPECT_EQ(dlg.From()->currentText(), "4/1/2005");
    EXPECT_EQ(dlg.To()->currentText(), "10/1/2005");
    // Two soil-moisture series and one salt series: two windows.
    dlg.List()->item(0)->setSelected(true);
    dlg.List()->item(1)->setSelected(true);
    dlg.List()->item(3)->setSelected(true);
    dlg.From()->setCurrentIndex(9); // 4/10/2005, day 99
    dlg.To()->setCurrentIndex(69);  // 6/9/2005, day 159
    const std::vector<GraphDlg*> windows = dlg.DisplayGraph();
    ASSERT_EQ(windows.size(), 2u);
    GraphDlg* graph = windows[0];
    EXPECT_EQ(graph->windowTitle(), "Time Series Output");
    EXPECT_TRUE(graph->isVisible());
    EXPECT_EQ(graph->Chart().NumSets(), 2);
    EXPECT_EQ(graph->Chart().NumPoints(), 61);
    EXPECT_EQ(graph->Chart().Txt("GraphTitle"), "(3D) Soil Moisture Content for field3d");
    EXPECT_EQ(graph->Chart().Txt("LeftTitle"), "fraction");
    EXPECT_EQ(graph->Chart().PointValue("XPos", 0, 0), 99.0);
    EXPECT_FALSE(graph->ChartView()->chart()->series().isEmpty());
    for (GraphDlg* w : windows)
        w->close(); // deletes itself
}

TEST_F(GraphWindow, DragZoomsIntoTheDraggedDaysAndAClickShowsAll) {
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    dlg.List()->item(0)->setSelected(true);
    const auto windows = dlg.DisplayGraph();
    ASSERT_EQ(windows.size(), 1u);
    GraphDlg* graph = windows[0];
    QWidget* viewport = graph->ChartView()->viewport();
    const QRectF area = graph->ChartView()->chart()->plotArea();
    const QPoint from(static_cast<int>(area.left() + area.width() * 0.25), viewport->height() / 2);
    const QPoint to(static_cast<int>(area.left() + area.width() * 0.5), viewport->height() / 2);
    const double x1 = graph->DataXAt(from.x());
    const double x2 = graph->DataXAt(to.x());
    EXPECT_LT(x1, x2);
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    const int low = graph->Chart().Int("RangeMin");
    const int high = graph->Chart().Int("RangeMax");
    EXPECT_EQ(low, static_cast<int>(x1 + 0.5));
    EXPECT_EQ(high, static_cast<int>(x2 + 0.5));
    EXPECT_GT(high, low);
    EXPECT_EQ(graph->Data().labelInterval, std::max(1, (high - low + 1) / 20));
    // The axis now shows the dragged days only.
    EXPECT_NEAR(graph->DataXAt(static_cast<int>(area.left())), low, 1.0);

    // A click without a drag shows the whole period again.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, from);
    EXPECT_EQ(graph->Chart().Int("RangeMin"), 0);
    EXPECT_EQ(graph->Chart().Int("RangeMax"), 0);
    graph->close();
}

TEST_F(GraphWindow, EachWindowKeepsItsOwnDrag) {
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    dlg.List()->item(0)->setSelected(true);
    GraphDlg* first = dlg.DisplayGraph().at(0);
    GraphDlg* second = dlg.DisplayGraph().at(0);
    const QRectF area = first->ChartView()->chart()->plotArea();
    const int y = first->ChartView()->viewport()->height() / 2;
    const QPoint a(static_cast<int>(area.left() + area.width() * 0.2), y);
    const QPoint b(static_cast<int>(area.left() + area.width() * 0.6), y);
    // A press in one window and a release in another zoom neither.
    QTest::mousePress(first->ChartView()->viewport(), Qt::LeftButton, {}, a);
    QTest::mouseRelease(second->ChartView()->viewport(), Qt::LeftButton, {}, b);
    EXPECT_EQ(second->Chart().Int("RangeMax"), 0);
    QTest::mouseRelease(first->ChartView()->viewport(), Qt::LeftButton, {}, b);
    EXPECT_GT(first->Chart().Int("RangeMax"), 0);
    EXPECT_EQ(second->Chart().Int("RangeMax"), 0);
    first->close();
    second->close();
}

TEST_F(GraphWindow, SavesCopiesAndExportsWhatItShows) {
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    dlg.List()->item(0)->setSelected(true);
    GraphDlg* graph = dlg.DisplayGraph().at(0);
    graph->resize(700, 500);
    QApplication::processEvents();
    const QSize size = graph->ChartView()->viewport()->size();
    const std::filesystem::path png = Folder() / "graph.png";
    ASSERT_TRUE(graph->SaveImage(QString::fromStdString(png.string())));
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), size);
    ASSERT_TRUE(graph->SaveImage(QString::fromStdString((Folder() / "graph.svg").string())));
    std::ifstream svg(Folder() / "graph.svg");
    std::string svgText((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
    EXPECT_NE(svgText.find("<svg"), std::string::npos);

    EXPECT_FALSE(graph->SaveImage(QString::fromStdString((Folder() / "graph.bmp").string())));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(".png")) << prompts.messages[0].toStdString();

    graph->CopyImage();
    EXPECT_EQ(QApplication::clipboard()->image().size(), size);

    const std::filesystem::path txt = Folder() / "graph.txt";
    ASSERT_TRUE(graph->ExportData(QString::fromStdString(txt.string())));
    std::ifstream in(txt);
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    EXPECT_EQ(header, "Point\tMC _x5y4z0 X\tMC _x5y4z0");
    EXPECT_EQ(first.substr(0, 5), "1\t90\t");
    graph->close();
}

TEST_F(GraphWindow, ClosingKeepsTheChartSettingsInTheWorkingFolder) {
    const std::filesystem::path file =
        std::filesystem::path(CKORVADoc::WorkingFolder().toStdString()) / "timeSeriesOutput.pxp";
    std::filesystem::remove(file);
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    dlg.List()->item(0)->setSelected(true);
    GraphDlg* graph = dlg.DisplayGraph().at(0);
    graph->DragZoom(QPoint(200, 100), QPoint(400, 100));
    ASSERT_GT(graph->Chart().Int("RangeMax"), 0);
    const std::string look = GraphSettingsText(graph->Chart());
    QTest::keyClick(graph, Qt::Key_Escape); // closes it as the close box does
    QApplication::processEvents();
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in.good()) << file;
    const std::string stored((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    EXPECT_EQ(stored, look);

    // Shown again: the same look, the whole period.
    graph = dlg.DisplayGraph().at(0);
    EXPECT_EQ(GraphSettingsText(graph->Chart()), look);
    EXPECT_EQ(graph->Chart().Int("RangeMax"), 0);
    graph->close();
    EXPECT_TRUE(prompts.messages.isEmpty());

    // A file that cannot be read: one message, the chart drawn, the file kept.
    std::ofstream(file, std::ios::binary) << "KORVA chart settings 1\nGridStyle=banana\n";
    graph = dlg.DisplayGraph().at(0);
    graph->resize(640, 480);
    QApplication::processEvents();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains("timeSeriesOutput.pxp"))
        << prompts.messages[0].toStdString();
    EXPECT_EQ(graph->Chart().NumPoints(), graph->Data().pointCount);
    graph->close();
    std::ifstream again(file, std::ios::binary);
    std::string kept((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "KORVA chart settings 1\nGridStyle=banana\n");
    std::filesystem::remove(file);
}

TEST_F(GraphWindow, WritesTheChosenSeriesAsText) {
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    const std::filesystem::path out = Folder() / "series";
    prompts.files.push_back(QString::fromStdString(out.string()));
    dlg.List()->item(0)->setSelected(true);
    dlg.Interval()->setText("30");
    dlg.WriteText();
    std::ifstream in(Folder() / "series.txt"); // ".txt" added to a name without one
    std::string line;
    int lines = 0;
    while (std::getline(in, line))
        ++lines;
    // Output times step from 0 by 30 days: 90, then 120, 150, ...; each
    // writes the first sample past it: days 90, 91, 121, ..., 271.
    EXPECT_EQ(lines, 1 + 8);
    dlg.Interval()->setText("a week");
    dlg.WriteText();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], "The timestep must be a number of days.");
}

TEST_F(GraphWindow, DisplayTakesTheViewsPointerWhileShown) {
    testing::FakeView view;
    {
        TimeSeriesOutputDisplayDlg dlg(document, &view);
        dlg.show();
        EXPECT_EQ(view.mode, 7);
        EXPECT_EQ(view.hover, &dlg);
        // The pointer over row 6, column 5 marks that cell's series.
        view.hover->HoverCell({0, 5, 4});
        EXPECT_TRUE(dlg.List()->item(0)->font().bold());
        EXPECT_FALSE(dlg.List()->item(2)->font().bold());
        dlg.hide();
        EXPECT_EQ(view.mode, -1);
        EXPECT_EQ(view.hover, nullptr);
        dlg.show();
    }
    EXPECT_EQ(view.hover, nullptr); // a closed dialog is never called again
}

TEST_F(GraphWindow, IrrigationPlotNamesItsChart) {
    IrrigationData schedule = {{4, 15, 2005, 7.5, 1.2}, {5, 1, 2005, 5.0, 1.0}};
    GraphDlg* graph = ShowIrrigationPlot(schedule, QString::fromStdString(Folder().string()));
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->windowTitle(), "Irrigation Schedule");
    EXPECT_EQ(graph->Chart().Txt("GraphTitle"), "Irrigation Schedule");
    EXPECT_EQ(graph->Chart().Txt("BottomTitle"), "Date");
    EXPECT_EQ(graph->Data().graphName, "korva_irr_sched");
    graph->close();
}

// KORVA_CHART_SHOTS=/some/folder keeps pictures of the windows to look at.
TEST_F(GraphWindow, Screenshots) {
    const char* folder = std::getenv("KORVA_CHART_SHOTS");
    if (folder == nullptr) GTEST_SKIP() << "set KORVA_CHART_SHOTS to keep pictures";
    const QString out = QString::fromUtf8(folder) + "/";
    TimeSeriesOutputDisplayDlg dlg(document, nullptr);
    dlg.show();
    dlg.List()->item(0)->setSelected(true);
    dlg.List()->item(1)->setSelected(true);
    dlg.List()->item(2)->setSelected(true);
    QApplication::processEvents();
    dlg.grab().save(out + "display.png");
    GraphDlg* graph = dlg.DisplayGraph().at(0);
    QApplication::processEvents();
    graph->grab().save(out + "graph.png");
    const QRectF area = graph->ChartView()->chart()->plotArea();
    const int y = graph->ChartView()->viewport()->height() / 2;
    QTest::mousePress(graph->ChartView()->viewport(), Qt::LeftButton, {},
                      QPoint(static_cast<int>(area.left() + area.width() * 0.3), y));
    QTest::mouseRelease(graph->ChartView()->viewport(), Qt::LeftButton, {},
                        QPoint(static_cast<int>(area.left() + area.width() * 0.45), y));
    QApplication::processEvents();
    graph->grab().save(out + "graph_zoomed.png");
    graph->close();
    IrrigationData schedule = {{4, 15, 2005, 7.5, 1.2},
                               {5, 1, 2005, 5.0, 1.0},
                               {5, 20, 2005, 6.0, 1.0},
                               {6, 10, 2005, 8.0, 1.1}};
    GraphDlg* irrigation = ShowIrrigationPlot(schedule, QString::fromStdString(Folder().string()));
    QApplication::processEvents();
    irrigation->grab().save(out + "irrigation.png");
    irrigation->close();

    // The output dialogs as the 3D view shows them.
    testing::FakeView view;
    PrintControlDlg print(document);
    print.show();
    QApplication::processEvents();
    print.grab().save(out + "printcontrol.png");
    TimeSeriesOutputDlg cells(document, &view);
    cells.show();
    QApplication::processEvents();
    cells.grab().save(out + "timeseriesoutput.png");
    OutputParamControlDlg colours(document, &view);
    colours.show();
    QApplication::processEvents();
    colours.grab().save(out + "outputparameters.png");
}

} // namespace
} // namespace korva::charts

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
