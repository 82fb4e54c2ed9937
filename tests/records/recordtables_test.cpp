// The rules behind the record editors, without a window.
#include "dialogs/records/boundaries/draincollectortable.h"
#include "dialogs/records/boundaries/natboundtable.h"
#include "dialogs/records/crops/croptable.h"
#include "dialogs/records/crops/cropyieldtable.h"
#include "dialogs/records/irrigation/irrigationscheduleedit.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

CropTable OneCropTable() {
    CropRecords records;
    CropParamData wheat;
    wheat.cropName = "Wheat";
    wheat.datePlanting = 100; // 11 April 1990
    wheat.stage1 = 30;
    records.crops.push_back(wheat);
    records.basinCrops.push_back({"north", "Wheat"});
    return CropTable(records, {"north", "south"}, 1990);
}

TEST(CropTable, PlantingDateIsEnteredAndShownAsMonthDayYear) {
    CropTable table = OneCropTable();
    EXPECT_EQ(table.CropCell(0, CropTable::PlantingColumn), "4/11/1990");
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "1/2/1990"), "1/2/1990");
    EXPECT_EQ(table.Result().crops[0].datePlanting, 1);
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "3/1/1991"), "3/1/1991");
    EXPECT_EQ(table.Result().crops[0].datePlanting, 365 + 59);
    // The autumn before the simulation year is a negative day, not -1.
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "12/31/1989"), "12/31/1989");
    EXPECT_EQ(table.Result().crops[0].datePlanting, -1);
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "10/1/1989"), "10/1/1989");
    EXPECT_EQ(table.Result().crops[0].datePlanting, -92);
    // Out-of-calendar parts are brought in; text that is no date changes nothing.
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "2/30/1990"), "2/28/1990");
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "13/5/1990"), "12/5/1990");
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "soon"), "12/5/1990");
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "5/1"), "12/5/1990");
    EXPECT_EQ(table.SetCropCell(0, CropTable::PlantingColumn, "1/1/99999999"), "12/5/1990");
}

TEST(CropTable, NumbersReadLikeTheCLibraryAndShowAgainFormatted) {
    CropTable table = OneCropTable();
    EXPECT_EQ(table.SetCropCell(0, CropTable::MaxRootColumn, "120.50 cm"), "120.5");
    EXPECT_EQ(table.SetCropCell(0, CropTable::Coeff1Column, "abc"), "0");
    EXPECT_EQ(table.SetCropCell(0, CropTable::Stage2Column, "1e-5"), "1e-05");
    EXPECT_EQ(table.Result().crops[0].maxRootDepth, 120.5);
    EXPECT_EQ(table.Result().crops[0].stage2, 1e-5);
}

TEST(CropTable, UnchangedTextKeepsTheStoredValueExactly) {
    CropRecords records;
    records.crops.resize(1);
    records.crops[0].cropC1 = 0.123456789; // shows as 0.123457
    CropTable table(records, {}, 1990);
    EXPECT_EQ(table.SetCropCell(0, CropTable::Coeff1Column, "0.123457"), "0.123457");
    EXPECT_EQ(table.Result().crops[0].cropC1, 0.123456789);
}

TEST(CropTable, NewRenameAndDeleteKeepBasinAssignmentsHonest) {
    CropTable table = OneCropTable();
    table.AddCrop();
    ASSERT_EQ(table.CropCount(), 2);
    EXPECT_EQ(table.CropCell(1, CropTable::NameColumn), "New Crop");
    for (int c = 1; c < CropTable::ColumnCount; ++c) {
        if (c != CropTable::PlantingColumn) {
            EXPECT_EQ(table.CropCell(1, c), "0");
        }
    }
    EXPECT_EQ(table.CropCell(1, CropTable::PlantingColumn), "1/1/1990");

    table.SetBasinCrop(1, "New Crop"); // south had no entry: one is added
    EXPECT_EQ(table.BasinCrop(1), "New Crop");
    EXPECT_EQ(table.Result().basinCrops.size(), 2u);

    // A renamed crop takes its basins along.
    table.SetCropCell(0, CropTable::NameColumn, "Winter wheat");
    EXPECT_EQ(table.BasinCrop(0), "Winter wheat");
    EXPECT_EQ(table.CropNames(), QStringList({"Winter wheat", "New Crop"}));

    // A deleted crop leaves its basins without one.
    table.DeleteCrops({0, 0, 7});
    EXPECT_EQ(table.CropCount(), 1);
    EXPECT_EQ(table.BasinCrop(0), "");
    EXPECT_EQ(table.BasinCrop(1), "New Crop");
}

TEST(CropYieldTable, EveryCellIsAPerBasinListEntry) {
    YieldRecords records;
    records.responseFactors[2] = {0.5}; // one basin short: padded
    CropYieldTable table(records, {"north", "south"});
    EXPECT_EQ(table.Cell(CropYieldTable::ResponseTable, 0, 2), "0.5");
    EXPECT_EQ(table.Cell(CropYieldTable::ResponseTable, 1, 2), "0");
    EXPECT_EQ(table.SetCell(CropYieldTable::SalinityTable, 1, 4, "7.25"), "7.25");
    EXPECT_EQ(table.SetCell(CropYieldTable::SalinityTable, 0, 0, "x"), "0");
    EXPECT_EQ(table.Result().salinityBounds[4], (std::vector<double>{0, 7.25}));
    EXPECT_EQ(table.ValueCount(CropYieldTable::SalinityTable), 5);
    EXPECT_EQ(table.SetCell(CropYieldTable::ResponseTable, 0, 4, "1"), ""); // no stage 5
}

