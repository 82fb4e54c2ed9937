// "korva --render" against stored pictures: a small grid of translucent and
// opaque cells with holes, a drain and uneven spacings, seen from many sides.
// The renderer leaves out faces that cannot show; these pictures were drawn
// with every face and must not change beyond a few stray edge pixels.
// KORVA_UPDATE_GOLDEN=1 rewrites the stored pictures instead of comparing.
#include "files/project/projectfile.h"
#include "scenegrid.h"
#include "view3d/render/offscreenrender.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace korva {
namespace {

using testing::LayeredPosition;

// 5 layers x 6 rows x 7 columns with uneven widths; every fifth cell (along
// the diagonals) is unset, so inner faces border empty cells too; a drain
// runs through the middle rows of layers 1 and 2.
GridData MakePictureGrid() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).columnSpacing = {2, 3.5, 2.5, 4, 2, 3, 2.5};
    ReaderContents(grid).rowSpacing = {3, 2, 2.5, 3.5, 2, 3};
    ReaderContents(grid).layerSpacing = {400, 250, 500, 300, 450};
    grid.UpdateUniformSpacing();
    grid.Resize(5, 6, 7);
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 7; ++j)
                if ((i + j + k) % 5 != 0)
                    grid.SetValue(LayeredPosition, k, i, j, (k * 7 + i * 3 + j) % 11, false);
    grid.RecomputeRange(LayeredPosition);
    grid.SetParameterInfo(LayeredPosition, grid.Parameter(LayeredPosition).name, {1, 0, 0},
                          {0, 0, 1});
    const int drain = grid.AppendBoundary(DrainType, "Drain 1", {1, 1, 0}) + 1;
    for (int k = 1; k <= 2; ++k)
        for (int j = 1; j < 6; ++j) {
            grid.SetBoundaryValue(DrainType, k, 2, j, drain);
            grid.SetBoundaryValue(DrainType, k, 3, j, drain);
        }
    return grid;
}

// 20 x 20 x 20 cells, every one set: most boxes lie under a full ring of
// cells in the layer above, so the camera sees far fewer than all.
GridData MakeDenseGrid() {
    GridData grid;
    grid.ResetModel(1);
    ReaderContents(grid).columnSpacing.assign(20, 2.0);
    ReaderContents(grid).rowSpacing.assign(20, 2.5);
    ReaderContents(grid).layerSpacing.assign(20, 60.0);
    grid.UpdateUniformSpacing();
    grid.Resize(20, 20, 20);
    for (int k = 0; k < 20; ++k)
        for (int i = 0; i < 20; ++i)
            for (int j = 0; j < 20; ++j)
                grid.SetValue(LayeredPosition, k, i, j, (k * 3 + i * 7 + j * 5) % 13, false);
    grid.RecomputeRange(LayeredPosition);
    grid.SetParameterInfo(LayeredPosition, grid.Parameter(LayeredPosition).name, {0, 1, 0},
                          {1, 0, 1});
    return grid;
}

struct Picture {
    const char* name;
    QStringList options;
    bool dense = false;
};

const std::vector<Picture>& Pictures() {
    static const std::vector<Picture> pictures{
        {"above", {}},
        {"turned", {"--rotate", "30,45"}},
        {"below", {"--rotate", "-70,200", "--no-grid-lines"}},
        {"over", {"--rotate", "120,-60", "--no-grid-lines"}},
        {"side", {"--rotate", "85,100", "--no-grid-lines", "--transparency", "0.3"}},
        {"opaque", {"--rotate", "40,-130", "--transparency", "1", "--no-grid-lines"}},
        {"filtered", {"--rotate", "-35,20", "--filter", "3,8", "--zoom", "0.1,0.15,0.05,0.1"}},
        {"plan", {"--view", "plan", "--slice", "2"}},
        {"section", {"--view", "section", "--slice", "3"}},
        {"dense-above", {"--no-grid-lines"}, true},
        {"dense-turned", {"--rotate", "50,-30", "--no-grid-lines"}, true},
        {"dense-low", {"--rotate", "80,60", "--transparency", "0.7"}, true},
        {"dense-below", {"--rotate", "-40,10", "--no-grid-lines"}, true},
    };
    return pictures;
}

// Pixels whose colour differs by more than a rounding step in some channel.
int DifferentPixels(const QImage& a, const QImage& b, int& largest) {
    int different = 0;
    largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            largest = std::max(largest, d);
            if (d > 3) ++different;
        }
    return different;
}

TEST(RenderPicture, EveryViewDrawsTheStoredPicture) {
    QTemporaryDir dir;
    dir.setAutoRemove(false); // a failing picture is kept for a look
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("picture.kvp"));
    ASSERT_TRUE(WriteProjectFile(MakePictureGrid(), project.toStdString()));
    const QString dense = dir.filePath(QStringLiteral("dense.kvp"));
    ASSERT_TRUE(WriteProjectFile(MakeDenseGrid(), dense.toStdString()));
    const QDir golden(QStringLiteral(KORVA_TEST_DATA_DIR "/pictures"));
    const bool update = qEnvironmentVariableIsSet("KORVA_UPDATE_GOLDEN");
    if (update) QDir().mkpath(golden.path());
    bool allSame = true;
    for (const Picture& picture : Pictures()) {
        SCOPED_TRACE(picture.name);
        const QString out = dir.filePath(QString::fromLatin1(picture.name) + ".png");
        QStringList args{"--render", out, "--size", "240x180", "--parameter", "3"};
        args << picture.options << (picture.dense ? dense : project);
        ASSERT_EQ(RunHeadlessRender(args), 0);
        const QString stored = golden.filePath(QString::fromLatin1(picture.name) + ".png");
        if (update) {
            QFile::remove(stored);
            ASSERT_TRUE(QFile::copy(out, stored));
            continue;
        }
        const QImage expected(stored), rendered(out);
        ASSERT_FALSE(expected.isNull()) << stored.toStdString();
        ASSERT_EQ(rendered.size(), expected.size());
        int largest = 0;
        const int different =
            DifferentPixels(rendered.convertToFormat(QImage::Format_RGB32),
                            expected.convertToFormat(QImage::Format_RGB32), largest);
        // Edges of coinciding faces may fall either way on a handful of pixels.
        EXPECT_LE(different, 40) << out.toStdString() << " differs from " << stored.toStdString()
                                 << " on " << different << " pixels, by up to " << largest;
        allSame = allSame && different <= 40;
    }
    if (allSame) dir.setAutoRemove(true);
}

} // namespace
} // namespace korva

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
