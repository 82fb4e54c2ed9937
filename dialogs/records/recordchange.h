#pragma once
// Hands a record editor's result to the project as one undoable change that
// keeps the old and the new value of one record family (records.h): a few
// lists, never a cell grid. A result equal to what the project holds makes
// no step at all.
#include "dialogs/dialogdocument.h"
#include "dialogs/records/records.h"
#include "model/griddata.h"

#include <QString>
#include <utility>

namespace korva {

template <typename Records>
void ChangeRecords(DialogDocument& document, const QString& text, Records newRecords,
                   unsigned parts) {
    Records oldRecords = Records::Read(document.Grid());
    const std::size_t bytes = oldRecords.Bytes() + newRecords.Bytes();
    document.Change(
        text,
        [newRecords = std::move(newRecords), oldRecords](GridData& grid) {
            if (newRecords == oldRecords) return false;
            newRecords.Write(grid);
            return true;
        },
        [oldRecords](GridData& grid) { oldRecords.Write(grid); }, parts, bytes);
}

} // namespace korva
