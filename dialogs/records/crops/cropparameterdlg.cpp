#include "dialogs/records/crops/cropparameterdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/records/crops/cropgridedit.h"
#include "dialogs/records/selectionlistdlg.h"
#include "tablectrl.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korva {

CropParameterDlg::CropParameterDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), table_(document.Grid()), crops_(new TableCtrl(this)),
      basins_(new TableCtrl(this)) {
    setWindowTitle(tr("Crop Data"));
    setSizeGripEnabled(true);

    auto* newCrop = new QPushButton(tr("New Crop Type"), this);
    auto* deleteCrop = new QPushButton(tr("Delete Crop Type"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(newCrop, &QPushButton::clicked, this, &CropParameterDlg::NewCropType);
    connect(deleteCrop, &QPushButton::clicked, this, &CropParameterDlg::DeleteCropType);
    connect(buttons, &QDialogButtonBox::accepted, this, &CropParameterDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(crops_, &TableCtrl::EndEdit, this, &CropParameterDlg::OnCropEdited);
    connect(basins_, &TableCtrl::CellClicked, this, &CropParameterDlg::OnBasinClicked);
    connect(&document_, &DialogDocument::ModelChanged, this, &CropParameterDlg::OnModelChanged);

    auto* cropButtons = new QHBoxLayout;
    cropButtons->addWidget(newCrop);
    cropButtons->addWidget(deleteCrop);
    cropButtons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Crop Parameters:"), this));
    layout->addWidget(crops_, 3);
    layout->addLayout(cropButtons);
    layout->addWidget(new QLabel(tr("Basin Crop Type:"), this));
    layout->addWidget(basins_, 2);
    layout->addWidget(buttons);

    FillCrops();
    FillBasins();
    crops_->AutoSizeColumns();
    basins_->AutoSizeColumns();
    basins_->horizontalHeader()->setStretchLastSection(true);
    resize(1180, 560);
}

void CropParameterDlg::Reload() {
    table_ = CropTable(document_.Grid());
    crops_->clearSelection();
    FillCrops();
    FillBasins();
}

// A modeless dialog outlives changes made elsewhere (an undo, a basin added or
// deleted): its working copy must follow, or OK would write back stale lists.
void CropParameterDlg::OnModelChanged(unsigned parts) {
    if (!storing_ && (parts & (unsigned(CropsPart) | unsigned(BoundariesPart))) != 0) Reload();
}

void CropParameterDlg::FillCrops() {
    const QStringList titles = CropTable::CropColumnTitles();
    crops_->SetColumnCount(static_cast<int>(titles.size()));
    crops_->SetRowCount(table_.CropCount() + 1);
    crops_->SetFixedRowCount(1);
    for (int c = 0; c < titles.size(); ++c)
        crops_->SetItemText(0, c, titles[c]);
    for (int crop = 0; crop < table_.CropCount(); ++crop)
        for (int c = 0; c < titles.size(); ++c)
            crops_->SetItemText(crop + 1, c, table_.CropCell(crop, c));
}

void CropParameterDlg::FillBasins() {
    const QStringList titles = CropTable::BasinColumnTitles();
    basins_->SetColumnCount(static_cast<int>(titles.size()));
    basins_->SetRowCount(table_.BasinCount() + 1);
    basins_->SetFixedRowCount(1);
    basins_->SetFixedColumnCount(1);
    for (int c = 0; c < titles.size(); ++c)
        basins_->SetItemText(0, c, titles[c]);
    for (int basin = 0; basin < table_.BasinCount(); ++basin) {
        basins_->SetItemText(basin + 1, 0, table_.BasinName(basin));
        basins_->SetItemText(basin + 1, 1, table_.BasinCrop(basin));
        // Chosen from the list of crops, never typed.
        basins_->SetItemState(basin + 1, 1, TableCtrl::CellReadOnly);
    }
}

void CropParameterDlg::OnCropEdited(int row, int column) {
    const QString shown = table_.SetCropCell(row - 1, column, crops_->GetItemText(row, column));
    crops_->SetItemText(row, column, shown);
    if (column == CropTable::NameColumn) FillBasins(); // a renamed crop takes its basins along
}

void CropParameterDlg::OnBasinClicked(int row, int column) {
    if (row < 1 || column != 1) return;
    const QStringList names = table_.CropNames();
    const int choice =
        SelectionListDlg::Choose(this, names, names.indexOf(table_.BasinCrop(row - 1)));
    if (choice < 0) return;
    table_.SetBasinCrop(row - 1, names[choice]);
    basins_->SetItemText(row, 1, table_.BasinCrop(row - 1));
}

void CropParameterDlg::NewCropType() {
    table_.AddCrop();
    FillCrops();
    crops_->SetFocusCell(table_.CropCount(), CropTable::NameColumn);
}

void CropParameterDlg::DeleteCropType() {
    std::vector<int> selected;
    for (int row : crops_->GetSelectedRows())
        selected.push_back(row - 1);
    if (selected.empty()) return;
    table_.DeleteCrops(selected);
    crops_->clearSelection();
    FillCrops();
    FillBasins();
}

void CropParameterDlg::accept() {
    storing_ = true;
    ChangeCrops(document_, table_.Result());
    storing_ = false;
    QDialog::accept();
}

} // namespace korva
