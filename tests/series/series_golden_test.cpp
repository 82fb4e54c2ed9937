// korva-batch export-series and plot-series as users see them, on a run of
// the bundled 3D example: standard output, messages, exit status, the text
// written, and for pictures their size and the colours of the drawn sets.
// KORVA_REGENERATE_GOLDEN=1 rewrites the golden files on purpose.
#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool Regenerating() {
    const char* flag = std::getenv("KORVA_REGENERATE_GOLDEN");
    return flag != nullptr && std::string(flag) == "1";
}

// What a picture shows, as text: its size and which set colours it holds.
std::string DescribePicture(const fs::path& path) {
    QImage image(QString::fromStdString(path.string()));
    if (image.isNull()) return "not a picture\n";
    struct Named {
        const char* name;
        QRgb rgb;
    };
    // The chart's first set colours (blue, red, green) and its text colour.
    const Named colours[] = {
        {"blue", 0x0000C0}, {"red", 0xC00000}, {"green", 0x00A000}, {"black", 0x000000}};
    std::ostringstream text;
    text << image.width() << "x" << image.height() << "\n";
    for (const Named& c : colours) {
        long count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (std::abs(qRed(p) - qRed(c.rgb)) <= 24 &&
                    std::abs(qGreen(p) - qGreen(c.rgb)) <= 24 &&
                    std::abs(qBlue(p) - qBlue(c.rgb)) <= 24)
                    ++count;
            }
        // A drawn line covers hundreds of pixels; a stray antialiased edge a few.
        text << c.name << ": " << (count >= 200 ? "drawn" : "absent") << "\n";
    }
    return text.str();
}

struct GoldenCase {
    const char* name;
    std::vector<std::string> args; // "@IN@" the run's project, "@OUT@" the file written
    const char* output;            // file name written ("" for none)
};

const GoldenCase Cases[] = {
    {"series_list", {"export-series", "--list", "@IN@"}, ""},
    {"series_export_all", {"export-series", "--interval", "10", "@IN@", "@OUT@"}, "out.txt"},
    {"series_export_two",
     {"export-series", "--series", "WE:_x5y4", "--series", "MC:_x5y4z0", "@IN@", "@OUT@"},
     "out.txt"},
    {"series_export_unknown", {"export-series", "--series", "MC:_x99y0z0", "@IN@", "@OUT@"}, ""},
    {"series_export_usage", {"export-series", "--interval", "week", "@IN@", "@OUT@"}, ""},
    {"series_plot_default", {"plot-series", "@IN@", "@OUT@"}, "out.png"},
    {"series_plot_period",
     {"plot-series", "--from", "4/10/2005", "--to", "6/30/2005", "--size", "640x480", "--series",
      "HD:_x5y4z2", "--series", "HD:_x8y7z3", "@IN@", "@OUT@"},
     "out.jpg"},
    {"series_plot_svg", {"plot-series", "--series", "DW:_x5y4", "@IN@", "@OUT@"}, "out.svg"},
    {"series_plot_mixed",
     {"plot-series", "--series", "MC:_x5y4z0", "--series", "US:_x5y4z0", "@IN@", "@OUT@"},
     ""},
    {"series_plot_outside", {"plot-series", "--from", "1/1/1999", "@IN@", "@OUT@"}, ""},
    {"series_plot_reversed",
     {"plot-series", "--from", "6/1/2005", "--to", "5/1/2005", "@IN@", "@OUT@"},
     ""},
    {"series_plot_size", {"plot-series", "--size", "0x600", "@IN@", "@OUT@"}, ""},
};

