// Writes the input set: each file built in one buffer, then written with one
// call and closed before the next is opened, in the order the solver reads.
#include "files/inputset/inputsetwriter.h"

#include "files/inputset/inputset.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <cstdio>
#include <string>

namespace korva {

bool WriteModelInputFiles(const GridData& grid, const std::string& basePath) {
    using Builder = void (*)(const GridData&, std::string&);
    static constexpr Builder builders[] = {
        AppendMainFile,         AppendIrrigationFile, AppendTimeSeriesFile, AppendMethodFile,
        AppendConnectivityFile, AppendDailyETFile,    AppendYieldFile,      AppendPrintFile};
    static_assert(std::size(builders) == InputSetExtensions.size());

    std::string text;
    for (size_t i = 0; i < InputSetExtensions.size(); ++i) {
        const std::string path = basePath + InputSetExtensions[i];
        // Binary mode: the solver's files end their lines with "\n" alone.
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            ShowMessage("Error opening " + path + " for writing.");
            return false;
        }
        text.clear();
        builders[i](grid, text);
        const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        const bool closed = std::fclose(file) == 0;
        if (!written || !closed) {
            // A full disk must not pass for a complete set the solver then misreads.
            ShowMessage("Error writing " + path + ".");
            return false;
        }
    }
    return true;
}

} // namespace korva
