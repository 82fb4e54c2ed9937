#pragma once
// "Simulation Parameters": the simulated period as dates, the time steps,
// tolerances and transport constants, and the salt solver switch. Shows the
// model's size and boundary counts for reference. Any number is accepted;
// the check before a run points out settings no run can use.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace korva {

class DialogDocument;

class SimulationParametersDlg : public QDialog {
    Q_OBJECT
public:
    SimulationParametersDlg(DialogDocument& document, QWidget* parent = nullptr);
    // Fills the fields from the model (done before each showing).
    void Load();
    void accept() override;

    QLineEdit* Field(const QString& name) const; // for tests: by object name

signals:
    // The simulated period changed: the print control must refresh.
    void SimulationPeriodChanged();

private:
    DialogDocument& document_;
    QLabel* size_;
    QLabel* counts_[4];
    QLineEdit* startDate_[3]; // month, day, year
    QLineEdit* endDate_[3];
    QLineEdit* simulationTimeStep_;
    QLineEdit* irrigationTimeStep_;
    QLineEdit* tolerance1_;
    QLineEdit* tolerance2_;
    QLineEdit* tortuosity_;
    QLineEdit* freeDiffusion_;
    QLineEdit* porosity_;
    QLineEdit* kvKhRatio_;
    QLineEdit* compressibility_;
    QLineEdit* dispersion_[3];
    QCheckBox* useSaltSolver_;
};

} // namespace korva
