#include "outputparamcontroldlg.h"

#include "app/document/commands/editcommand.h"
#include "app/document/korvadoc.h"
#include "layerchoice.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <cstdio>

namespace korva::charts {

namespace {

constexpr int OutputLayerMode = 8;

QString Number(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

QColor ToQColor(const RgbColor& c) {
    return QColor::fromRgbF(static_cast<float>(std::clamp(c[0], 0.0, 1.0)),
                            static_cast<float>(std::clamp(c[1], 0.0, 1.0)),
                            static_cast<float>(std::clamp(c[2], 0.0, 1.0)));
}

void PaintButton(QPushButton* button, const QColor& color) {
    button->setStyleSheet(QString("background-color: %1;").arg(color.name()));
}

} // namespace

OutputParamControlDlg::OutputParamControlDlg(CKORVADoc& document, ViewReceiverHost* view,
                                             QWidget* parent)
    : QDialog(parent), document_(document), view_(view) {
    setWindowTitle("Output Parameters");
    auto* form = new QFormLayout(this);
    minButton_ = new QPushButton(this);
    maxButton_ = new QPushButton(this);
    minButton_->setMinimumWidth(80);
    maxButton_->setMinimumWidth(80);
    minLabel_ = new QLabel(this);
    maxLabel_ = new QLabel(this);
    form->addRow("Minimum colour:", minButton_);
    form->addRow("Minimum:", minLabel_);
    form->addRow("Maximum colour:", maxButton_);
    form->addRow("Maximum:", maxLabel_);
    layer_ = new QComboBox(this);
    form->addRow("Layer:", layer_);
    hoverLabel_ = new QLabel(this);
    form->addRow(hoverLabel_);
    auto* close = new QPushButton("Close", this);
    form->addRow(close);

    connect(minButton_, &QPushButton::clicked, this, [this] {
        const QColor color = QColorDialog::getColor(Qt::black, this, "Minimum colour");
        if (color.isValid()) SetMinimumColor(color);
    });
    connect(maxButton_, &QPushButton::clicked, this, [this] {
        const QColor color = QColorDialog::getColor(Qt::white, this, "Maximum colour");
        if (color.isValid()) SetMaximumColor(color);
    });
    connect(layer_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (view_ != nullptr && index >= 0 && isVisible() && view_->CurrentSlice() != index)
            view_->SetCurrentSlice(index);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&document_, &CKORVADoc::ModelEdited, this, [this](const ModelChange& change) {
        if (change.Touches(ModelChange::Outputs | ModelChange::Geometry)) Refresh();
    });
    Refresh();
}

OutputParamControlDlg::~OutputParamControlDlg() {
    LeaveView();
}

void OutputParamControlDlg::SetOutputParameter(int quantity) {
    quantity_ = quantity;
    Refresh();
}

void OutputParamControlDlg::Refresh() {
    const auto& outputs = document_.Grid().Outputs().gridOutputs;
    const bool shown = quantity_ >= 0 && quantity_ < static_cast<int>(outputs.size());
    QColor low = Qt::black, high = Qt::white;
    if (shown) {
        const KORVAOutputData& output = outputs[static_cast<std::size_t>(quantity_)];
        low = ToQColor(output.lowColor);
        high = ToQColor(output.highColor);
        minLabel_->setText(output.minimum == NoDataValue ? QString() : Number(output.minimum));
        maxLabel_->setText(output.maximum == NoDataValue ? QString() : Number(output.maximum));
    } else {
        minLabel_->clear();
        maxLabel_->clear();
    }
    PaintButton(minButton_, low);
    PaintButton(maxButton_, high);
    minButton_->setEnabled(shown);
    maxButton_->setEnabled(shown);
    FillLayerChoice(*layer_, document_.Grid().NumLayers());
}

void OutputParamControlDlg::SetMinimumColor(const QColor& color) {
    SetColor(false, color);
}

void OutputParamControlDlg::SetMaximumColor(const QColor& color) {
    SetColor(true, color);
}

void OutputParamControlDlg::SetColor(bool high, const QColor& color) {
    const auto& outputs = document_.Grid().Outputs().gridOutputs;
    if (quantity_ < 0 || quantity_ >= static_cast<int>(outputs.size()) || !color.isValid()) return;
    const std::size_t q = static_cast<std::size_t>(quantity_);
    const RgbColor rgb{color.redF(), color.greenF(), color.blueF()};
    const KORVAOutputData& output = outputs[q];
    const RgbColor low = high ? output.lowColor : rgb;
    const RgbColor top = high ? rgb : output.highColor;
    document_.Execute(new ModelEditCommand(
        document_, high ? "Maximum colour" : "Minimum colour",
        [quantity = quantity_, low, top](GridData& grid, UndoRecord* undo) {
            return grid.SetOutputColors(quantity, low, top, undo);
        },
        ModelChange{ModelChange::Outputs}));
}

void OutputParamControlDlg::showEvent(QShowEvent* event) {
    Refresh();
    if (view_ != nullptr) {
        view_->SetOutputLayerReceiver(this);
        view_->SetViewMode(OutputLayerMode);
        view_->SetCurrentSlice(std::max(0, layer_->currentIndex()));
    }
    QDialog::showEvent(event);
}

void OutputParamControlDlg::hideEvent(QHideEvent* event) {
    LeaveView();
    QDialog::hideEvent(event);
}

void OutputParamControlDlg::LeaveView() {
    if (view_ == nullptr) return;
    view_->SetOutputLayerReceiver(nullptr);
    if (view_->ViewMode() == OutputLayerMode) view_->SetViewMode(-1);
}

void OutputParamControlDlg::OutputShown(int quantity, int layer) {
    if (quantity != quantity_) SetOutputParameter(quantity);
    if (layer >= 0 && layer < layer_->count() && layer != layer_->currentIndex()) {
        layer_->blockSignals(true);
        layer_->setCurrentIndex(layer);
        layer_->blockSignals(false);
    }
}

void OutputParamControlDlg::HoverCell(const HoveredCell& cell, bool hasValue, double value) {
    QString text = QString("Layer %1, row %2, column %3")
                       .arg(cell.layer + 1)
                       .arg(cell.row + 1)
                       .arg(cell.column + 1);
    if (hasValue) text += ": " + Number(value);
    hoverLabel_->setText(text);
}

} // namespace korva::charts
