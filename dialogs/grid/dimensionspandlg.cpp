#include "dimensionspandlg.h"

#include "dialogs/dialogfields.h"
#include "model/messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace korva {

DimensionSpanDlg::DimensionSpanDlg(double height, double width, QWidget* parent)
    : QDialog(parent), height_(height), width_(width) {
    setWindowTitle(tr("New Width & Height"));
    heightEdit_ = NewNumberEdit(this, 120);
    widthEdit_ = NewNumberEdit(this, 120);
    ShowNumber(heightEdit_, height);
    ShowNumber(widthEdit_, width);
    auto* form = new QFormLayout;
    form->addRow(tr("Height of the rectangle:"), heightEdit_);
    form->addRow(tr("Width of the rectangle:"), widthEdit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void DimensionSpanDlg::accept() {
    const std::optional<double> height = ReadNumber(heightEdit_);
    if (!height) return;
    const std::optional<double> width = ReadNumber(widthEdit_);
    if (!width) return;
    // A grid cannot measure nothing; asking for it would lose the spacings.
    if (!(*height > 0.0) || !(*width > 0.0)) {
        ShowMessage("The height and the width must be greater than 0.");
        return;
    }
    height_ = *height;
    width_ = *width;
    QDialog::accept();
}

} // namespace korva
