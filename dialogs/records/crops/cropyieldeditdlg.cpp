#include "dialogs/records/crops/cropyieldeditdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/records/recordchange.h"
#include "model/simulationsettings.h"
#include "tablectrl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

namespace korva {

CropYieldEditDlg::CropYieldEditDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), table_(document.Grid()), method_(new QComboBox(this)),
      response_(new TableCtrl(this)), salinity_(new TableCtrl(this)) {
    setWindowTitle(tr("Crop Yield Function"));
    setSizeGripEnabled(true);
    method_->addItem(QString::fromUtf8(CropYieldMethodName(YIELD_MODEL_1)));
    method_->setCurrentIndex(0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CropYieldEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(response_, &TableCtrl::EndEdit, this, [this](int row, int column) {
        OnEdited(CropYieldTable::ResponseTable, response_, row, column);
    });
    connect(salinity_, &TableCtrl::EndEdit, this, [this](int row, int column) {
        OnEdited(CropYieldTable::SalinityTable, salinity_, row, column);
    });

    auto* methodRow = new QFormLayout;
    methodRow->addRow(tr("Method:"), method_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(methodRow);
    layout->addWidget(new QLabel(CropYieldTable::ResponseTitle(), this));
    layout->addWidget(response_);
    layout->addWidget(new QLabel(CropYieldTable::SalinityTitle(), this));
    layout->addWidget(salinity_);
    layout->addWidget(buttons);

    Reload();
    // A basin added or deleted, or an undo, while the editor is open.
    connect(&document_, &DialogDocument::ModelChanged, this, [this](unsigned parts) {
        if (!storing_ && (parts & (unsigned(RecordSettingsPart) | unsigned(BoundariesPart))) != 0)
            Reload();
    });
    resize(560, 400);
}

void CropYieldEditDlg::Reload() {
    table_ = CropYieldTable(document_.Grid());
    method_->setCurrentIndex(0);
    Fill(CropYieldTable::ResponseTable, response_);
    Fill(CropYieldTable::SalinityTable, salinity_);
}

void CropYieldEditDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) Reload();
    QDialog::showEvent(event);
}

void CropYieldEditDlg::Fill(CropYieldTable::Table which, TableCtrl* table) {
    const QStringList titles = CropYieldTable::ValueTitles(which);
    table->SetColumnCount(static_cast<int>(titles.size()) + 1);
    table->SetRowCount(table_.BasinCount() + 1);
    table->SetFixedRowCount(1);
    table->SetFixedColumnCount(1);
    table->SetItemText(0, 0, tr("Basin"));
    for (int c = 0; c < titles.size(); ++c)
        table->SetItemText(0, c + 1, titles[c]);
    for (int basin = 0; basin < table_.BasinCount(); ++basin) {
        table->SetItemText(basin + 1, 0, table_.BasinName(basin));
        for (int v = 0; v < titles.size(); ++v)
            table->SetItemText(basin + 1, v + 1, table_.Cell(which, basin, v));
    }
    table->AutoSizeColumns();
    table->SetColumnsFillWidth(true);
}

void CropYieldEditDlg::OnEdited(CropYieldTable::Table which, TableCtrl* table, int row,
                                int column) {
    const QString shown =
        table_.SetCell(which, row - 1, column - 1, table->GetItemText(row, column));
    table->SetItemText(row, column, shown);
}

void CropYieldEditDlg::accept() {
    YieldRecords records = table_.Result();
    records.method = method_->currentIndex();
    storing_ = true;
    ChangeRecords(document_, tr("Edit Crop Yield Function"), records, RecordSettingsPart);
    storing_ = false;
    QDialog::accept();
}

} // namespace korva
