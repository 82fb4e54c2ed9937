#include "exportchoice.h"

#include "model/griddata.h"

namespace korva {

namespace {

ExportChoice Checked(const GridData& grid, ExportChoice choice) {
    if (!choice.output) {
        choice.valid = choice.index >= 0 && choice.index < grid.ParameterCount();
        return choice;
    }
    const auto& outputs = grid.Outputs().gridOutputs;
    choice.valid =
        choice.index >= 0 && choice.index < static_cast<int>(outputs.size()) &&
        choice.period >= 0 &&
        choice.period <
            static_cast<int>(outputs[static_cast<std::size_t>(choice.index)].times.size());
    return choice;
}

} // namespace

ExportChoice ChooseExport(const GridData& grid, const ViewSettings& view, bool formHasFocus,
                          const FormChoice& form) {
    ExportChoice choice;
    if (formHasFocus) {
        choice.output = form.displayKind == 1;
        choice.index = form.parameter;
        choice.period = choice.output ? form.period : -1;
    } else if (view.InputParameter < 0) {
        choice.output = true;
        choice.index = view.OutputParameter;
        choice.period = view.OutputTimePeriod;
    } else {
        choice.index = view.InputParameter;
    }
    return Checked(grid, choice);
}

} // namespace korva
