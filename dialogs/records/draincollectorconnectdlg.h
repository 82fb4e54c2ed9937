#pragma once
// "Drain-Collector Connectivity": the collector each drain empties into,
// chosen from the list of collectors. OK stores the choices as one undoable
// change.
#include "draincollectortable.h"
#include "recordeditcontext.h"

#include <QDialog>

namespace korva {

class TableCtrl;

class DrainCollectorConnectDlg : public QDialog {
    Q_OBJECT
public:
    explicit DrainCollectorConnectDlg(const RecordEditContext& context, QWidget* parent = nullptr);

    TableCtrl* DrainTableCtrl() const { return table_; }

public slots:
    void accept() override;

private:
    void OnClicked(int row, int column);

    RecordEditContext context_;
    DrainCollectorTable drains_;
    TableCtrl* table_;
};

} // namespace korva
