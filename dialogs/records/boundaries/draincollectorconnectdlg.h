#pragma once
// "Drain-Collector Connectivity": the collector each drain empties into,
// chosen from the list of collectors. OK stores the choices as one undoable
// change.
#include "dialogs/records/boundaries/draincollectortable.h"

#include <QDialog>

namespace korva {

class DialogDocument;
class TableCtrl;

class DrainCollectorConnectDlg : public QDialog {
    Q_OBJECT
public:
    explicit DrainCollectorConnectDlg(DialogDocument& document, QWidget* parent = nullptr);

    TableCtrl* DrainTableCtrl() const { return table_; }

    // Starts again from the project's drains and collectors.
    void Reload();

public slots:
    void accept() override;

private:
    void Fill();
    void OnClicked(int row, int column);

    DialogDocument& document_;
    DrainCollectorTable drains_;
    TableCtrl* table_;
    bool storing_ = false;
};

} // namespace korva
