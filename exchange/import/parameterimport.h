#pragma once
// Filling a cell parameter from a file in the desktop program: a plain text
// grid by the "Import Settings", or a raster GDAL reads (GeoTIFF, ESRI ASCII
// grid, ...) resampled onto the grid when its size differs. Either is one
// undoable step of the document that keeps only the parameter's old cells.
#include "files/text/textimport.h"
#include "rasterimportform.h"

#include <QString>

class QWidget;

namespace korva {

class CKORVADoc;

// How an import went: whether it became a step of the history, and what the
// user is told (why nothing was imported, or a note such as the resampling).
struct ParameterImportResult {
    bool imported = false;
    QString message;
    bool warning = false; // the message reports a fault in the file
};

// The text grid at path into parameter param (a position in ParameterOrder).
ParameterImportResult ImportParameterText(CKORVADoc& document, int param, const QString& path,
                                          const ImportSettings& settings);

// Band settings.band of the raster at path into parameter param.
ParameterImportResult ImportParameterRaster(CKORVADoc& document, int param, const QString& path,
                                            const RasterImportSettings& settings);

// The parameter control panel's "Import": asks for the file, shows the
// settings dialog that fits it (raster or text grid), imports with a wait
// cursor and tells the user what needs telling. True when the parameter
// changed.
bool RunParameterImport(CKORVADoc& document, int param, QWidget* parent);

} // namespace korva
