#pragma once
// "Make a Selection": a list of names to pick one from, opened by clicking a
// cell that names another record (a basin's crop, a drain's collector).
#include <QDialog>
#include <QStringList>

class QListWidget;

namespace korva {

class SelectionListDlg : public QDialog {
    Q_OBJECT
public:
    SelectionListDlg(const QStringList& choices, int current, QWidget* parent = nullptr);
    // The chosen position, -1 when nothing is chosen.
    int Selection() const;

    // Shows the list modally; the chosen position, or -1 on Cancel.
    static int Choose(QWidget* parent, const QStringList& choices, int current);

private:
    QListWidget* list_;
};

} // namespace korva
