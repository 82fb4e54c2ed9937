#pragma once
// Runs readvtk.py (the distribution's Python VTK, as /usr/bin/python3) on a
// written file and hands back what it printed, a line at a time, split at
// tabs, for the tests that read exported VTK files back with VTK's own reader.
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace korva::test {

struct VtkReaderOutput {
    bool ran = false; // the reader started and exited with status 0
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> fields; // fields[n]: lines[n] split at tabs
};

inline VtkReaderOutput RunVtkReader(const std::string& path) {
    VtkReaderOutput output;
    const std::string command =
        "/usr/bin/python3 '" KORVA_SOURCE_DIR "/tests/output/readvtk.py' '" + path + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    std::string text;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    output.ran = ::pclose(pipe) == 0;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t'))
            fields.push_back(field);
        output.lines.push_back(line);
        output.fields.push_back(std::move(fields));
    }
    return output;
}

// A list of numbers as the reader prints them, "nan" for a cell without data.
inline std::vector<double> VtkNumbers(const std::string& text) {
    std::vector<double> numbers;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        numbers.push_back(word == "nan" ? std::nan("") : std::stod(word));
    return numbers;
}

} // namespace korva::test
