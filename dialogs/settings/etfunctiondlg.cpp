#include "etfunctiondlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/dialogfields.h"
#include "dialogs/modeledits.h"
#include "model/griddata.h"
#include "widgets/tablectrl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korva {

namespace {

constexpr int DayColumns = 7;

} // namespace

ETFunctionDlg::ETFunctionDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(tr("Evapo-Transpiration Function"));
    method_ = new QComboBox(this);
    method_->addItem(tr("ET Model 1"));

    auto* dates = new QGridLayout;
    const char* heads[3] = {"Month", "Day", "Year"};
    for (int i = 0; i < 3; ++i)
        dates->addWidget(new QLabel(tr(heads[i]), this), 0, i + 1);
    dates->addWidget(new QLabel(tr("Start:"), this), 1, 0);
    dates->addWidget(new QLabel(tr("End:"), this), 2, 0);
    for (int i = 0; i < 3; ++i) {
        start_[i] = NewNumberEdit(this, i == 2 ? 60 : 40);
        end_[i] = NewNumberEdit(this, i == 2 ? 60 : 40);
        dates->addWidget(start_[i], 1, i + 1);
        dates->addWidget(end_[i], 2, i + 1);
    }
    calc_ = new QPushButton(tr("Calc"), this);
    dates->addWidget(calc_, 1, 4, 2, 1);
    connect(calc_, &QPushButton::clicked, this, &ETFunctionDlg::Calc);

    table_ = new TableCtrl(this);
    table_->SetColumnCount(DayColumns + 1);
    table_->SetFixedRowCount(1);
    table_->SetFixedColumnCount(1);
    table_->SetRowCount(1);
    table_->SetItemText(0, 0, tr("Date Range"));
    for (int day = 1; day <= DayColumns; ++day)
        table_->SetItemText(0, day, tr("Day %1").arg(day));
    connect(table_, &TableCtrl::EndEdit, this, &ETFunctionDlg::CellEdited);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Method:"), this));
    top->addWidget(method_);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(dates);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(720, 420);
    Load();
}

ETFunctionDlg::~ETFunctionDlg() = default;

void ETFunctionDlg::Load() {
    days_ = std::make_unique<ETDailyTable>(document_.Grid().Settings());
    const CalendarDate start = days_->StartDate();
    const CalendarDate end = days_->EndDate();
    ShowInteger(start_[0], start.month);
    ShowInteger(start_[1], start.day);
    ShowInteger(start_[2], start.year);
    ShowInteger(end_[0], end.month);
    ShowInteger(end_[1], end.day);
    ShowInteger(end_[2], end.year);
    FillTable();
}

void ETFunctionDlg::FillTable() {
    const QSignalBlocker blocker(table_);
    table_->SetRowCount(days_->RowCount() + 1);
    for (int row = 0; row < days_->RowCount(); ++row) {
        table_->SetItemText(row + 1, 0, QString::fromStdString(days_->DateRange(row)));
        for (int day = 0; day < DayColumns; ++day) {
            table_->SetItemText(row + 1, day + 1,
                                QString::fromStdString(days_->CellText(row, day)));
            table_->SetItemState(row + 1, day + 1,
                                 days_->HasDay(row, day) ? TableCtrl::CellNormal
                                                         : TableCtrl::CellReadOnly);
        }
    }
    table_->AutoSizeColumns();
}

void ETFunctionDlg::CellEdited(int row, int column) {
    if (row < 1 || column < 1) return;
    const std::string shown =
        days_->SetCell(row - 1, column - 1, table_->GetItemText(row, column).toStdString());
    const QSignalBlocker blocker(table_);
    table_->SetItemText(row, column, QString::fromStdString(shown));
}

void ETFunctionDlg::Calc() {
    CalendarDate dates[2];
    QLineEdit* const* fields[2] = {start_, end_};
    for (int d = 0; d < 2; ++d) {
        const std::optional<int> month = ReadInteger(fields[d][0]);
        if (!month) return;
        const std::optional<int> day = ReadInteger(fields[d][1]);
        if (!day) return;
        const std::optional<int> year = ReadInteger(fields[d][2]);
        if (!year) return;
        dates[d] = {*month, *day, *year};
    }
    if (days_->Calc(dates[0], dates[1])) FillTable();
}

void ETFunctionDlg::accept() {
    SimulationSettings settings = document_.Grid().Settings();
    days_->Store(settings);
    ChangeSettings(document_, windowTitle(), settings);
    QDialog::accept();
}

} // namespace korva
