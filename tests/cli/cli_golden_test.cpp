// korva-batch as users see it: each case runs the built tool from the source
// folder and compares standard output, standard error, the exit status and
// the files it writes with the files in tests/cli/golden/. Set
// KORVA_REGENERATE_GOLDEN=1 to rewrite them after an intended change; without
// it a missing or different golden file fails the case, with a diff.
//
// A case works in a scratch folder of its own ("@WORK@" in its arguments):
// files are copied there first (optionally with one text replaced, to make a
// damaged or problematic project), and preparing commands run before the
// command under test. The scratch folder and the program folder read as
// "@WORK@" and "@BIN@" in what is compared.
#include "batchrunner.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Args = std::vector<std::string>;

// A file put into the scratch folder before the case runs.
struct StagedFile {
    std::string source; // relative to the source folder
    std::string name;   // in the scratch folder
    std::string from;   // replaced once by to when not empty
    std::string to;
};

struct GoldenCase {
    std::string name;
    Args args;
    std::vector<std::string> written; // files of the scratch folder compared
    std::vector<StagedFile> staged;
    std::vector<Args> prepare; // commands run first, not compared
};

// Every command's own help, so a changed usage or text is seen.
const char* const CommandNames[] = {
    "new",          "resave",          "info",          "write-input",   "import-input",
    "outputs",      "export-param",    "export-output", "export-series", "plot-series",
    "import-param", "import-boundary", "check",         "run",           "export-vtk"};

