#include "dialogs/records/boundaries/draincollectortable.h"

#include "model/griddata.h"

namespace korva {

QStringList DrainCollectorTable::ColumnTitles() {
    return {"Drain", "Collector"};
}

QString DrainCollectorTable::NoCollector() {
    return "<none>";
}

DrainCollectorTable::DrainCollectorTable(const GridData& grid)
    : DrainCollectorTable(DrainCollectorRecords::Read(grid), grid.Boundary(DrainType).names,
                          grid.Boundary(CollectorType).names) {}

DrainCollectorTable::DrainCollectorTable(DrainCollectorRecords records,
                                         std::vector<std::string> drainNames,
                                         std::vector<std::string> collectorNames)
    : records_(std::move(records)), drainNames_(std::move(drainNames)),
      collectorNames_(std::move(collectorNames)) {
    records_.collectorIndex.resize(drainNames_.size(), -1);
}

QString DrainCollectorTable::DrainName(int drain) const {
    if (drain < 0 || drain >= DrainCount()) return {};
    return QString::fromStdString(drainNames_[static_cast<std::size_t>(drain)]);
}

QString DrainCollectorTable::CollectorName(int drain) const {
    const int choice = ChoiceOf(drain);
    return choice > 0
               ? QString::fromStdString(collectorNames_[static_cast<std::size_t>(choice - 1)])
               : NoCollector();
}

QStringList DrainCollectorTable::Choices() const {
    QStringList choices{NoCollector()};
    for (const std::string& name : collectorNames_)
        choices.append(QString::fromStdString(name));
    return choices;
}

int DrainCollectorTable::ChoiceOf(int drain) const {
    if (drain < 0 || drain >= DrainCount()) return 0;
    const int index = records_.collectorIndex[static_cast<std::size_t>(drain)];
    return index >= 0 && index < static_cast<int>(collectorNames_.size()) ? index + 1 : 0;
}

void DrainCollectorTable::Choose(int drain, int choice) {
    if (drain < 0 || drain >= DrainCount() || choice < 0 ||
        choice > static_cast<int>(collectorNames_.size()))
        return;
    records_.collectorIndex[static_cast<std::size_t>(drain)] = choice - 1;
}

} // namespace korva
