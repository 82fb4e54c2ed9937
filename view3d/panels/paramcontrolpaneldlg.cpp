#include "paramcontrolpaneldlg.h"

#include "app/document/korvadoc.h"
#include "ccolorbutton.h"
#include "exchange/import/parameterimport.h"
#include "view3d/edits/panelcommands.h"
#include "view3d/korvaview.h"
#include "xedit.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korva {

namespace {

QColor ToQColor(const RgbColor& c) {
    return QColor::fromRgbF(c[0], c[1], c[2]);
}

} // namespace

ParamControlPanelDlg::ParamControlPanelDlg(CKORVAView& view, QWidget* parent)
    : QDialog(parent), view(view) {
    setWindowTitle(QStringLiteral("Parameter Control Panel"));
    setModal(false);
    valueEdit = new XEdit(this);
    valueEdit->SetValue(0);
    clickToApply = new QCheckBox(QStringLiteral("Click on grid to apply"), this);
    clickToApply->setChecked(true);
    allBelow = new QCheckBox(QStringLiteral("Apply to all layers below current"), this);
    layerCombo = new QComboBox(this);
    title = new QLabel(this);
    minColour = new CColorButton(QStringLiteral("Min"), this);
    maxColour = new CColorButton(QStringLiteral("Max"), this);
    minColour->SetFaceColour(Qt::black);
    maxColour->SetFaceColour(Qt::white);
    auto* import = new QPushButton(QStringLiteral("Import"), this);
    auto* clear = new QPushButton(QStringLiteral("Clear"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Assign new value:"), valueEdit);
    form->addRow(clickToApply);
    form->addRow(QStringLiteral("Current Editing Layer:"), layerCombo);
    form->addRow(allBelow);
    form->addRow(QStringLiteral("Min color:"), minColour);
    form->addRow(QStringLiteral("Max color:"), maxColour);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(import);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(layerCombo, &QComboBox::activated, this,
            [this](int index) { this->view.SetCurrentSlice(index); });
    connect(&view, &CKORVAView::SliceChanged, this, &ParamControlPanelDlg::OnSliceChanged);
    connect(minColour, &QPushButton::clicked, this, [this] { ChooseColour(false); });
    connect(maxColour, &QPushButton::clicked, this, [this] { ChooseColour(true); });
    connect(import, &QPushButton::clicked, this, [this] {
        if (RunParameterImport(this->view.Document(), parameter, this)) RefreshColours();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        CKORVADoc& doc = this->view.Document();
        if (parameter < 0 || parameter >= doc.Grid().ParameterCount()) return;
        doc.Execute(MakeClearParameterCommand(doc, parameter));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void ParamControlPanelDlg::SetParameter(int p) {
    parameter = p;
    if (isVisible()) Refresh();
}

void ParamControlPanelDlg::SetAssignment(double value, bool click, bool below) {
    valueEdit->SetValue(value);
    clickToApply->setChecked(click);
    allBelow->setChecked(below);
}

void ParamControlPanelDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    view.SetViewMode(ParameterEditMode);
    view.SetPlanOrientation(true);
    view.SetInputParameter(parameter);
    view.SetParameterPickHandler([this](const PickedCorners& corners) { OnPick(corners); });
    Refresh();
}

void ParamControlPanelDlg::closeEvent(QCloseEvent* event) {
    view.SetParameterPickHandler({});
    view.SetViewMode(Display3D);
    QDialog::closeEvent(event);
}

void ParamControlPanelDlg::Refresh() {
    const GridData& grid = view.Document().Grid();
    layerCombo->clear();
    for (int k = 1; k <= grid.NumLayers(); ++k)
        layerCombo->addItem(QString::number(k));
    const bool valid = parameter >= 0 && parameter < grid.ParameterCount();
    const bool surface = valid && grid.Parameter(parameter).IsSurface();
    valueEdit->setEnabled(valid);
    layerCombo->setEnabled(valid && !surface);
    allBelow->setEnabled(valid && !surface);
    OnSliceChanged(view.CurrentSlice());
    RefreshColours();
}

void ParamControlPanelDlg::RefreshColours() {
    const GridData& grid = view.Document().Grid();
    if (parameter < 0 || parameter >= grid.ParameterCount()) return;
    minColour->SetFaceColour(ToQColor(grid.Parameter(parameter).lowColor));
    maxColour->SetFaceColour(ToQColor(grid.Parameter(parameter).highColor));
}

void ParamControlPanelDlg::OnSliceChanged(int slice) {
    if (slice >= 0 && slice < layerCombo->count()) layerCombo->setCurrentIndex(slice);
    title->setText(QStringLiteral("Current layer: ") + QString::number(slice));
}

void ParamControlPanelDlg::ChooseColour(bool high) {
    CKORVADoc& doc = view.Document();
    if (parameter < 0 || parameter >= doc.Grid().ParameterCount()) return;
    CColorButton* button = high ? maxColour : minColour;
    const QColor chosen = QColorDialog::getColor(button->FaceColour(), this);
    if (!chosen.isValid()) return;
    doc.Execute(MakeParameterColourCommand(
        doc, parameter, high,
        {chosen.red() / 255.0, chosen.green() / 255.0, chosen.blue() / 255.0}));
    RefreshColours();
}

void ParamControlPanelDlg::OnPick(const PickedCorners& corners) {
    if (!clickToApply->isChecked()) return;
    const GridData& grid = view.Document().Grid();
    if (parameter < 0 || parameter >= grid.ParameterCount()) return;
    // A surface parameter has one layer, whatever the slice.
    const int layer = grid.Parameter(parameter).IsSurface() ? 0 : view.CurrentSlice();
    view.AssignParameter(parameter, corners, layer, valueEdit->Value(),
                         allBelow->isChecked() && allBelow->isEnabled());
    RefreshColours();
}

} // namespace korva
