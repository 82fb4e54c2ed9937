// korva-batch as users see it: each case runs the built tool from the source
// folder and compares standard output, standard error, the exit status and
// any file it writes with the files in tests/cli/golden/. Set
// KORVA_REGENERATE_GOLDEN=1 to rewrite them after an intended change; without
// it a missing or different golden file fails the case.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct GoldenCase {
    const char* name;
    std::vector<std::string> args; // "@OUT@" stands for the file the tool writes
    bool writesFile;
};

const GoldenCase Cases[] = {
    {"help_new", {"new", "--help"}, false},
    {"help_resave", {"resave", "--help"}, false},
    {"help_info", {"info", "--help"}, false},
    {"new_3d", {"new", "@OUT@"}, true},
    {"new_2d", {"new", "--2d", "@OUT@"}, true},
    {"new_usage", {"new"}, false},
    {"info_field3d", {"info", "examples/field3d.kvp"}, false},
    {"info_field2d", {"info", "examples/field2d.kvp"}, false},
    {"info_missing", {"info", "tests/cli/inputs/missing.kvp"}, false},
    {"info_misspelled", {"info", "tests/cli/inputs/misspelled.kvp"}, false},
    {"info_truncated", {"info", "tests/cli/inputs/truncated.kvp"}, false},
    {"resave_version1_0", {"resave", "tests/cli/inputs/version1_0.kvp", "@OUT@"}, true},
    {"resave_truncated", {"resave", "tests/cli/inputs/truncated.kvp", "@OUT@"}, true},
    {"resave_field3d", {"resave", "examples/field3d.kvp", "@OUT@"}, true},
    {"resave_unwritable", {"resave", "examples/field2d.kvp", "/nonexistent/folder/out.kvp"}, false},
    {"resave_usage", {"resave", "examples/field2d.kvp"}, false},
    {"help_export_vtk", {"export-vtk", "--help"}, false},
    {"export_vtk_usage", {"export-vtk", "--binary", "examples/field3d.kvp", "out.vtr"}, false},
    {"export_vtk_unwritable", {"export-vtk", "examples/field3d.kvp", "/nonexistent/out.vtr"}, false},
};

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
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

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, MatchesGoldenFiles) {
    const GoldenCase& c = GetParam();
    const fs::path golden = fs::path(KORVA_SOURCE_DIR) / "tests/cli/golden";
    const fs::path work =
        fs::temp_directory_path() / ("korva_golden_" + std::to_string(::getpid()) + "_" + c.name);
    fs::remove_all(work);
    fs::create_directories(work);
    const fs::path output = work / "out.kvp";

    std::string command = "cd " + Quoted(KORVA_SOURCE_DIR) + " && " + Quoted(KORVA_BATCH);
    for (const std::string& arg : c.args)
        command += " " + Quoted(arg == "@OUT@" ? output.string() : arg);
    command +=
        " >" + Quoted((work / "stdout").string()) + " 2>" + Quoted((work / "stderr").string());
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;

    std::vector<std::pair<std::string, std::string>> results = {
        {".stdout", Read(work / "stdout")},
        {".stderr", Read(work / "stderr")},
        {".status", std::to_string(WEXITSTATUS(raw)) + "\n"},
    };
    if (c.writesFile) {
        ASSERT_TRUE(fs::exists(output)) << c.name << " wrote no file";
        results.emplace_back(".kvp", Read(output));
    }
    for (const auto& [suffix, actual] : results) {
        const fs::path expected = golden / (std::string(c.name) + suffix);
        if (Regenerating()) {
            Write(expected, actual);
            continue;
        }
        ASSERT_TRUE(fs::exists(expected))
            << expected << " is missing; run with KORVA_REGENERATE_GOLDEN=1 to create it";
        EXPECT_EQ(actual, Read(expected)) << "differs from " << expected;
    }
    fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(KorvaBatch, GoldenTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
