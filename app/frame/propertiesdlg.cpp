#include "propertiesdlg.h"

#include "app/document/korvadoc.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace korva {

int TransparencySliderPosition(double transparency) {
    return static_cast<int>(transparency * 100.0);
}

double TransparencyOfSliderPosition(int position) {
    return position / 100.0;
}

PropertiesDlg::PropertiesDlg(double transparency, QWidget* parent) : QDialog(parent) {
    setObjectName("PropertiesDlg");
    setWindowTitle("KORVA Properties");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Output Parameter Transparency", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel("0", group));
    slider_ = new QSlider(Qt::Horizontal, group);
    slider_->setRange(0, 100);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(10);
    slider_->setValue(TransparencySliderPosition(transparency));
    slider_->setMinimumWidth(220);
    row->addWidget(slider_);
    row->addWidget(new QLabel("100", group));
    auto* value = new QLabel(group);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance("100") + 4);
    value->setNum(slider_->value());
    connect(slider_, &QSlider::valueChanged, value, qOverload<int>(&QLabel::setNum));
    row->addWidget(value);
    layout->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

double PropertiesDlg::Transparency() const {
    return TransparencyOfSliderPosition(slider_->value());
}

void ShowPropertiesDialog(CKORVADoc& document, QWidget* parent) {
    PropertiesDlg dialog(document.OutputTransparency(), parent);
    if (dialog.exec() == QDialog::Accepted) document.SetOutputTransparency(dialog.Transparency());
}

} // namespace korva
