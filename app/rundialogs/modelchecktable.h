#pragma once
// What the check dialog shows and reads back, without a window: one row per
// critical problem with its message and, when the problem has a value, the
// current and default value; "---" in both value columns otherwise.
#include <QString>
#include <QStringList>
#include <vector>

namespace korva {

struct ProblemList;

struct ModelCheckRow {
    QString error;
    QString currentValue;
    QString defaultValue;
};

// The column heads of the table.
QStringList ModelCheckHeads();
std::vector<ModelCheckRow> ModelCheckRows(const ProblemList& problems);
// Numbers as the program shows them ("%g").
QString FormatCheckValue(double value);
// Reads the typed current values back into problems, one per row; text that
// is no number reads as 0.
void ReadCheckValues(const QStringList& typed, ProblemList& problems);

} // namespace korva
