#include "tabtext.h"

namespace korva {

TabTextBlock ParseTabText(const QString& text) {
    TabTextBlock block;
    QStringList row;
    QString cell;
    bool cellStarted = false; // something of this row has been read
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto endCell = [&] {
        row.append(cell);
        cell.clear();
    };
    auto endRow = [&] {
        endCell();
        block.append(row);
        row.clear();
        cellStarted = false;
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"' && cell.isEmpty()) {
            // A quoted cell: everything to the closing quote is text. A quote
            // that never closes keeps the rest as text rather than losing it.
            cellStarted = true;
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        cell.append(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell.append(text[i]);
                ++i;
            }
            continue;
        }
        if (c == u'\t') {
            endCell();
            cellStarted = true;
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            endRow();
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            ++i;
        } else {
            cell.append(c);
            cellStarted = true;
            ++i;
        }
    }
    if (cellStarted || !row.isEmpty()) endRow();
    return block;
}

static QString QuoteCell(const QString& cell) {
    const bool needsQuotes = cell.contains(u'\t') || cell.contains(u'\n') || cell.contains(u'\r') ||
                             cell.startsWith(u'"');
    if (!needsQuotes) return cell;
    QString quoted = cell;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString FormatTabText(const TabTextBlock& block) {
    QString text;
    for (const QStringList& row : block) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) text.append(u'\t');
            text.append(QuoteCell(row[c]));
        }
        text.append(QStringLiteral("\r\n"));
    }
    return text;
}

} // namespace korva
