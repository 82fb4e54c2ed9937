#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace korva {

// A rectangular block of cell texts, row by row, as spreadsheets put it on the
// clipboard. Rows may differ in length; readers treat missing cells as absent.
using TabTextBlock = QList<QStringList>;

// Reads tab-separated text the way spreadsheets write it: cells split by TAB,
// rows by LF or CR LF (a lone CR too), one trailing line end is not an extra
// row, and a cell that starts with a double quote runs to the closing quote,
// so it may hold TABs and line ends; "" inside it is one quote.
TabTextBlock ParseTabText(const QString& text);

// Writes a block so ParseTabText (and a spreadsheet) reads it back unchanged:
// TAB between cells, CR LF after every row, and quotes around a cell that holds
// a TAB, a line end or starts with a quote.
QString FormatTabText(const TabTextBlock& block);

} // namespace korva
