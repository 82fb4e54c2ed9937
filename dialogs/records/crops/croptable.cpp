#include "dialogs/records/crops/croptable.h"

#include "dialogs/records/recordtext.h"
#include "model/calendar.h"
#include "model/griddata.h"

#include <algorithm>
#include <cmath>

namespace korva {

QStringList CropTable::CropColumnTitles() {
    return {"Crop Name",
            "Initial Root Depth (cm)",
            "Max Root Depth (cm)",
            "Crop Coeff. 1",
            "Crop Coeff. 2",
            "Crop Coeff. 3",
            "Date of Planting (m/d/y)",
            "End of Stage 1 (days from planting)",
            "End of Stage 2 (days from planting)",
            "End of Stage 3 (days from planting)",
            "Date of Harvest (days from planting)"};
}

QStringList CropTable::BasinColumnTitles() {
    return {"Basin Name", "Crop Type"};
}

CropTable::CropTable(const CropRecords& records, std::vector<std::string> basinNames,
                     int simulationYear)
    : records_(records), basinNames_(std::move(basinNames)), year_(simulationYear) {}

CropTable::CropTable(const GridData& grid)
    : CropTable(CropRecords::Read(grid), grid.Boundary(BasinType).names,
                grid.Settings().simulationYear) {}

namespace {

double* NumberOf(CropParamData& crop, int column) {
    switch (column) {
    case CropTable::InitialRootColumn:
        return &crop.initialRootDepth;
    case CropTable::MaxRootColumn:
        return &crop.maxRootDepth;
    case CropTable::Coeff1Column:
        return &crop.cropC1;
    case CropTable::Coeff2Column:
        return &crop.cropC2;
    case CropTable::Coeff3Column:
        return &crop.cropC3;
    case CropTable::PlantingColumn:
        return &crop.datePlanting;
    case CropTable::Stage1Column:
        return &crop.stage1;
    case CropTable::Stage2Column:
        return &crop.stage2;
    case CropTable::Stage3Column:
        return &crop.stage3;
    case CropTable::HarvestColumn:
        return &crop.dateHarvest;
    default:
        return nullptr;
    }
}

// Days from 1 January of `from` to 1 January of `to` (negative when to < from).
long long DaysBetweenYears(int from, int to) {
    long long days = 0;
    for (int y = std::min(from, to); y < std::max(from, to); ++y)
        days += IsLeapYear(y) ? 366 : 365;
    return to >= from ? days : -days;
}

} // namespace

QString CropTable::FormatPlantingDate(double dayNumber, int simulationYear) {
    const CalendarDate date =
        DayNumberToDate(static_cast<int>(std::floor(dayNumber)), simulationYear);
    return QString("%1/%2/%3").arg(date.month).arg(date.day).arg(date.year);
}

bool CropTable::ReadPlantingDate(const QString& text, int simulationYear, double& dayNumber) {
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3) return false;
    for (const QString& part : parts)
        if (part.trimmed().isEmpty() || !part.trimmed().front().isDigit()) return false;
    const int year = ReadInteger(parts[2]);
    // Years far from the simulation year would only overflow the day count.
    if (std::abs(static_cast<long long>(year) - simulationYear) > 10000) return false;
    const int month = std::clamp(ReadInteger(parts[0]), 1, 12);
    const int day = std::clamp(ReadInteger(parts[1]), 1, DaysInMonth(month, year));
    // Counted within its own year, then moved by the whole years between, so a
    // planting in the autumn before the simulation year is a negative day.
    const int inYear = DateToDayNumber(day, month, year, year);
    dayNumber = static_cast<double>(inYear + DaysBetweenYears(simulationYear, year));
    return true;
}

