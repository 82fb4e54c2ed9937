#include "simulationparametersdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/dialogfields.h"
#include "dialogs/modeledits.h"
#include "model/griddata.h"
#include "simulationparametersform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace korva {

namespace {

QLineEdit* Named(QLineEdit* edit, const char* name) {
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

SimulationParametersDlg::SimulationParametersDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(tr("Simulation Parameters"));

    auto* model = new QGroupBox(tr("Model"), this);
    auto* modelForm = new QFormLayout(model);
    size_ = new QLabel(model);
    modelForm->addRow(tr("# Layers, Rows, Columns:"), size_);
    const char* countLabels[4] = {
        "# Natural Boundaries:", "# Drains:", "# Collectors:", "# Basins:"};
    for (int i = 0; i < 4; ++i) {
        counts_[i] = new QLabel(model);
        modelForm->addRow(tr(countLabels[i]), counts_[i]);
    }

    auto* period = new QGroupBox(tr("Simulation Period"), this);
    auto* dates = new QGridLayout(period);
    const char* heads[3] = {"Month", "Day", "Year"};
    for (int i = 0; i < 3; ++i)
        dates->addWidget(new QLabel(tr(heads[i]), period), 0, i + 1);
    dates->addWidget(new QLabel(tr("Start of Simulation:"), period), 1, 0);
    dates->addWidget(new QLabel(tr("End of Simulation:"), period), 2, 0);
    const char* startNames[3] = {"startMonth", "startDay", "startYear"};
    const char* endNames[3] = {"endMonth", "endDay", "endYear"};
    for (int i = 0; i < 3; ++i) {
        startDate_[i] = Named(NewNumberEdit(period, 60), startNames[i]);
        endDate_[i] = Named(NewNumberEdit(period, 60), endNames[i]);
        dates->addWidget(startDate_[i], 1, i + 1);
        dates->addWidget(endDate_[i], 2, i + 1);
    }

    auto* solver = new QGroupBox(tr("Solver"), this);
    auto* solverForm = new QFormLayout(solver);
    simulationTimeStep_ = Named(NewNumberEdit(solver), "simulationTimeStep");
    irrigationTimeStep_ = Named(NewNumberEdit(solver), "irrigationTimeStep");
    tolerance1_ = Named(NewNumberEdit(solver), "toleranceLevel1");
    tolerance2_ = Named(NewNumberEdit(solver), "toleranceLevel2");
    solverForm->addRow(tr("Simulation Time Step:"), simulationTimeStep_);
    solverForm->addRow(tr("Irrigation Time Step:"), irrigationTimeStep_);
    solverForm->addRow(tr("Tolerance Level 1:"), tolerance1_);
    solverForm->addRow(tr("Tolerance Level 2:"), tolerance2_);
    useSaltSolver_ = new QCheckBox(tr("Use Salt Solver"), solver);
    solverForm->addRow(useSaltSolver_);

    auto* transport = new QGroupBox(tr("Soil and Transport"), this);
    auto* transportForm = new QFormLayout(transport);
    tortuosity_ = Named(NewNumberEdit(transport), "tortuosity");
    freeDiffusion_ = Named(NewNumberEdit(transport), "freeDiffusion");
    porosity_ = Named(NewNumberEdit(transport), "porosity");
    kvKhRatio_ = Named(NewNumberEdit(transport), "kvKhRatio");
    compressibility_ = Named(NewNumberEdit(transport), "waterCompressibility");
    transportForm->addRow(tr("Tortuosity:"), tortuosity_);
    transportForm->addRow(tr("Free Diffusion Coefficient:"), freeDiffusion_);
    transportForm->addRow(tr("Porosity:"), porosity_);
    transportForm->addRow(tr("Vertical / Horizontal Conductivity Ratio:"), kvKhRatio_);
    transportForm->addRow(tr("Water Compressibility:"), compressibility_);
    const char* dispersionLabels[3] = {"Longitudinal Dispersion (cm):",
                                       "Horizontal Dispersion (cm):", "Vertical Dispersion (cm):"};
    const char* dispersionNames[3] = {"longitudinalDispersion", "horizontalDispersion",
                                      "verticalDispersion"};
    for (int i = 0; i < 3; ++i) {
        dispersion_[i] = Named(NewNumberEdit(transport), dispersionNames[i]);
        transportForm->addRow(tr(dispersionLabels[i]), dispersion_[i]);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(model);
    left->addWidget(period);
    left->addWidget(solver);
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(transport);
    right->addStretch();
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    Load();
}

QLineEdit* SimulationParametersDlg::Field(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

void SimulationParametersDlg::Load() {
    const GridData& grid = document_.Grid();
    const SimulationModelSummary summary = SummarizeModel(grid);
    size_->setText(QString::fromStdString(summary.layersRowsColumns));
    const int counts[4] = {summary.naturalBoundaries, summary.drains, summary.collectors,
                           summary.basins};
    for (int i = 0; i < 4; ++i)
        counts_[i]->setText(QString::number(counts[i]));

    const SimulationParametersForm form = ReadSimulationParameters(grid.Settings());
    ShowInteger(startDate_[0], form.start.month);
    ShowInteger(startDate_[1], form.start.day);
    ShowInteger(startDate_[2], form.start.year);
    ShowInteger(endDate_[0], form.end.month);
    ShowInteger(endDate_[1], form.end.day);
    ShowInteger(endDate_[2], form.end.year);
    ShowNumber(simulationTimeStep_, form.simulationTimeStep);
    ShowNumber(irrigationTimeStep_, form.irrigationTimeStep);
    ShowNumber(tolerance1_, form.toleranceLevel1);
    ShowNumber(tolerance2_, form.toleranceLevel2);
    ShowNumber(tortuosity_, form.tortuosity);
    ShowNumber(freeDiffusion_, form.freeDiffusion);
    ShowNumber(porosity_, form.porosity);
    ShowNumber(kvKhRatio_, form.kvKhRatio);
    ShowNumber(compressibility_, form.waterCompressibility);
    ShowNumber(dispersion_[0], form.longitudinalDispersion);
    ShowNumber(dispersion_[1], form.horizontalDispersion);
    ShowNumber(dispersion_[2], form.verticalDispersion);
    useSaltSolver_->setChecked(form.useSaltSolver);
}

void SimulationParametersDlg::accept() {
    SimulationParametersForm form;
    // Fields are read top to bottom; the first one that is not a number
    // keeps the dialog open with the focus on it.
    const auto readDate = [](QLineEdit* const* fields, CalendarDate& date) {
        const std::optional<int> month = ReadInteger(fields[0]);
        if (!month) return false;
        const std::optional<int> day = ReadInteger(fields[1]);
        if (!day) return false;
        const std::optional<int> year = ReadInteger(fields[2]);
        if (!year) return false;
        date = {*month, *day, *year};
        return true;
    };
    if (!readDate(startDate_, form.start) || !readDate(endDate_, form.end)) return;
    const std::pair<QLineEdit*, double*> numbers[] = {
        {simulationTimeStep_, &form.simulationTimeStep},
        {irrigationTimeStep_, &form.irrigationTimeStep},
        {tolerance1_, &form.toleranceLevel1},
        {tolerance2_, &form.toleranceLevel2},
        {tortuosity_, &form.tortuosity},
        {freeDiffusion_, &form.freeDiffusion},
        {porosity_, &form.porosity},
        {kvKhRatio_, &form.kvKhRatio},
        {compressibility_, &form.waterCompressibility},
        {dispersion_[0], &form.longitudinalDispersion},
        {dispersion_[1], &form.horizontalDispersion},
        {dispersion_[2], &form.verticalDispersion},
    };
    for (const auto& [field, value] : numbers) {
        const std::optional<double> read = ReadNumber(field);
        if (!read) return;
        *value = *read;
    }
    form.useSaltSolver = useSaltSolver_->isChecked();

    bool periodChanged = false;
    const SimulationSettings stored =
        StoreSimulationParameters(form, document_.Grid().Settings(), periodChanged);
    ChangeSettings(document_, tr("Simulation Parameters"), stored, periodChanged);
    QDialog::accept();
    if (periodChanged) emit SimulationPeriodChanged();
}

} // namespace korva
