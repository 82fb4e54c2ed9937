#include "transformparamdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/dialogfields.h"
#include "dialogs/modeledits.h"
#include "model/griddata.h"
#include "transformedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korva {

TransformParamDlg::TransformParamDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(tr("Transform Parameter"));
    const GridData& grid = document_.Grid();
    parameter_ = new QComboBox(this);
    for (int p = 0; p < grid.ParameterCount(); ++p)
        parameter_->addItem(QString::fromStdString(grid.Parameter(p).name));
    fromLayer_ = new QComboBox(this);
    toLayer_ = new QComboBox(this);
    for (int k = 1; k <= grid.NumLayers(); ++k) {
        fromLayer_->addItem(QString::number(k));
        toLayer_->addItem(QString::number(k));
    }
    fromLayer_->setCurrentIndex(0);
    toLayer_->setCurrentIndex(grid.NumLayers() - 1);
    multiplier_ = NewNumberEdit(this, 100);
    offset_ = NewNumberEdit(this, 100);
    ShowNumber(multiplier_, 0.0);
    ShowNumber(offset_, 0.0);
    multiply_ = new QPushButton(tr("Multiply by"), this);
    offsetButton_ = new QPushButton(tr("Offset by"), this);
    multiply_->setAutoDefault(false);
    offsetButton_->setAutoDefault(false);
    auto* close = new QPushButton(tr("Close"), this);
    close->setAutoDefault(false);

    auto* grid_ = new QGridLayout;
    grid_->addWidget(new QLabel(tr("Parameter:"), this), 0, 0);
    grid_->addWidget(parameter_, 0, 1, 1, 3);
    grid_->addWidget(new QLabel(tr("Layer"), this), 1, 0);
    grid_->addWidget(fromLayer_, 1, 1);
    grid_->addWidget(new QLabel(tr("to"), this), 1, 2, Qt::AlignCenter);
    grid_->addWidget(toLayer_, 1, 3);
    grid_->addWidget(multiply_, 2, 0);
    grid_->addWidget(multiplier_, 2, 1);
    grid_->addWidget(offsetButton_, 3, 0);
    grid_->addWidget(offset_, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(multiply_, &QPushButton::clicked, this, [this] { Transform(true); });
    connect(offsetButton_, &QPushButton::clicked, this, [this] { Transform(false); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(parameter_, &QComboBox::currentIndexChanged, this, &TransformParamDlg::ParameterChosen);
    ParameterChosen();
}

void TransformParamDlg::ParameterChosen() {
    const bool layered = TransformUsesLayerRange(document_.Grid(), parameter_->currentIndex());
    fromLayer_->setEnabled(layered);
    toLayer_->setEnabled(layered);
}

void TransformParamDlg::Transform(bool multiply) {
    const std::optional<double> amount = ReadNumber(multiply ? multiplier_ : offset_);
    if (!amount) return;
    const int paramIndex = parameter_->currentIndex();
    if (paramIndex < 0 || fromLayer_->currentIndex() < 0 || toLayer_->currentIndex() < 0) return;
    const QString text =
        (multiply ? tr("Multiply %1") : tr("Offset %1")).arg(parameter_->currentText());
    ChangeTransform(
        document_, text,
        TransformEdit(paramIndex, fromLayer_->currentIndex(), toLayer_->currentIndex(),
                      multiply ? GridData::MultiplyTransform : GridData::OffsetTransform, *amount));
}

} // namespace korva