class SeriesGolden : public ::testing::TestWithParam<GoldenCase> {
protected:
    // One run of the bundled 3D example for all cases.
    static void SetUpTestSuite() {
        run_ = fs::temp_directory_path() / ("korva_series_run_" + std::to_string(::getpid()));
        fs::remove_all(run_);
        fs::create_directories(run_);
        fs::copy_file(fs::path(KORVA_SOURCE_DIR) / "examples/field3d.kvp", run_ / "field3d.kvp");
        const std::string command = Quoted(KORVA_BATCH) + " run " +
                                    Quoted((run_ / "field3d.kvp").string()) + " >/dev/null 2>&1";
        ranOk_ = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite() { fs::remove_all(run_); }
    static fs::path run_;
    static bool ranOk_;
};
fs::path SeriesGolden::run_;
bool SeriesGolden::ranOk_ = false;

TEST_P(SeriesGolden, MatchesGoldenFiles) {
    ASSERT_TRUE(ranOk_) << "korva-batch run of the example failed";
    const GoldenCase& c = GetParam();
    const fs::path golden = fs::path(KORVA_SOURCE_DIR) / "tests/series/golden";
    const fs::path work = run_ / c.name;
    fs::create_directories(work);
    const bool plot = c.args.front() == "plot-series";
    const fs::path output = work / (*c.output ? c.output : plot ? "out.png" : "out.txt");
    // The run's folder is the current one, so messages name the project the same way each time.
    std::string command = "cd " + Quoted(run_.string()) + " && " + Quoted(KORVA_BATCH);
    for (const std::string& arg : c.args)
        command += " " + Quoted(arg == "@IN@"    ? std::string("field3d.kvp")
                                : arg == "@OUT@" ? output.string()
                                                 : arg);
    command +=
        " >" + Quoted((work / "stdout").string()) + " 2>" + Quoted((work / "stderr").string());
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;

    std::vector<std::pair<std::string, std::string>> results = {
        {".stdout", Read(work / "stdout")},
        {".stderr", Read(work / "stderr")},
        {".status", std::to_string(WEXITSTATUS(raw)) + "\n"},
    };
    const std::string written = *c.output ? c.output : "";
    if (written.empty()) {
        EXPECT_FALSE(fs::exists(output)) << c.name << " wrote a file";
    } else {
        ASSERT_TRUE(fs::exists(output)) << c.name << " wrote no file";
        if (written == "out.txt") {
            results.emplace_back(".txt", Read(output));
        } else if (written == "out.svg") {
            const std::string svg = Read(output);
            EXPECT_NE(svg.find("<svg"), std::string::npos);
            EXPECT_NE(svg.find("width=\"800\""), std::string::npos);
            EXPECT_NE(svg.find("(2D) Depth to Water Table for field3d"), std::string::npos);
        } else {
            results.emplace_back(".picture", DescribePicture(output));
        }
    }
    // Nothing but the chosen file is left beside it (no temporary files).
    EXPECT_LE(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 3);
    for (const auto& [suffix, actual] : results) {
        const fs::path expected = golden / (std::string(c.name) + suffix);
        if (Regenerating()) {
            fs::create_directories(golden);
            std::ofstream(expected, std::ios::binary) << actual;
            continue;
        }
        ASSERT_TRUE(fs::exists(expected))
            << expected << " is missing; run with KORVA_REGENERATE_GOLDEN=1 to create it";
        EXPECT_EQ(actual, Read(expected)) << "differs from " << expected;
    }
}

INSTANTIATE_TEST_SUITE_P(KorvaBatch, SeriesGolden, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return std::string(info.param.name);
                         });

// A write that fails leaves the file that was there.
TEST(SeriesFiles, AFailedWriteKeepsTheOldFile) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own files do not fit under the small file-size limit";
#endif
    const fs::path folder =
        fs::temp_directory_path() / ("korva_series_keep_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(fs::path(KORVA_SOURCE_DIR) / "examples/field3d.kvp", folder / "field3d.kvp");
    ASSERT_EQ(std::system((Quoted(KORVA_BATCH) + " run " +
                           Quoted((folder / "field3d.kvp").string()) + " >/dev/null 2>&1")
                              .c_str()),
              0);
    // A full disk, as a file size limit of 2 KiB (SIGXFSZ ignored, so the
    // write fails instead of killing the tool).
    std::ofstream(folder / "old.txt") << "old";
    std::ofstream(folder / "old.png") << "old";
    const std::string in = Quoted((folder / "field3d.kvp").string());
    const std::string limited = "trap '' XFSZ; ulimit -f 2; " + Quoted(KORVA_BATCH);
    for (const char* what : {" export-series ", " plot-series "}) {
        const fs::path target =
            folder / (std::string(what) == " export-series " ? "old.txt" : "old.png");
        const std::string command =
            "sh -c " + Quoted(limited + what + in + " " + Quoted(target.string()) + " 2>/dev/null");
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << command;
        EXPECT_EQ(WEXITSTATUS(status), 1) << what;
        EXPECT_EQ(Read(target), "old") << what;
    }
    // No temporary file is left behind.
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    fs::remove_all(folder);
}

} // namespace
