#pragma once
// "Evapo-Transpiration Function": the ET period as two dates with "Calc",
// and the daily values one week per table row. New dates take effect with
// "Calc"; OK stores the period and the values.
#include "etdailytable.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace korva {

class DialogDocument;
class TableCtrl;

class ETFunctionDlg : public QDialog {
    Q_OBJECT
public:
    ETFunctionDlg(DialogDocument& document, QWidget* parent = nullptr);
    ~ETFunctionDlg() override;
    void Load();
    void accept() override;

    TableCtrl* Table() const { return table_; }
    QLineEdit* StartField(int i) const { return start_[i]; } // month, day, year
    QLineEdit* EndField(int i) const { return end_[i]; }
    QPushButton* CalcButton() const { return calc_; }

private:
    void Calc();
    void FillTable();
    void CellEdited(int row, int column);

    DialogDocument& document_;
    std::unique_ptr<ETDailyTable> days_;
    QComboBox* method_;
    QLineEdit* start_[3];
    QLineEdit* end_[3];
    QPushButton* calc_;
    TableCtrl* table_;
};

} // namespace korva
