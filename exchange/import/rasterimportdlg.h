#pragma once
// RasterImportDlg ("Raster Import Settings"): how a raster file fills a cell
// parameter: the band, the resampling when the raster's size is not the
// grid's, the row direction and, for a layered parameter, the first layer.
#include "rasterimportform.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace korva {

class RasterImportDlg : public QDialog {
    Q_OBJECT
public:
    RasterImportDlg(const RasterImportForm& form, const RasterImportSettings& initial,
                    QWidget* parent = nullptr);
    const RasterImportSettings& Settings() const { return settings_; }
    // The controls, for tests that choose the way a user would.
    QComboBox* BandChoice() const { return band_; }
    QComboBox* ResamplingChoice() const { return resampling_; }
    QCheckBox* ReverseRows() const { return reverse_; }
    QComboBox* LayerChoice() const { return layer_; }

public slots:
    void accept() override;

private:
    RasterImportForm form_;
    RasterImportSettings settings_;
    QComboBox* band_;
    QComboBox* resampling_;
    QCheckBox* reverse_;
    QComboBox* layer_;
};

} // namespace korva
