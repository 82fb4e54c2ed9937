// Reads the input set into a fresh model, file by file in the order they are
// written, so that a set that fails anywhere leaves the model as it was. The
// fresh model starts from the records the set does not carry (crops, units,
// names of the output base); its cell grids are rebuilt by the main file, so
// none of the old grids is copied, and the results move over only on success.
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
    GridData result;
    {
        GridContents& fresh = ReaderContents(result);
        const GridContents& old = grid.Contents();
        fresh.rowSpacing = old.rowSpacing;
        fresh.columnSpacing = old.columnSpacing;
        fresh.layerSpacing = old.layerSpacing;
        fresh.UniformSpacing = old.UniformSpacing;
        fresh.ModelKind = old.ModelKind;
        fresh.ZExaggeration = old.ZExaggeration;
        fresh.HorizontalUnits = old.HorizontalUnits;
        fresh.VerticalUnits = old.VerticalUnits;
        fresh.ProjectFileVersion = old.ProjectFileVersion;
        fresh.boundaries = old.boundaries;
        fresh.cropParams = old.cropParams;
        fresh.cropBasins = old.cropBasins;
        fresh.irrigation = old.irrigation;
        fresh.YieldResponseFactors = old.YieldResponseFactors;
        fresh.SalinityUpperBounds = old.SalinityUpperBounds;
        fresh.settings = old.settings;
        fresh.printList = old.printList;
        fresh.GridOutputParamList = old.GridOutputParamList;
        fresh.OutputBaseName = old.OutputBaseName;
    }
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
    ReaderContents(result).outputs = std::move(ReaderContents(grid).outputs);
    grid.ReplaceModel(std::move(result));
    if (extras != nullptr) *extras = std::move(found);
    return true;
}

} // namespace korva
