#pragma once
// The editors of a method choice with constants kept per method: "Pressure-
// Saturation Function", "Root Growth Function" and "Root Extraction
// Function". The combo box picks the method whose constants the fields show;
// switching first keeps the shown values in the previous method's slots, so
// every method keeps its own constants.
#include <QDialog>
#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace korva {

class DialogDocument;
struct SimulationSettings;

enum class MethodConstants { PressureSaturation, RootGrowth, RootExtraction };

class MethodConstantsDlg : public QDialog {
    Q_OBJECT
public:
    MethodConstantsDlg(MethodConstants kind, DialogDocument& document, QWidget* parent = nullptr);
    ~MethodConstantsDlg() override;
    void Load();
    void accept() override;

    QComboBox* MethodBox() const { return method_; }
    QLineEdit* ValueField(int position) const { return fields_[std::size_t(position)]; }
    QLabel* ValueLabel(int position) const { return labels_[std::size_t(position)]; }

    // The working copy behind the fields, one kind per subclass of it.
    class Table;

private:
    void MethodChosen(int method);
    // The fields' values, or nothing after a field message.
    bool ReadShown(std::vector<double>& values);
    void Show(int method, const std::vector<double>& values);

    DialogDocument& document_;
    std::unique_ptr<Table> table_;
    QComboBox* method_;
    std::array<QLabel*, 5> labels_{};
    std::array<QLineEdit*, 5> fields_{};
    int shownMethod_ = 0;
};

} // namespace korva
