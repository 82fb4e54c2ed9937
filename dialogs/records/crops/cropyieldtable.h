#pragma once
// The working copy behind "Crop Yield Function": one row per basin in each of
// its two tables, one column per growth stage or yield multiplication factor.
#include "dialogs/records/records.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace korva {

class GridData;

class CropYieldTable {
public:
    enum Table { ResponseTable = 0, SalinityTable = 1 };
    // Heads of the value columns (the basin column is "Basin").
    static QStringList ValueTitles(Table table);
    static QString ResponseTitle();
    static QString SalinityTitle();

    explicit CropYieldTable(const GridData& grid);
    CropYieldTable(YieldRecords records, std::vector<std::string> basinNames);

    int BasinCount() const { return static_cast<int>(basinNames_.size()); }
    QString BasinName(int basin) const;
    int ValueCount(Table table) const;
    QString Cell(Table table, int basin, int value) const;
    // What the user typed, read as a number (text that is not one gives 0);
    // returns the cell's text afterwards.
    QString SetCell(Table table, int basin, int value, const QString& text);

    const YieldRecords& Result() const { return records_; }

private:
    std::vector<double>* List(Table table, int value);
    const std::vector<double>* List(Table table, int value) const;

    YieldRecords records_;
    std::vector<std::string> basinNames_;
};

} // namespace korva
