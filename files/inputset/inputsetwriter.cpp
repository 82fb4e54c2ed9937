// Writes the input set: each file built in one buffer (the main file in
// parts once large), written and closed before the next is opened, in the
// order the solver reads.
#include "files/inputset/inputsetwriter.h"

#include "files/inputset/inputset.h"
#include "files/replacingfile.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <string>

namespace korva {
namespace {

// A builder whose text stays small: it is built whole, whatever the spill.
template <void (*Build)(const GridData&, std::string&)>
void WholeText(const GridData& grid, std::string& out, const TextSpill&) {
    Build(grid, out);
}

} // namespace

bool WriteModelInputFiles(const GridData& grid, const std::string& basePath) {
    using Builder = void (*)(const GridData&, std::string&, const TextSpill&);
    static constexpr Builder builders[] = {AppendMainFile,
                                           WholeText<AppendIrrigationFile>,
                                           WholeText<AppendTimeSeriesFile>,
                                           WholeText<AppendMethodFile>,
                                           WholeText<AppendConnectivityFile>,
                                           WholeText<AppendDailyETFile>,
                                           WholeText<AppendYieldFile>,
                                           WholeText<AppendPrintFile>};
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
        builders[i](grid, text, [&file](std::string& part) {
            file.Write(part);
            part.clear();
        });
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
