#pragma once
// A run of the bundled 3D example, made once per test program with
// korva-batch; a test opens the project in a document, which loads the
// run's results as the program does.
#include "app/document/korvadoc.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace korva::testing {

class ExampleRun {
public:
    static ExampleRun& Instance() {
        static ExampleRun run;
        return run;
    }
    bool ok = false;
    std::filesystem::path folder;
    QString Project() const { return QString::fromStdString((folder / "field3d.kvp").string()); }

private:
    ExampleRun() {
        namespace fs = std::filesystem;
        folder = fs::temp_directory_path() / ("korva_charts_run_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::copy_file(fs::path(KORVA_SOURCE_DIR) / "examples/field3d.kvp", folder / "field3d.kvp");
        const std::string command = std::string("'") + KORVA_BATCH + "' run '" +
                                    (folder / "field3d.kvp").string() + "' >/dev/null 2>&1";
        ok = std::system(command.c_str()) == 0;
    }
    ~ExampleRun() { std::filesystem::remove_all(folder); }
};

} // namespace korva::testing
