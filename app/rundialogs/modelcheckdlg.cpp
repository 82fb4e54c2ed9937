#include "modelcheckdlg.h"

#include "modelchecktable.h"
#include "widgets/tablectrl.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace korva {

ModelCheckDlg::ModelCheckDlg(const ProblemList& problems, QWidget* parent)
    : QDialog(parent), problems_(problems) {
    setObjectName("ModelCheckDlg");
    setWindowTitle("Dialog");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Critical Problems:", this));

    table_ = new TableCtrl(this);
    const std::vector<ModelCheckRow> rows = ModelCheckRows(problems_);
    const QStringList heads = ModelCheckHeads();
    table_->SetRowCount(static_cast<int>(rows.size()) + 1);
    table_->SetColumnCount(heads.size());
    table_->SetFixedRowCount(1);
    for (int c = 0; c < heads.size(); ++c)
        table_->SetItemText(0, c, heads[c]);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ModelCheckRow& row = rows[static_cast<std::size_t>(r)];
        table_->SetItemText(r + 1, 0, row.error);
        table_->SetItemText(r + 1, 1, row.currentValue);
        table_->SetItemText(r + 1, 2, row.defaultValue);
    }
    table_->AutoSizeColumns();
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    int width = 60;
    for (int c = 0; c < heads.size(); ++c)
        width += table_->columnWidth(c);
    resize(std::max(width, 520), 260);
}

void ModelCheckDlg::accept() {
    QStringList typed;
    for (int r = 1; r < table_->GetRowCount(); ++r)
        typed.append(table_->GetItemText(r, 1));
    ReadCheckValues(typed, problems_);
    QDialog::accept();
}

bool ResolveProblemsWithDialog(ProblemList& problems, QWidget* parent) {
    ModelCheckDlg dialog(problems, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    problems = dialog.Problems();
    return true;
}

} // namespace korva
