#pragma once
// The working copy behind "Natural Boundary Properties": flux and water
// quality of each natural boundary.
#include "dialogs/records/records.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace korva {

class GridData;

class NatBoundTable {
public:
    enum Column { NameColumn = 0, FluxColumn, QualityColumn, ColumnCount };
    static QStringList ColumnTitles();

    explicit NatBoundTable(const GridData& grid);
    NatBoundTable(NatBoundRecords records, std::vector<std::string> names);

    int BoundaryCount() const { return static_cast<int>(names_.size()); }
    QString Cell(int boundary, int column) const;
    // A typed number (text that is not one gives 0); returns the cell's text.
    QString SetCell(int boundary, int column, const QString& text);

    const NatBoundRecords& Result() const { return records_; }

private:
    NatBoundRecords records_;
    std::vector<std::string> names_;
};

} // namespace korva
