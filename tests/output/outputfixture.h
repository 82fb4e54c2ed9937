#pragma once
// A small 3D model in a temporary folder, with helpers that write solver
// output files beside it.
#include "files/output/modeloutput.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace korva::test {

class OutputFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("korva-outputs-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        base = (folder / "run").string();
        // 2 layers of 100 cm, 2 rows, 3 columns.
        grid.ResetModel(1);
        ReaderContents(grid).rowSpacing.assign(2, 10.0);
        ReaderContents(grid).columnSpacing.assign(3, 10.0);
        ReaderContents(grid).layerSpacing.assign(2, 100.0);
        grid.Resize(2, 2, 3);
        ReaderContents(grid).settings.simulationYear = 1990;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void Write(const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    // A ".kvo" file for this grid: one per-layer quantity named layeredName
    // (values first + cell index) and one surface quantity named surfaceName
    // (values surfaceFirst + cell index).
    std::string KvoText(const std::string& layeredName, int first, const std::string& surfaceName,
                        int surfaceFirst) {
        std::string text =
            "solver output\n1 1\n2 3 2\n" + layeredName + "  \n" + surfaceName + "\t\n";
        for (int i = 0; i < 12; ++i)
            text += std::to_string(first + i) + (i % 3 == 2 ? "\n" : " ");
        for (int i = 0; i < 6; ++i)
            text += std::to_string(surfaceFirst + i) + " ";
        return text + "\n";
    }
    int Read() { return ReadModelOutput(grid, base, 2, 3, 2); }

    std::filesystem::path folder;
    std::string base;
    GridData grid;
    CollectingMessageSink messages;
    ScopedMessageSink sinkScope{messages};
};

} // namespace korva::test
