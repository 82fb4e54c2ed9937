#include "irrigationgraph.h"

#include <string>

namespace korva::charts {

GraphData MakeIrrigationGraph(const IrrigationData& schedule) {
    GraphData graph;
    const int count = static_cast<int>(schedule.size());
    // Bars at categories, each labelled with its date; the labels are spaced
    // by their length so that a long schedule stays readable.
    graph.SetData(1, 1, count, count, 0, true, false);
    graph.SetTitles("Irrigation Schedule", "Date", "Amount (cm)", "", "korva_irr_sched");
    graph.graphType = 3;
    graph.graphStyle = 0;
    for (int i = 0; i < count; ++i) {
        const IrrigationDataItem& item = schedule[static_cast<std::size_t>(i)];
        graph.labels[static_cast<std::size_t>(i)] = std::to_string(item.month) + "/" +
                                                    std::to_string(item.day) + "/" +
                                                    std::to_string(item.year);
        graph.y[0][0][static_cast<std::size_t>(i)] = item.amount;
    }
    return graph;
}

} // namespace korva::charts
