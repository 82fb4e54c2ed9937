#include "simulationconstantsdlg.h"

#include "etfunctiondlg.h"
#include "methodchoicedlg.h"
#include "methodconstantsdlg.h"
#include "simulationparametersdlg.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace korva {

namespace {

const char* const ButtonTexts[SimulationConstantsDlg::EditorCount] = {
    "Simulation Parameters", "Pressure-Saturation Function",
    "Root Growth Function",  "Root Extraction Function",
    "Crop Yield Function",   "ET Function",
    "K-Weighting Method",    "Equation Type",
    "Initial Conditions"};

} // namespace

SimulationConstantsDlg::SimulationConstantsDlg(DialogDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(tr("Simulation Constants"));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < EditorCount; ++i) {
        const auto editor = static_cast<Editor>(i);
        buttons_[i] = new QPushButton(tr(ButtonTexts[i]), this);
        buttons_[i]->setAutoDefault(false);
        buttons_[i]->setMinimumWidth(220);
        layout->addWidget(buttons_[i]);
        connect(buttons_[i], &QPushButton::clicked, this, [this, editor] { OpenEditor(editor); });
    }
    buttons_[CropYield]->setEnabled(false);
    layout->addSpacing(12);
    auto* close = new QPushButton(tr("Close"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void SimulationConstantsDlg::SetCropYieldEditor(DialogFactory factory) {
    cropYield_ = std::move(factory);
    buttons_[CropYield]->setEnabled(static_cast<bool>(cropYield_));
}

QDialog* SimulationConstantsDlg::MakeEditor(Editor editor) {
    switch (editor) {
    case SimulationParameters: {
        auto* dialog = new SimulationParametersDlg(document_, this);
        connect(dialog, &SimulationParametersDlg::SimulationPeriodChanged, this,
                &SimulationConstantsDlg::SimulationPeriodChanged);
        return dialog;
    }
    case PressureSaturation:
        return new MethodConstantsDlg(MethodConstants::PressureSaturation, document_, this);
    case RootGrowth:
        return new MethodConstantsDlg(MethodConstants::RootGrowth, document_, this);
    case RootExtraction:
        return new MethodConstantsDlg(MethodConstants::RootExtraction, document_, this);
    case CropYield:
        return cropYield_ ? cropYield_(this) : nullptr;
    case ETFunction:
        return new ETFunctionDlg(document_, this);
    case KWeighting:
        return new MethodChoiceDlg(MethodChoice::KWeighting, document_, this);
    case EquationType:
        return new MethodChoiceDlg(MethodChoice::EquationType, document_, this);
    case InitialConditions:
        return new MethodChoiceDlg(MethodChoice::InitialConditions, document_, this);
    case EditorCount:
        break;
    }
    return nullptr;
}

QDialog* SimulationConstantsDlg::OpenEditor(Editor editor) {
    if (editor < 0 || editor >= EditorCount) return nullptr;
    QDialog*& dialog = editors_[editor];
    if (!dialog) {
        dialog = MakeEditor(editor);
        if (!dialog) return nullptr;
    } else if (auto* parameters = qobject_cast<SimulationParametersDlg*>(dialog)) {
        parameters->Load();
    } else if (auto* constants = qobject_cast<MethodConstantsDlg*>(dialog)) {
        constants->Load();
    } else if (auto* choice = qobject_cast<MethodChoiceDlg*>(dialog)) {
        choice->Load();
    } else if (auto* et = qobject_cast<ETFunctionDlg*>(dialog)) {
        et->Load();
    }
    dialog->open();
    return dialog;
}

} // namespace korva
