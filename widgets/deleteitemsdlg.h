#pragma once
// "Choose Items to Delete": a list of names given by the caller, any number
// of them chosen; the answer is their positions, highest first.
#include <QDialog>
#include <QStringList>
#include <vector>

class QListWidget;

namespace korva {

class DeleteItemsDlg : public QDialog {
    Q_OBJECT
public:
    DeleteItemsDlg(const QStringList& names, QWidget* parent = nullptr);
    // After OK: the chosen positions from the highest to the lowest.
    const std::vector<int>& Chosen() const { return chosen_; }
    QListWidget* List() const { return list_; }
    void accept() override;

private:
    QListWidget* list_;
    std::vector<int> chosen_;
};

} // namespace korva