QString CropTable::CropCell(int crop, int column) const {
    if (crop < 0 || crop >= CropCount()) return {};
    CropParamData copy = records_.crops[static_cast<std::size_t>(crop)];
    if (column == NameColumn) return QString::fromStdString(copy.cropName);
    if (column == PlantingColumn) return FormatPlantingDate(copy.datePlanting, year_);
    const double* value = NumberOf(copy, column);
    return value ? FormatNumber(*value) : QString();
}

QString CropTable::SetCropCell(int crop, int column, const QString& text) {
    if (crop < 0 || crop >= CropCount()) return {};
    if (text == CropCell(crop, column))
        return text; // unchanged text keeps the stored value exactly
    CropParamData& record = records_.crops[static_cast<std::size_t>(crop)];
    if (column == NameColumn) {
        const std::string oldName = record.cropName;
        record.cropName = text.toStdString();
        // Basins follow a renamed crop, unless another crop still has the name.
        const bool stillNamed =
            std::any_of(records_.crops.begin(), records_.crops.end(),
                        [&](const CropParamData& c) { return c.cropName == oldName; });
        if (!stillNamed)
            for (CropBasinData& entry : records_.basinCrops)
                if (entry.cropName == oldName) entry.cropName = record.cropName;
    } else if (column == PlantingColumn) {
        double dayNumber = 0;
        if (ReadPlantingDate(text, year_, dayNumber)) record.datePlanting = dayNumber;
    } else if (double* value = NumberOf(record, column)) {
        *value = ReadNumber(text);
    }
    return CropCell(crop, column);
}

void CropTable::AddCrop() {
    records_.crops.push_back(CropParamData{});
}

void CropTable::DeleteCrops(std::vector<int> crops) {
    std::sort(crops.begin(), crops.end());
    crops.erase(std::unique(crops.begin(), crops.end()), crops.end());
    std::vector<std::string> removed;
    for (auto it = crops.rbegin(); it != crops.rend(); ++it) {
        if (*it < 0 || *it >= CropCount()) continue;
        removed.push_back(records_.crops[static_cast<std::size_t>(*it)].cropName);
        records_.crops.erase(records_.crops.begin() + *it);
    }
    for (const std::string& name : removed) {
        const bool stillNamed =
            std::any_of(records_.crops.begin(), records_.crops.end(),
                        [&](const CropParamData& c) { return c.cropName == name; });
        if (stillNamed) continue;
        for (CropBasinData& entry : records_.basinCrops)
            if (entry.cropName == name) entry.cropName.clear();
    }
}

QStringList CropTable::CropNames() const {
    QStringList names;
    for (const CropParamData& crop : records_.crops)
        names.append(QString::fromStdString(crop.cropName));
    return names;
}

QString CropTable::BasinName(int basin) const {
    if (basin < 0 || basin >= BasinCount()) return {};
    return QString::fromStdString(basinNames_[static_cast<std::size_t>(basin)]);
}

// The basin's entry as the crop look-up finds it: the first with its name.
CropBasinData* CropTable::EntryOf(const std::string& basinName) {
    for (CropBasinData& entry : records_.basinCrops)
        if (entry.basinName == basinName) return &entry;
    return nullptr;
}

const CropBasinData* CropTable::EntryOf(const std::string& basinName) const {
    return const_cast<CropTable*>(this)->EntryOf(basinName);
}

QString CropTable::BasinCrop(int basin) const {
    if (basin < 0 || basin >= BasinCount()) return {};
    const CropBasinData* entry = EntryOf(basinNames_[static_cast<std::size_t>(basin)]);
    return entry ? QString::fromStdString(entry->cropName) : QString();
}

void CropTable::SetBasinCrop(int basin, const QString& cropName) {
    if (basin < 0 || basin >= BasinCount()) return;
    const std::string& name = basinNames_[static_cast<std::size_t>(basin)];
    if (CropBasinData* entry = EntryOf(name))
        entry->cropName = cropName.toStdString();
    else
        records_.basinCrops.push_back({name, cropName.toStdString()});
}

} // namespace korva
