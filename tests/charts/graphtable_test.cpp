// The numbers behind a chart as a user exports them, and the irrigation chart.
#include "charts/graph/graphtable.h"
#include "charts/graph/irrigationgraph.h"

#include <gtest/gtest.h>

namespace korva::charts {
namespace {

TEST(GraphTable, OneLinePerPointWithXWhenTheGraphHasIt) {
    GraphData g;
    g.SetData(1, 2, 2, 0, 0, false, true);
    g.legends = {"MC _x0y0z0", "with\ttab"};
    g.x[0] = {{90, 91}, {90, 91}};
    g.y[0] = {{0.25, 0.5}, {1, 2}};
    EXPECT_EQ(GraphDataTable(g), "Point\tMC _x0y0z0 X\tMC _x0y0z0\twith tab X\twith tab\n"
                                 "1\t90\t0.25\t90\t1\n"
                                 "2\t91\t0.5\t91\t2\n");
    GraphData empty;
    EXPECT_EQ(GraphDataTable(empty), "Point\n");
}

TEST(IrrigationGraph, BarsOfDepthOverDates) {
    IrrigationData schedule = {{4, 15, 2005, 7.5, 1.2}, {5, 1, 2005, 5.0, 1.0}};
    const GraphData g = MakeIrrigationGraph(schedule);
    EXPECT_EQ(g.graphName, "korva_irr_sched");
    EXPECT_EQ(g.titles[0].graph, "Irrigation Schedule");
    EXPECT_EQ(g.titles[0].bottom, "Date");
    EXPECT_EQ(g.titles[0].left, "Amount (cm)");
    EXPECT_EQ(g.labels[1], "5/1/2005");
    EXPECT_EQ(g.y[0][0], (std::vector<double>{7.5, 5.0}));
    EXPECT_EQ(g.graphType, 3);
}

} // namespace
} // namespace korva::charts
