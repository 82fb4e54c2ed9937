#include "rasterimportdlg.h"

#include "app/document/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace korva {

RasterImportDlg::RasterImportDlg(const RasterImportForm& form, const RasterImportSettings& initial,
                                 QWidget* parent)
    : QDialog(parent), form_(form), settings_(initial) {
    setWindowTitle(QStringLiteral("Raster Import Settings"));
    auto* description = new QLabel(form_.Description(), this);
    description->setWordWrap(true);

    band_ = new QComboBox(this);
    band_->addItems(form_.BandEntries());
    band_->setCurrentIndex(initial.band - 1 < band_->count() ? initial.band - 1 : 0);
    resampling_ = new QComboBox(this);
    resampling_->addItems(RasterImportForm::ResamplingEntries());
    resampling_->setCurrentIndex(RasterImportForm::ResamplingEntry(initial.resampling));
    // Resampling means something only when the sizes differ.
    resampling_->setEnabled(form_.Resamples());
    reverse_ = new QCheckBox(QStringLiteral("Reverse Rows (the raster's first row is the "
                                            "grid's last)"),
                             this);
    reverse_->setChecked(initial.reverseRows);
    layer_ = new QComboBox(this);
    layer_->addItems(form_.LayerEntries());
    if (form_.HasLayerChoice() && initial.layer < layer_->count())
        layer_->setCurrentIndex(initial.layer);
    layer_->setEnabled(form_.HasLayerChoice());

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Band:"), band_);
    fields->addRow(QStringLiteral("Resampling:"), resampling_);
    fields->addRow(reverse_);
    fields->addRow(QStringLiteral("Layer:"), layer_);
    auto* note = new QLabel(QStringLiteral("Cells whose raster value is the band's nodata value "
                                           "keep their values."),
                            this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RasterImportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RasterImportDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addLayout(fields);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void RasterImportDlg::accept() {
    QString message;
    if (!form_.Read(band_->currentIndex(), resampling_->currentIndex(), reverse_->isChecked(),
                    layer_->currentIndex(), settings_, message)) {
        Prompts().Warn(this, message);
        return;
    }
    QDialog::accept();
}

} // namespace korva