std::vector<GoldenCase> Cases() {
    const StagedFile field2d{"examples/field2d.kvp", "site.kvp", "", ""};
    const Args runSite = {"run", "@WORK@/site.kvp"};
    std::vector<GoldenCase> cases = {
        {"tool_usage", {}, {}, {}, {}},
        {"tool_unknown", {"frobnicate"}, {}, {}, {}},
        {"tool_help", {"--help"}, {}, {}, {}},

        {"new_3d", {"new", "@WORK@/out.kvp"}, {"out.kvp"}, {}, {}},
        {"new_2d", {"new", "--2d", "@WORK@/out.kvp"}, {"out.kvp"}, {}, {}},
        {"new_usage", {"new"}, {}, {}, {}},

        {"info_field3d", {"info", "examples/field3d.kvp"}, {}, {}, {}},
        {"info_field2d", {"info", "examples/field2d.kvp"}, {}, {}, {}},
        {"info_missing", {"info", "tests/cli/inputs/missing.kvp"}, {}, {}, {}},
        {"info_misspelled", {"info", "tests/cli/inputs/misspelled.kvp"}, {}, {}, {}},
        {"info_truncated", {"info", "tests/cli/inputs/truncated.kvp"}, {}, {}, {}},

        {"resave_version1_0",
         {"resave", "tests/cli/inputs/version1_0.kvp", "@WORK@/out.kvp"},
         {"out.kvp"},
         {},
         {}},
        {"resave_truncated",
         {"resave", "tests/cli/inputs/truncated.kvp", "@WORK@/out.kvp"},
         {"out.kvp"},
         {},
         {}},
        {"resave_field3d",
         {"resave", "examples/field3d.kvp", "@WORK@/out.kvp"},
         {"out.kvp"},
         {},
         {}},
        {"resave_unwritable",
         {"resave", "examples/field2d.kvp", "/nonexistent/folder/out.kvp"},
         {},
         {},
         {}},
        {"resave_usage", {"resave", "examples/field2d.kvp"}, {}, {}, {}},
        // A count of the time-series selections that is no number: the crops
        // after it are unread, so the project may not be saved over itself.
        {"resave_damaged_over_itself",
         {"resave", "@WORK@/site.kvp", "@WORK@/site.kvp"},
         {"site.kvp"},
         {{"examples/field2d.kvp", "site.kvp", "for this cell = 0\r\n", "for this cell = x\r\n"}},
         {}},

        {"check_field2d", {"check", "examples/field2d.kvp"}, {}, {}, {}},
        {"check_problems",
         {"check", "@WORK@/site.kvp"},
         {},
         {{"examples/field2d.kvp", "site.kvp", "irrigation time step = 0.01",
           "irrigation time step = 0"}},
         {}},

        {"write_input_field2d",
         {"write-input", "examples/field2d.kvp", "@WORK@/set"},
         {"set.kvi", "set.irr", "set.tsi", "set.psn", "set.drn", "set.ets", "set.yld", "set.prn"},
         {},
         {}},
        {"import_input_field2d",
         {"import-input", "--2d", "@WORK@/set.kvi", "@WORK@/out.kvp"},
         {"out.kvp"},
         {},
         {{"write-input", "examples/field2d.kvp", "@WORK@/set"}}},
        {"import_input_missing", {"import-input", "@WORK@/none", "@WORK@/out.kvp"}, {}, {}, {}},

        {"run_field2d", runSite, {"site.kvp", "site.day", "site-1.kvo"}, {field2d}, {}},
        {"run_problems",
         runSite,
         {},
         {{"examples/field2d.kvp", "site.kvp", "irrigation time step = 0.01",
           "irrigation time step = 0"}},
         {}},
        {"run_own_extension",
         {"run", "@WORK@/site.kvi"},
         {"site.kvi"},
         {{"examples/field2d.kvp", "site.kvi", "", ""}},
         {}},

        {"outputs_field2d", {"outputs", "@WORK@/site.kvp"}, {}, {field2d}, {runSite}},
        {"outputs_none", {"outputs", "@WORK@/site.kvp"}, {}, {field2d}, {}},

        {"export_param_field2d",
         {"export-param", "examples/field2d.kvp", "Ground Elevation", "@WORK@/out.txt"},
         {"out.txt"},
         {},
         {}},
        {"export_param_unknown",
         {"export-param", "examples/field2d.kvp", "Depth of Snow", "@WORK@/out.txt"},
         {},
         {},
         {}},
        {"export_output_field2d",
         {"export-output", "@WORK@/site.kvp", "WE WATER TABLE ELEVATION", "1", "@WORK@/out.txt"},
         {"out.txt"},
         {field2d},
         {runSite}},

        {"import_param_field2d",
         {"import-param", "--skip", "1", "--no-reverse", "@WORK@/site.kvp", "Bedrock Elevation",
          "@WORK@/ground.txt", "@WORK@/out.kvp"},
         {"out.kvp"},
         {field2d},
         {{"export-param", "@WORK@/site.kvp", "Ground Elevation", "@WORK@/ground.txt"}}},
        {"import_param_device",
         {"import-param", "@WORK@/site.kvp", "0", "/dev/zero", "@WORK@/out.kvp"},
         {},
         {field2d},
         {}},
        {"import_boundary_field2d",
         {"import-boundary", "--skip", "1", "--no-reverse", "@WORK@/site.kvp", "no-flow", "1",
          "@WORK@/ground.txt", "@WORK@/out.kvp"},
         {"out.kvp"},
         {field2d},
         {{"export-param", "@WORK@/site.kvp", "Ground Elevation", "@WORK@/ground.txt"}}},
        {"export_vtk_usage",
         {"export-vtk", "--binary", "examples/field3d.kvp", "out.vtr"},
         {},
         {},
         {}},
        {"export_vtk_unwritable",
         {"export-vtk", "examples/field3d.kvp", "/nonexistent/out.vtr"},
         {},
         {},
         {}},
        {"import_boundary_number",
         {"import-boundary", "@WORK@/site.kvp", "no-flow", "7", "/dev/null", "@WORK@/out.kvp"},
         {},
         {field2d},
         {}},
    };
    for (const char* command : CommandNames) {
        std::string name = std::string("help_") + command;
        std::replace(name.begin(), name.end(), '-', '_');
        cases.push_back({name, {command, "--help"}, {}, {}, {}});
    }
    return cases;
}

using korva::testing::ReadFile;
using korva::testing::WriteFile;

