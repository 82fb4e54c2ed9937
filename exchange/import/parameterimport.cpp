#include "parameterimport.h"

#include "app/document/commands/editcommand.h"
#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "gis/rasterimport.h"
#include "importsettingsdlg.h"
#include "rasterimportdlg.h"

#include <QApplication>
#include <QFileInfo>
#include <fstream>
#include <memory>
#include <string>

namespace korva {

namespace {

constexpr ModelChange CellsChanged{ModelChange::Cells, -1, 0};

// What the command found when it ran. The history drops a command that
// changed nothing at once, so the caller reads this instead of the command.
struct ImportOutcome {
    bool opened = false;
    std::size_t count = 0; // values read (text) or cells set (raster)
};

QString ImportText(const GridData& grid, int param) {
    return QStringLiteral("Import ") + QString::fromStdString(grid.Parameter(param).name);
}

QString UnableToOpen(const QString& path) {
    return QStringLiteral("Unable to open file ") + path + QStringLiteral(" for reading.");
}

bool CanOpen(const QString& path) {
    if (QFileInfo(path).isDir()) return false;
    std::ifstream in(path.toStdString(), std::ios::binary);
    return in.is_open();
}

class TextImportCommand : public EditCommand {
public:
    TextImportCommand(CKORVADoc& document, int param, std::string path,
                      const ImportSettings& settings, std::shared_ptr<ImportOutcome> outcome)
        : EditCommand(document, ImportText(document.Grid(), param), CellsChanged), param_(param),
          path_(std::move(path)), settings_(settings), outcome_(std::move(outcome)) {}

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override {
        std::ifstream in(path_, std::ios::binary);
        outcome_->opened = in.is_open();
        if (!outcome_->opened) return EditResult::Refused();
        outcome_->count = ImportParameterValues(grid, param_, in, settings_, undo);
        // Nothing read leaves the parameter as it was: no step in the history.
        if (outcome_->count == 0) return EditResult::Refused();
        return {};
    }

private:
    int param_;
    std::string path_;
    ImportSettings settings_;
    std::shared_ptr<ImportOutcome> outcome_;
};

class RasterImportCommand : public EditCommand {
public:
    RasterImportCommand(CKORVADoc& document, int param, RasterBand band,
                        const RasterImportSettings& settings,
                        std::shared_ptr<ImportOutcome> outcome)
        : EditCommand(document, ImportText(document.Grid(), param), CellsChanged), param_(param),
          band_(std::move(band)), settings_(settings), outcome_(std::move(outcome)) {}

protected:
    EditResult Run(GridData& grid, UndoRecord* undo) override {
        // The band is used once; from then on the record holds what undo needs.
        const RasterBand band = std::move(band_);
        outcome_->opened = true;
        outcome_->count =
            ImportRasterValues(grid, param_, band, settings_.reverseRows, settings_.layer, undo);
        if (outcome_->count == 0) return EditResult::Refused();
        return {};
    }

private:
    int param_;
    RasterBand band_;
    RasterImportSettings settings_;
    std::shared_ptr<ImportOutcome> outcome_;
};

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

bool ValidParameter(const CKORVADoc& document, int param) {
    return param >= 0 && param < document.Grid().ParameterCount();
}

ParameterImportResult Failure(const QString& message) {
    return {false, message, true};
}

void Tell(const ParameterImportResult& result, QWidget* parent) {
    if (result.message.isEmpty()) return;
    if (result.warning)
        Prompts().Warn(parent, result.message);
    else
        Prompts().Inform(parent, result.message);
}

// The choices of the last import, offered again by the next one.
ImportSettings lastTextSettings;
RasterImportSettings lastRasterSettings;

} // namespace

ParameterImportResult ImportParameterText(CKORVADoc& document, int param, const QString& path,
                                          const ImportSettings& settings) {
    if (!ValidParameter(document, param))
        return Failure(QStringLiteral("Choose a parameter to import into."));
    if (!CanOpen(path)) return Failure(UnableToOpen(path));
    const GridData& grid = document.Grid();
    const std::size_t cells =
        static_cast<std::size_t>(grid.NumRows()) * static_cast<std::size_t>(grid.NumColumns());
    auto outcome = std::make_shared<ImportOutcome>();
    {
        WaitCursor wait;
        document.Execute(
            new TextImportCommand(document, param, path.toStdString(), settings, outcome));
    }
    if (!outcome->opened) return Failure(UnableToOpen(path));
    if (outcome->count == 0)
        return Failure(QStringLiteral("No number could be read from ") + path +
                       QStringLiteral(" after the %1 lines skipped; the parameter is unchanged.")
                           .arg(settings.linesToSkip));
    if (outcome->count < cells)
        return {true,
                QStringLiteral("Only %1 of the grid's %2 values could be read from ")
                        .arg(outcome->count)
                        .arg(cells) +
                    path +
                    QStringLiteral(": the file ends, or holds text that is not a number, before "
                                   "the last cell. The other cells keep their values."),
                true};
    return {true, {}, false};
}

ParameterImportResult ImportParameterRaster(CKORVADoc& document, int param, const QString& path,
                                            const RasterImportSettings& settings) {
    if (!ValidParameter(document, param))
        return Failure(QStringLiteral("Choose a parameter to import into."));
    const GridData& grid = document.Grid();
    RasterBand band;
    std::string error;
    auto outcome = std::make_shared<ImportOutcome>();
    {
        WaitCursor wait;
        if (!ReadRasterBand(path.toStdString(), settings.band, grid.NumRows(), grid.NumColumns(),
                            settings.resampling, band, error))
            return Failure(QStringLiteral("Cannot import: ") + QString::fromStdString(error) +
                           QLatin1Char('.'));
        const bool resampled = band.resampled;
        const int rasterRows = band.rasterRows, rasterColumns = band.rasterColumns;
        document.Execute(
            new RasterImportCommand(document, param, std::move(band), settings, outcome));
        if (outcome->count == 0)
            return Failure(QStringLiteral("Every cell of band %1 of ").arg(settings.band) + path +
                           QStringLiteral(" is without data; the parameter is unchanged."));
        if (resampled)
            return {true,
                    QStringLiteral("The raster's %1 rows x %2 columns were resampled onto the "
                                   "grid's %3 rows x %4 columns (%5).")
                        .arg(rasterRows)
                        .arg(rasterColumns)
                        .arg(grid.NumRows())
                        .arg(grid.NumColumns())
                        .arg(QLatin1String(RasterResamplingName(settings.resampling))),
                    false};
    }
    return {true, {}, false};
}

bool RunParameterImport(CKORVADoc& document, int param, QWidget* parent) {
    if (!ValidParameter(document, param)) return false;
    const QString path = Prompts().OpenFileName(
        parent, QStringLiteral("Import"),
        QStringLiteral("Space-delimited input files (*.txt);;"
                       "Raster files (*.tif *.tiff *.asc *.img *.vrt *.grd *.nc);;"
                       "All Files (*)"));
    if (path.isEmpty()) return false;
    if (!CanOpen(path)) {
        Prompts().Warn(parent, UnableToOpen(path));
        return false;
    }
    const GridData& grid = document.Grid();
    const bool surface = grid.Parameter(param).IsSurface();
    ParameterImportResult result;
    RasterProbe probe;
    if (ProbeRaster(path.toStdString(), probe)) {
        RasterImportForm form(probe, grid.NumRows(), grid.NumColumns(), grid.NumLayers(), !surface);
        RasterImportDlg dialog(form, lastRasterSettings, parent);
        if (dialog.exec() != QDialog::Accepted) return false;
        lastRasterSettings = dialog.Settings();
        result = ImportParameterRaster(document, param, path, lastRasterSettings);
    } else {
        ImportSettingsForm form(grid.NumLayers(), !surface);
        ImportSettingsDlg dialog(form, lastTextSettings, parent);
        if (dialog.exec() != QDialog::Accepted) return false;
        lastTextSettings = dialog.Settings();
        result = ImportParameterText(document, param, path, lastTextSettings);
    }
    Tell(result, parent);
    return result.imported;
}

} // namespace korva
