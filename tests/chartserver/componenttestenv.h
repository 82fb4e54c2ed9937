#pragma once
// ComponentTestEnv: runs the component inside a fresh temporary folder: its
// own folder (trace file, "PXPropVB.INI", pxfkill), the folder of the bare
// profile file (PXSERVER_SYSCONFDIR), a temporary folder (Temp, Tmp, TMPDIR)
// and an image folder. Nothing is written anywhere else.
#include "component.h"
#include "fakechart.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korva::pxserver::test {

namespace fs = std::filesystem;

class ComponentTestEnv : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("pxserver-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(root);
        for (const char* dir : {"own", "etc", "tmp", "images"})
            fs::create_directories(root / dir);
        own = (root / "own").string() + "/";
        etc = (root / "etc").string() + "/";
        tmp = (root / "tmp").string() + "/";
        images = (root / "images").string() + "/";
        ::setenv("PXSERVER_SYSCONFDIR", etc.c_str(), 1);
        for (const char* name : {"Temp", "TEMP", "Tmp", "TMP"})
            ::unsetenv(name);
        ::setenv("Temp", tmp.c_str(), 1);
        Component::Instance().SetOwnFolder(own);
        Component::Instance().SetChartFactory([] { return std::make_unique<FakeChart>(); });
        FakeOptions().drawFails = false;
        FakeOptions().drawsNothing = false;
    }

    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    void TraceOn() { WriteFile(etc + "PXPropVB.ini", "[System]\nTraceClass=1\n"); }

    std::vector<std::string> TraceLines() const {
        std::vector<std::string> lines;
        std::ifstream in(own + "Tracker.txt");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    void ClearTrace() const { fs::remove(own + "Tracker.txt"); }

    static std::vector<std::string> FilesIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root;
    std::string own, etc, tmp, images;

private:
    static inline int counter = 0;
};

} // namespace korva::pxserver::test