std::string ReplacedAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool Regenerating() {
    const char* flag = std::getenv("KORVA_REGENERATE_GOLDEN");
    return flag != nullptr && std::string(flag) == "1";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines where expected and actual part, with three lines of context, in
// the manner of diff -u; at most 40 lines of each side.
std::string Diff(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> a = Lines(expected);
    const std::vector<std::string> b = Lines(actual);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::size_t from = head > 3 ? head - 3 : 0;
    std::ostringstream out;
    out << "@@ line " << head + 1 << " @@\n";
    for (std::size_t i = from; i < head; ++i)
        out << " " << a[i] << "\n";
    for (std::size_t i = head; i < a.size() - tail && i < head + 40; ++i)
        out << "-" << a[i] << "\n";
    for (std::size_t i = head; i < b.size() - tail && i < head + 40; ++i)
        out << "+" << b[i] << "\n";
    for (std::size_t i = b.size() - tail; i < b.size() && i < b.size() - tail + 3; ++i)
        out << " " << b[i] << "\n";
    if (a.size() == b.size() && head == a.size())
        out << "(the texts differ only in their line ends)\n";
    return out.str();
}

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {
protected:
    // Runs the tool from the source folder with args, "@WORK@" replaced.
    korva::testing::BatchRun Tool(const Args& args) const {
        Args expanded;
        for (const std::string& arg : args)
            expanded.push_back(ReplacedAll(arg, "@WORK@", work_.string()));
        korva::testing::BatchRun run = korva::testing::RunBatch(KORVA_SOURCE_DIR, expanded, work_);
        EXPECT_LT(run.status, 128) << "korva-batch ended by a signal: " << args.front();
        return run;
    }
    // Text as the golden files hold it: no scratch or program folder in it.
    std::string Normalised(const std::string& text) const {
        const std::string bin = fs::path(KORVA_BATCH).parent_path().string();
        return ReplacedAll(ReplacedAll(text, work_.string(), "@WORK@"), bin, "@BIN@");
    }

    fs::path work_;
};

TEST_P(GoldenTest, MatchesGoldenFiles) {
    const GoldenCase& c = GetParam();
    const fs::path golden = fs::path(KORVA_SOURCE_DIR) / "tests/cli/golden";
    work_ =
        fs::temp_directory_path() / ("korva_golden_" + std::to_string(::getpid()) + "_" + c.name);
    fs::remove_all(work_);
    fs::create_directories(work_);
    for (const StagedFile& s : c.staged) {
        const std::string text = ReadFile(fs::path(KORVA_SOURCE_DIR) / s.source);
        ASSERT_FALSE(text.empty()) << s.source;
        ASSERT_TRUE(s.from.empty() || text.find(s.from) != std::string::npos) << s.from;
        std::string copy = text;
        if (!s.from.empty()) copy.replace(copy.find(s.from), s.from.size(), s.to);
        WriteFile(work_ / s.name, copy);
    }
    for (const Args& step : c.prepare) {
        const korva::testing::BatchRun prepared = Tool(step);
        ASSERT_EQ(prepared.status, 0) << "preparing " << c.name << ": " << prepared.err;
    }

    const korva::testing::BatchRun run = Tool(c.args);
    std::vector<std::pair<std::string, std::string>> results = {
        {".stdout", Normalised(run.out)},
        {".stderr", Normalised(run.err)},
        {".status", std::to_string(run.status) + "\n"},
    };
    for (const std::string& name : c.written) {
        ASSERT_TRUE(fs::exists(work_ / name)) << c.name << " wrote no " << name;
        // The project of a case keeps the suffix it always had.
        const std::string suffix = name == "out.kvp" ? ".kvp" : "." + name;
        results.emplace_back(suffix, Normalised(ReadFile(work_ / name)));
    }
    for (const auto& [suffix, actual] : results) {
        const fs::path expected = golden / (c.name + suffix);
        if (Regenerating()) {
            WriteFile(expected, actual);
            continue;
        }
        ASSERT_TRUE(fs::exists(expected))
            << expected << " is missing; run with KORVA_REGENERATE_GOLDEN=1 to create it";
        const std::string wanted = ReadFile(expected);
        EXPECT_TRUE(actual == wanted) << "differs from " << expected << ":\n"
                                      << Diff(wanted, actual);
    }
    fs::remove_all(work_);
}

INSTANTIATE_TEST_SUITE_P(KorvaBatch, GoldenTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return info.param.name;
                         });

} // namespace
