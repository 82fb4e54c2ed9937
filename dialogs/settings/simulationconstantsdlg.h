#pragma once
// "Simulation Constants": the panel of nine buttons that open the settings
// editors, and "Close". The panel and its editors live as long as their
// document; an editor is made the first time its button is pressed and reads
// the model again every time it is shown.
#include <QDialog>
#include <functional>

class QPushButton;

namespace korva {

class DialogDocument;
class ETFunctionDlg;
class MethodChoiceDlg;
class MethodConstantsDlg;
class SimulationParametersDlg;

class SimulationConstantsDlg : public QDialog {
    Q_OBJECT
public:
    enum Editor {
        SimulationParameters,
        PressureSaturation,
        RootGrowth,
        RootExtraction,
        CropYield,
        ETFunction,
        KWeighting,
        EquationType,
        InitialConditions,
        EditorCount
    };

    SimulationConstantsDlg(DialogDocument& document, QWidget* parent = nullptr);

    QPushButton* Button(Editor editor) const { return buttons_[editor]; }
    // The editor behind a button, opened (window-modal) over the panel.
    QDialog* OpenEditor(Editor editor);
    QDialog* ExistingEditor(Editor editor) const { return editors_[editor]; }

    // "Crop Yield Function" edits the per-basin yield records; the record
    // editors provide it. Without one the button stays disabled.
    using DialogFactory = std::function<QDialog*(QWidget* parent)>;
    void SetCropYieldEditor(DialogFactory factory);

signals:
    void SimulationPeriodChanged();

private:
    QDialog* MakeEditor(Editor editor);

    DialogDocument& document_;
    QPushButton* buttons_[EditorCount]{};
    QDialog* editors_[EditorCount]{};
    DialogFactory cropYield_;
};

} // namespace korva
