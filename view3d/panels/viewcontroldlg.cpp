#include "viewcontroldlg.h"

#include "view3d/korvaview.h"

#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace korva {

ViewControlDlg::ViewControlDlg(CKORVAView& view, QWidget* parent) : QDialog(parent), view(view) {
    setWindowTitle(QStringLiteral("View Controls"));
    setModal(false);
    rotationX = new QSpinBox(this);
    rotationZ = new QSpinBox(this);
    depth = new QSpinBox(this);
    for (QSpinBox* spin : {rotationX, rotationZ}) {
        spin->setRange(0, 360);
        connect(spin, &QSpinBox::valueChanged, this, &ViewControlDlg::Apply);
    }
    // Kept for its place on the form; the view has no depth to set.
    depth->setRange(-10, 10);
    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Rotation about X:"), rotationX);
    form->addRow(QStringLiteral("Rotation about Z:"), rotationZ);
    form->addRow(QStringLiteral("Depth:"), depth);
    form->addRow(reset);
    connect(reset, &QPushButton::clicked, this, [this] {
        following = true;
        rotationX->setValue(0);
        rotationZ->setValue(0);
        following = false;
        this->view.SetRotation(0, 0);
    });
    connect(&view, &CKORVAView::RotationChanged, this, [this](double x, double z) {
        following = true;
        rotationX->setValue(static_cast<int>(x));
        rotationZ->setValue(static_cast<int>(z));
        following = false;
    });
}

void ViewControlDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    following = true;
    rotationX->setValue(static_cast<int>(view.Settings().RotationX));
    rotationZ->setValue(static_cast<int>(view.Settings().RotationZ));
    depth->setValue(0);
    following = false;
}

void ViewControlDlg::Apply() {
    if (following) return;
    view.SetRotation(rotationX->value(), rotationZ->value());
}

} // namespace korva