IrrigationScheduleEdit TwoBasinSchedule() {
    IrrigationRecords records;
    records.schedules = {{{4, 10, 2000, 7.5, 0.3}}, {}};
    return IrrigationScheduleEdit(records, {"west", "east"});
}

TEST(IrrigationScheduleEdit, MonthAndDayAreClampedAsTyped) {
    IrrigationScheduleEdit edit = TwoBasinSchedule();
    using E = IrrigationScheduleEdit;
    edit.SetCell(0, 0, E::MonthColumn, "13");
    EXPECT_EQ(edit.Cell(0, 0, E::MonthColumn), "12");
    edit.SetCell(0, 0, E::MonthColumn, "-4");
    EXPECT_EQ(edit.Cell(0, 0, E::MonthColumn), "1");
    edit.SetCell(0, 0, E::MonthColumn, "4");
    edit.SetCell(0, 0, E::DayColumn, "31");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "30");
    edit.SetCell(0, 0, E::DayColumn, "0");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "1");
    edit.SetCell(0, 0, E::MonthColumn, "2");
    edit.SetCell(0, 0, E::DayColumn, "30");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "29"); // 2000 is a leap year
    edit.SetCell(0, 0, E::DepthColumn, "2.5cm");
    edit.SetCell(0, 0, E::SaltColumn, "none");
    EXPECT_EQ(edit.Cell(0, 0, E::DepthColumn), "2.5");
    EXPECT_EQ(edit.Cell(0, 0, E::SaltColumn), "0");
    EXPECT_TRUE(edit.Pending());
}

TEST(IrrigationScheduleEdit, DatesStayInTheCalendarWhateverIsTypedLast) {
    IrrigationScheduleEdit edit = TwoBasinSchedule();
    using E = IrrigationScheduleEdit;
    // 29 February typed, then a common year: the 28th.
    edit.SetCell(0, 0, E::MonthColumn, "2");
    edit.SetCell(0, 0, E::DayColumn, "29");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "29");
    edit.SetCell(0, 0, E::YearColumn, "2001");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "28");
    edit.SetCell(0, 0, E::DayColumn, "29");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "28");
    // 31 March, then April: the 30th.
    edit.SetCell(0, 0, E::MonthColumn, "3");
    edit.SetCell(0, 0, E::DayColumn, "31");
    edit.SetCell(0, 0, E::MonthColumn, "4");
    EXPECT_EQ(edit.Cell(0, 0, E::DayColumn), "30");
}

TEST(IrrigationScheduleEdit, AddAndDeleteRows) {
    IrrigationScheduleEdit edit = TwoBasinSchedule();
    edit.Add(1, 3);
    ASSERT_EQ(edit.ItemCount(1), 3);
    for (int c = 0; c < IrrigationScheduleEdit::ColumnCount; ++c)
        EXPECT_EQ(edit.Cell(1, 2, c), "0");
    edit.Add(1, 0);
    edit.Add(7, 1);
    EXPECT_EQ(edit.ItemCount(1), 3);
    edit.Add(1, 1000000000);
    EXPECT_EQ(edit.ItemCount(1), 3 + IrrigationScheduleEdit::MaxAdd);

    edit.MarkStored();
    edit.Delete(0, {0, 0, 5});
    EXPECT_EQ(edit.ItemCount(0), 0);
    EXPECT_TRUE(edit.Pending());
    EXPECT_EQ(edit.ItemCount(1), 3 + IrrigationScheduleEdit::MaxAdd);
}

TEST(DrainCollectorTable, DrainsWithoutCollectorShowNone) {
    DrainCollectorRecords records{{0, -1, 5}};
    DrainCollectorTable table(records, {"d1", "d2", "d3"}, {"main"});
    EXPECT_EQ(table.CollectorName(0), "main");
    EXPECT_EQ(table.CollectorName(1), "<none>");
    EXPECT_EQ(table.CollectorName(2), "<none>"); // an index no collector has
    EXPECT_EQ(table.Choices(), QStringList({"<none>", "main"}));
    table.Choose(1, 1);
    table.Choose(0, 0);
    table.Choose(2, 9); // not a choice: ignored
    EXPECT_EQ(table.Result().collectorIndex, (std::vector<int32_t>{-1, 0, 5}));
}

TEST(NatBoundTable, ValuesReadAsNumbersOrZero) {
    NatBoundTable table(NatBoundRecords{{0.5}, {}}, {"inflow", "outflow"});
    EXPECT_EQ(table.Cell(0, NatBoundTable::FluxColumn), "0.5");
    EXPECT_EQ(table.Cell(1, NatBoundTable::QualityColumn), "0");
    EXPECT_EQ(table.SetCell(1, NatBoundTable::FluxColumn, "-0.02 m/day"), "-0.02");
    EXPECT_EQ(table.SetCell(0, NatBoundTable::QualityColumn, "n/a"), "0");
    EXPECT_EQ(table.SetCell(0, NatBoundTable::NameColumn, "renamed"), "inflow");
    EXPECT_EQ(table.Result().flux, (std::vector<double>{0.5, -0.02}));
}

} // namespace
} // namespace korva
