#include "files/output/modeloutputday.h"

#include "files/output/modeloutputscanner.h"
#include "model/messages.h"

namespace korva {

namespace {

std::string Quoted(std::string_view line) {
    return "\"" + std::string(line) + "\"";
}

} // namespace

bool ParseOutputTimeList(std::string_view text, const std::string& path, OutputTimeList& list) {
    list = OutputTimeList{};
    ModelOutputScanner scanner(text);

    std::string_view line;
    if (!scanner.NextLine(line)) line = {};
    const char* p = line.data();
    const char* end = line.data() + line.size();
    if (!ScanCNumber(p, end, list.startDay) || !ScanCNumber(p, end, list.endDay)) {
        ShowMessage("Unable to parse start and end day from file " + path + "; line is " +
                    Quoted(line));
        return false;
    }

    // The count must be there and fit the file: every output time has its
    // own label line, so a count beyond the lines left is a broken file, not
    // a reason to reserve room for it.
    if (!scanner.NextLine(line)) line = {};
    p = line.data();
    end = line.data() + line.size();
    int count = 0;
    if (!ScanCInt(p, end, count) || count < 0 ||
        static_cast<std::size_t>(count) > scanner.Remaining()) {
        ShowMessage("Unable to read number of output times from line 2 in " + path + "; line is " +
                    Quoted(line));
        return false;
    }

    list.labels.reserve(static_cast<std::size_t>(count));
    list.times.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        // Leading white space includes blank lines, as a stream skipping
        // white space before each label would take them.
        scanner.SkipSpace();
        if (!scanner.NextLine(line)) {
            ShowMessage("Unable to read output time " + std::to_string(k) + " of " +
                        std::to_string(count) + " from file " + path);
            return false;
        }
        list.labels.emplace_back(line);
        list.times.push_back(ConvertCDouble(line));
    }
    return true;
}

} // namespace korva
