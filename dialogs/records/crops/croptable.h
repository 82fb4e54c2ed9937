#pragma once
// The working copy behind the "Crop Data" dialog: the crop catalogue as rows
// of cell texts, the basins with their crop, and the rules for what the user
// types. The dialog only shows what this answers.
#include "dialogs/records/records.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace korva {

class GridData;

class CropTable {
public:
    enum Column {
        NameColumn = 0,
        InitialRootColumn,
        MaxRootColumn,
        Coeff1Column,
        Coeff2Column,
        Coeff3Column,
        PlantingColumn,
        Stage1Column,
        Stage2Column,
        Stage3Column,
        HarvestColumn,
        ColumnCount
    };
    static QStringList CropColumnTitles();
    static QStringList BasinColumnTitles();

    CropTable(const CropRecords& records, std::vector<std::string> basinNames, int simulationYear);
    explicit CropTable(const GridData& grid);

    int CropCount() const { return static_cast<int>(records_.crops.size()); }
    QString CropCell(int crop, int column) const;
    // Takes what the user typed into a crop cell and returns what the cell
    // shows afterwards (the stored value, formatted again).
    QString SetCropCell(int crop, int column, const QString& text);
    // "New Crop Type": a crop named "New Crop" with every number 0.
    void AddCrop();
    // "Delete Crop Type": basins that named a removed crop no longer have one
    // (unless a remaining crop carries the same name).
    void DeleteCrops(std::vector<int> crops);
    QStringList CropNames() const;

    int BasinCount() const { return static_cast<int>(basinNames_.size()); }
    QString BasinName(int basin) const;
    QString BasinCrop(int basin) const;
    void SetBasinCrop(int basin, const QString& cropName);

    const CropRecords& Result() const { return records_; }

    // The planting date cell: month/day/year against the simulation year.
    static QString FormatPlantingDate(double dayNumber, int simulationYear);
    // The day number of a typed m/d/y date; false when the text is not one.
    // Month and day are brought into the calendar (13 is 12, 2/30 is the
    // month's last day); a year before the simulation year counts backwards.
    static bool ReadPlantingDate(const QString& text, int simulationYear, double& dayNumber);

private:
    CropBasinData* EntryOf(const std::string& basinName);
    const CropBasinData* EntryOf(const std::string& basinName) const;

    CropRecords records_;
    std::vector<std::string> basinNames_;
    int year_;
};

} // namespace korva
