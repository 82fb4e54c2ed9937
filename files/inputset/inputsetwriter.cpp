// Writes the input set: each file built in one buffer, then written with one
// call and closed before the next is opened, in the order the solver reads.
#include "files/inputset/inputsetwriter.h"

#include "files/inputset/inputset.h"
#include "files/replacingfile.h"
#include "model/griddata.h"
#include "model/messages.h"

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
        // Each file replaces the old one only once it is complete, and a link
        // planted under the name is replaced, not written through.
        ReplacingFile file(path);
        if (!file.IsOpen()) {
            ShowMessage("Error opening " + path + " for writing.");
            return false;
        }
        text.clear();
        builders[i](grid, text);
        file.Write(text);
        if (!file.Commit()) {
            // A full disk must not pass for a complete set the solver then misreads.
            ShowMessage("Error writing " + path + ": " + file.ErrorText() + ".");
            return false;
        }
    }
    return true;
}

} // namespace korva
