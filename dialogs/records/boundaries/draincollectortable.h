#pragma once
// The working copy behind "Drain-Collector Connectivity": one row per drain
// with the name of the collector it empties into.
#include "dialogs/records/records.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace korva {

class GridData;

class DrainCollectorTable {
public:
    static QStringList ColumnTitles();
    // What a drain without a collector shows.
    static QString NoCollector();

    explicit DrainCollectorTable(const GridData& grid);
    DrainCollectorTable(DrainCollectorRecords records, std::vector<std::string> drainNames,
                        std::vector<std::string> collectorNames);

    int DrainCount() const { return static_cast<int>(drainNames_.size()); }
    QString DrainName(int drain) const;
    // The collector's name, or "<none>" (also for an index no collector has).
    QString CollectorName(int drain) const;
    // The choices of the selection list: "<none>" first, then the collectors
    // in list order; ChoiceOf gives the drain's current position in it.
    QStringList Choices() const;
    int ChoiceOf(int drain) const;
    void Choose(int drain, int choice);

    const DrainCollectorRecords& Result() const { return records_; }

private:
    DrainCollectorRecords records_;
    std::vector<std::string> drainNames_;
    std::vector<std::string> collectorNames_;
};

} // namespace korva
