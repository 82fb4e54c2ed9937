// Reads the input set into a copy of the model, file by file in the order
// they are written, so that a set that fails anywhere leaves the model as it
// was.
#include "files/inputset/inputsetreader.h"

#include "files/inputset/inputset.h"
#include "files/inputset/inputsetscanner.h"
#include "model/errors.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <new>
#include <string>
#include <utility>

namespace korva {

bool ReadModelInputFiles(GridData& grid, const std::string& basePath, InputSetExtras* extras) {
    GridData result = grid;
    InputSetExtras found;
    try {
        std::string text;
        for (size_t i = 0; i < InputSetExtensions.size(); ++i) {
            const std::string path = basePath + InputSetExtensions[i];
            if (!LoadTextFile(path, text)) {
                ShowMessage("Error opening " + path + " for reading.");
                return false;
            }
            InputSetScanner in(path, std::move(text));
            switch (i) {
            case 0:
                ReadMainFile(result, in);
                break;
            case 1:
                ReadIrrigationFile(result, in);
                break;
            case 2:
                ReadTimeSeriesFile(result, in);
                break;
            case 3:
                ReadMethodFile(result, in);
                break;
            case 4:
                ReadConnectivityFile(result, in);
                break;
            case 5:
                ReadDailyETFile(result, in, found.runDailyET);
                break;
            case 6:
                ReadYieldFile(result, in);
                break;
            default:
                ReadPrintFile(result, in);
                break;
            }
            text = std::string();
        }
    } catch (const InputError& error) {
        ShowMessage(error.what());
        return false;
    } catch (const GenericError& error) {
        ShowMessage(error.what());
        return false;
    } catch (const std::bad_alloc&) {
        // Counts are bounded by the file sizes, so only a set of a size beyond
        // this machine's memory gets here.
        ShowMessage("Error reading " + basePath + ".kvi: not enough memory for this grid.");
        return false;
    }
    grid = std::move(result);
    if (extras != nullptr) *extras = std::move(found);
    return true;
}

} // namespace korva
