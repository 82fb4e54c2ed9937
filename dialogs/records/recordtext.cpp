#include "dialogs/records/recordtext.h"

#include "model/editorrules.h"

namespace korva {

QString FormatNumber(double value) {
    return QString::asprintf("%g", value);
}

QString FormatInteger(int value) {
    return QString::number(value);
}

double ReadNumber(const QString& text) {
    return ParseLeadingDouble(text.toStdString());
}

int ReadInteger(const QString& text) {
    return ParseLeadingInt(text.toStdString());
}

} // namespace korva
