#pragma once
// How the record editors show and read their cells: numbers in the program's
// "%g" form, dates as month/day/year.
#include <QString>

namespace korva {

QString FormatNumber(double value);
QString FormatInteger(int value);
// The number a typed cell starts with, 0 for text that is not a number.
double ReadNumber(const QString& text);
int ReadInteger(const QString& text);

} // namespace korva
