#include "printcontroldlg.h"

#include "app/document/commands/editcommand.h"
#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "model/calendar.h"
#include "model/griddata.h"
#include "tablectrl.h"
#include "widgets/deleteitemsdlg.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace korva::charts {

namespace {

enum Column { MonthColumn = 0, DayColumn = 1, YearColumn = 2 };

} // namespace

PrintControlDlg::PrintControlDlg(CKORVADoc& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle("Print Control");
    chooseItems = [this](const QStringList& items) {
        DeleteItemsDlg dialog(items, this);
        return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : std::vector<int>();
    };

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    table_ = new TableCtrl(this);
    table_->SetColumnCount(3);
    table_->SetFixedRowCount(1);
    table_->SetRowCount(1);
    table_->SetItemText(0, MonthColumn, "Month");
    table_->SetItemText(0, DayColumn, "Day");
    table_->SetItemText(0, YearColumn, "Year");
    table_->setMinimumWidth(240);
    table_->SetColumnsFillWidth(true); // three short columns: no sideways scrolling
    left->addWidget(table_, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(new QLabel("# to add:", this));
    count_ = new QLineEdit("1", this);
    count_->setMaximumWidth(50);
    addRow->addWidget(count_);
    auto* add = new QPushButton("Add", this);
    auto* remove = new QPushButton("Delete", this);
    addRow->addWidget(add);
    addRow->addWidget(remove);
    left->addLayout(addRow);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto* box = new QGroupBox("Add Group", this);
    auto* form = new QGridLayout(box);
    const char* heads[] = {"Month", "Day", "Year"};
    for (int c = 0; c < 3; ++c)
        form->addWidget(new QLabel(heads[c], box), 0, c + 1);
    form->addWidget(new QLabel("Start", box), 1, 0);
    form->addWidget(new QLabel("End", box), 2, 0);
    for (int i = 0; i < 6; ++i) {
        group_[i] = new QLineEdit(box);
        group_[i]->setMaximumWidth(60);
        form->addWidget(group_[i], 1 + i / 3, 1 + i % 3);
    }
    form->addWidget(new QLabel("Interval (days)", box), 3, 0, 1, 2);
    group_[6] = new QLineEdit("1", box);
    group_[6]->setMaximumWidth(60);
    form->addWidget(group_[6], 3, 2);
    auto* addGroup = new QPushButton("Add", box);
    form->addWidget(addGroup, 3, 3);
    right->addWidget(box);
    right->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    right->addWidget(buttons);
    layout->addLayout(right);

    connect(add, &QPushButton::clicked, this, &PrintControlDlg::AddRows);
    connect(remove, &QPushButton::clicked, this, [this] {
        QStringList items;
        for (const PrintRow& r : Rows())
            items << QString("%1/%2/%3").arg(r.month).arg(r.day).arg(r.year);
        DeleteRows(chooseItems(items));
    });
    connect(addGroup, &QPushButton::clicked, this, &PrintControlDlg::AddGroup);
    connect(table_, &TableCtrl::EndEdit, this, &PrintControlDlg::CorrectCell);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintControlDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrintControlDlg::reject);
    connect(&document_, &CKORVADoc::SimulationPeriodChanged, this, &PrintControlDlg::RefreshPeriod);
    Refresh();
}

void PrintControlDlg::Refresh() {
    std::vector<PrintRow> rows;
    for (const PrintDataItem& item : document_.Grid().PrintList())
        rows.push_back({item.month, item.day, item.year});
    SetRows(rows);
    RefreshPeriod();
}

void PrintControlDlg::RefreshPeriod() {
    const int year = document_.Grid().Settings().simulationYear;
    const CalendarDate start = DayNumberToDate(document_.Grid().Settings().simulationStart, year);
    const CalendarDate end = DayNumberToDate(document_.Grid().Settings().simulationEnd, year);
    const int values[] = {start.month, start.day, start.year, end.month, end.day, end.year};
    for (int i = 0; i < 6; ++i)
        group_[i]->setText(QString::number(values[i]));
}

void PrintControlDlg::SetRows(const std::vector<PrintRow>& rows) {
    table_->SetRowCount(1 + static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const PrintRow& r = rows[static_cast<std::size_t>(i)];
        table_->SetItemText(i + 1, MonthColumn, QString::number(r.month));
        table_->SetItemText(i + 1, DayColumn, QString::number(r.day));
        table_->SetItemText(i + 1, YearColumn, QString::number(r.year));
    }
}

std::vector<PrintRow> PrintControlDlg::Rows() const {
    std::vector<PrintRow> rows;
    for (int r = 1; r < table_->GetRowCount(); ++r)
        rows.push_back({LeadingInteger(table_->GetItemText(r, MonthColumn).toStdString()),
                        LeadingInteger(table_->GetItemText(r, DayColumn).toStdString()),
                        LeadingInteger(table_->GetItemText(r, YearColumn).toStdString())});
    return rows;
}

void PrintControlDlg::CorrectCell(int row, int column) {
    if (row < 1) return;
    const std::string text = table_->GetItemText(row, column).toStdString();
    int value = 0;
    if (column == MonthColumn) {
        value = CorrectMonth(text);
    } else if (column == DayColumn) {
        value =
            CorrectDay(text, LeadingInteger(table_->GetItemText(row, MonthColumn).toStdString()),
                       LeadingInteger(table_->GetItemText(row, YearColumn).toStdString()));
    } else {
        value = CorrectYear(text);
    }
    table_->SetItemText(row, column, QString::number(value));
}

void PrintControlDlg::AddRows() {
    std::vector<PrintRow> rows = Rows();
    const int count = std::clamp(LeadingInteger(count_->text().toStdString()), 0, MaxGroupRows);
    AddPrintRows(rows, count, document_.Grid().Settings().simulationYear);
    SetRows(rows);
}

void PrintControlDlg::DeleteRows(const std::vector<int>& bodyRows) {
    std::vector<PrintRow> rows = Rows();
    std::vector<bool> drop(rows.size(), false);
    for (int i : bodyRows)
        if (i >= 0 && i < static_cast<int>(rows.size())) drop[static_cast<std::size_t>(i)] = true;
    std::vector<PrintRow> kept;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!drop[i]) kept.push_back(rows[i]);
    SetRows(kept);
}

void PrintControlDlg::AddGroup() {
    auto field = [this](int i) { return LeadingInteger(group_[i]->text().toStdString()); };
    PrintGroup group{field(0), field(1), field(2), field(3), field(4), field(5), field(6)};
    std::vector<PrintRow> rows = Rows();
    const std::string problem = AddPrintGroup(rows, group);
    if (!problem.empty()) {
        Prompts().Warn(this, QString::fromStdString(problem));
        return;
    }
    SetRows(rows);
}

void PrintControlDlg::accept() {
    std::vector<PrintDataItem> list = BuildPrintList(Rows());
    const bool same =
        list.size() == document_.Grid().PrintList().size() &&
        std::equal(list.begin(), list.end(), document_.Grid().PrintList().begin(),
                   [](const PrintDataItem& a, const PrintDataItem& b) {
                       return a.month == b.month && a.day == b.day && a.year == b.year;
                   });
    if (!same) {
        document_.Execute(new ModelEditCommand(
            document_, "Print Control",
            [list = std::move(list)](GridData& grid, UndoRecord* undo) mutable {
                return grid.SetPrintList(std::move(list), undo);
            },
            ModelChange{ModelChange::OutputSelection}));
    }
    QDialog::accept();
}

} // namespace korva::charts
