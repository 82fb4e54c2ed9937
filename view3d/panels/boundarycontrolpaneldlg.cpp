#include "boundarycontrolpaneldlg.h"

#include "app/document/korvadoc.h"
#include "view3d/edits/panelcommands.h"
#include "view3d/korvaview.h"
#include "xedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korva {

bool BoundaryOfListIndex(const GridData& grid, int listIndex, int& type, int& index) {
    if (listIndex < 0) return false;
    for (type = 0; type < BoundaryTypeCount; ++type) {
        const int count = grid.BoundaryCount(type);
        if (listIndex < count) {
            index = listIndex;
            return true;
        }
        listIndex -= count;
    }
    return false;
}

QString DepthFromSurfaceText(const GridData& grid, int layer) {
    double depth = 0.0;
    for (int k = 0; k < layer && k < grid.NumLayers(); ++k)
        depth += grid.LayerSpacing()[static_cast<std::size_t>(k)];
    return XEdit::Format(depth) + QLatin1Char(' ') + QString::fromStdString(grid.VerticalUnits());
}

namespace {

// New boundaries get distinct colours so they show at once on the grid.
RgbColor NewBoundaryColour(int n) {
    static const RgbColor colours[] = {{0, 0, 1}, {1, 0, 0},   {1, 1, 0},   {1, 0, 1},
                                       {0, 1, 1}, {1, 0.5, 0}, {0.5, 0, 1}, {0.5, 0.25, 0}};
    return colours[static_cast<std::size_t>(n) % std::size(colours)];
}

} // namespace

BoundaryControlPanelDlg::BoundaryControlPanelDlg(CKORVAView& view, QWidget* parent)
    : QDialog(parent), view(view) {
    setWindowTitle(QStringLiteral("Boundary Control Panel"));
    setModal(false);
    typeCombo = new QComboBox(this);
    for (int type = 0; type < BoundaryTypeCount; ++type)
        typeCombo->addItem(QString::fromUtf8(BoundaryTypeName(type)));
    boundaryCombo = new QComboBox(this);
    addButton = new QRadioButton(QStringLiteral("Add"), this);
    removeButton = new QRadioButton(QStringLiteral("Remove"), this);
    addButton->setChecked(true);
    layerCombo = new QComboBox(this);
    allBelow = new QCheckBox(QStringLiteral("Apply to all layers below current"), this);
    depthText = new QLabel(this);
    auto* create = new QPushButton(QStringLiteral("Create"), this);
    auto* remove = new QPushButton(QStringLiteral("Delete"), this);
    auto* drape = new QPushButton(QStringLiteral("Drape"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Boundary types:"), typeCombo);
    form->addRow(QStringLiteral("Existing boundaries:"), boundaryCombo);
    auto* radios = new QHBoxLayout;
    radios->addWidget(addButton);
    radios->addWidget(removeButton);
    form->addRow(radios);
    form->addRow(QStringLiteral("Current Editing Layer:"), layerCombo);
    form->addRow(allBelow);
    form->addRow(QStringLiteral("Depth from surface:"), depthText);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {create, remove, drape})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(layerCombo, &QComboBox::activated, this,
            [this](int index) { this->view.SetCurrentSlice(index); });
    connect(&view, &CKORVAView::SliceChanged, this, &BoundaryControlPanelDlg::OnSliceChanged);
    connect(create, &QPushButton::clicked, this, &BoundaryControlPanelDlg::Create);
    connect(remove, &QPushButton::clicked, this, &BoundaryControlPanelDlg::Delete);
    connect(drape, &QPushButton::clicked, this, &BoundaryControlPanelDlg::Drape);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&view.Document(), &CKORVADoc::BoundaryListChanged, this, [this] {
        int type = 0, index = 0;
        if (BoundaryOfListIndex(this->view.Document().Grid(), boundaryCombo->currentIndex(), type,
                                index))
            FillBoundaries(type, index);
        else
            FillBoundaries();
    });
}

void BoundaryControlPanelDlg::SelectBoundary(int type, int index, bool add) {
    FillBoundaries(type, index);
    typeCombo->setCurrentIndex(type);
    (add ? addButton : removeButton)->setChecked(true);
}

void BoundaryControlPanelDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    view.SetViewMode(BoundaryEditMode);
    view.SetPlanOrientation(true);
    view.SetBoundaryPickHandler([this](const PickedCorners& corners) { OnPick(corners); });
    const GridData& grid = view.Document().Grid();
    layerCombo->clear();
    for (int k = 1; k <= grid.NumLayers(); ++k)
        layerCombo->addItem(QString::number(k));
    FillBoundaries();
    OnSliceChanged(view.CurrentSlice());
}

void BoundaryControlPanelDlg::closeEvent(QCloseEvent* event) {
    view.SetBoundaryPickHandler({});
    view.SetViewMode(Display3D);
    QDialog::closeEvent(event);
}

void BoundaryControlPanelDlg::FillBoundaries(int selectType, int selectIndex) {
    const GridData& grid = view.Document().Grid();
    boundaryCombo->clear();
    int position = 0, selected = -1;
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = grid.Boundary(type);
        for (int i = 0; i < record.Count(); ++i, ++position) {
            boundaryCombo->addItem(
                QString::fromStdString(record.names[static_cast<std::size_t>(i)]) +
                QStringLiteral(" (") + QString::fromUtf8(BoundaryTypeName(type)) +
                QStringLiteral(")"));
            if (type == selectType && i == selectIndex) selected = position;
        }
    }
    boundaryCombo->setCurrentIndex(selected >= 0 ? selected : (position > 0 ? 0 : -1));
}

void BoundaryControlPanelDlg::OnSliceChanged(int slice) {
    if (slice >= 0 && slice < layerCombo->count()) layerCombo->setCurrentIndex(slice);
    depthText->setText(DepthFromSurfaceText(view.Document().Grid(), std::max(0, slice)));
}

void BoundaryControlPanelDlg::Create() {
    const int type = typeCombo->currentIndex();
    bool ok = false;
    const QString name = QInputDialog::getText(
        this, windowTitle(), QStringLiteral("Choose a name for the new boundary"),
        QLineEdit::Normal, QStringLiteral("new ") + QString::fromUtf8(BoundaryTypeName(type)), &ok);
    if (!ok) return;
    CKORVADoc& doc = view.Document();
    const int index = doc.AddBoundary(type, name.toStdString(),
                                      NewBoundaryColour(doc.Grid().BoundaryCount(type)));
    FillBoundaries(type, index);
}

void BoundaryControlPanelDlg::Delete() {
    int type = 0, index = 0;
    if (!BoundaryOfListIndex(view.Document().Grid(), boundaryCombo->currentIndex(), type, index))
        return;
    view.Document().DeleteBoundary(type, index);
    FillBoundaries();
}

void BoundaryControlPanelDlg::Drape() {
    int type = 0, index = 0;
    CKORVADoc& doc = view.Document();
    if (!BoundaryOfListIndex(doc.Grid(), boundaryCombo->currentIndex(), type, index)) return;
    // Only inactive cells drape over the ground; other kinds are left as they are.
    if (type != InactiveType) return;
    doc.Execute(MakeDrapeCommand(doc, type, index + 1));
}

void BoundaryControlPanelDlg::OnPick(const PickedCorners& corners) {
    int type = 0, index = 0;
    if (!BoundaryOfListIndex(view.Document().Grid(), boundaryCombo->currentIndex(), type, index))
        return;
    view.PaintBoundary(type, index + 1, corners, view.CurrentSlice(), addButton->isChecked(),
                       allBelow->isChecked());
}

} // namespace korva
