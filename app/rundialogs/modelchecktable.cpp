#include "modelchecktable.h"

#include "model/modelcheck.h"

namespace korva {

QStringList ModelCheckHeads() {
    return {"Error", "Current Value", "Default Value"};
}

QString FormatCheckValue(double value) {
    return QString::asprintf("%g", value);
}

std::vector<ModelCheckRow> ModelCheckRows(const ProblemList& problems) {
    std::vector<ModelCheckRow> rows;
    for (std::size_t i = 0; i < problems.Count(); ++i) {
        ModelCheckRow row;
        row.error = QString::fromStdString(problems.messages[i]);
        if (problems.Editable(i)) {
            row.currentValue = FormatCheckValue(problems.currentValues.at(i));
            row.defaultValue = FormatCheckValue(problems.defaultValues.at(i));
        } else {
            row.currentValue = row.defaultValue = "---";
        }
        rows.push_back(row);
    }
    return rows;
}

void ReadCheckValues(const QStringList& typed, ProblemList& problems) {
    for (int i = 0; i < typed.size() && i < static_cast<int>(problems.currentValues.size()); ++i) {
        bool ok = false;
        const double value = typed[i].trimmed().toDouble(&ok);
        problems.currentValues[static_cast<std::size_t>(i)] = ok ? value : 0.0;
    }
}

} // namespace korva
