#pragma once
// "Natural Boundary Properties": flux and water quality of each natural
// boundary. OK stores them as one undoable change.
#include "dialogs/records/boundaries/natboundtable.h"

#include <QDialog>

namespace korva {

class DialogDocument;
class TableCtrl;

class NatBoundDlg : public QDialog {
    Q_OBJECT
public:
    explicit NatBoundDlg(DialogDocument& document, QWidget* parent = nullptr);

    TableCtrl* BoundaryTableCtrl() const { return table_; }

public slots:
    void accept() override;

private:
    DialogDocument& document_;
    NatBoundTable bounds_;
    TableCtrl* table_;
};

} // namespace korva
