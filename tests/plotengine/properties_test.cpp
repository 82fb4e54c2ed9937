// The property table and the rules by which properties are addressed,
// converted and checked.
#include "chartcontrol.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace korva::plot {
namespace {

struct ExpectedGroup {
    PropertyType type;
    bool indexed;
    bool readOnly;
    const char* names;
};

// The chart properties a page can reach, as the chart server passes them
// through, and the three that only the server writes.
const ExpectedGroup kExpected[] = {
    {PropertyType::Integer, false, true, "hWnd HWin"},
    {PropertyType::Text, false, true, "CtlVersion"},
    {PropertyType::Double, true, true, "SDKInfo"},
    {PropertyType::Double, false, false,
     "XAxisMin XAxisMax YAxisMin YAxisMax ZAxisMin ZAxisMax LimitLowValue LimitHighValue"},
    {PropertyType::Single, false, false, "EBarValue"},
    {PropertyType::Text, false, false,
     "RightTitle QuickData LimitLowLabel LimitHighLabel LeftTitle LabelZFormat LabelYFormat "
     "LabelXFormat LabelXDateStart LabelXDateInc GraphTitle GraphName GraphFile DataLabelFormat "
     "BottomTitle Backdrop ADODataSource ADODataTable ADOWhereClause LegendField LabelField"},
    {PropertyType::Double, true, false,
     "Data XPos ZPos OverlayData OverlayXPos EBarXPosPlus EBarXPosMinus"},
    {PropertyType::Single, true, false, "EBarDataPlus EBarDataMinus"},
    {PropertyType::Text, true, false,
     "Label Legend XPosField DataField DataLabel FName MapRefString YLabel ZLabel"},
    {PropertyType::Integer, true, false,
     "Color Pattern Symbol Extra OverlayExtra TrendSet FStyle FSize FSizeEx EnhFontBehavior"},
    {PropertyType::Integer, false, false,
     "ZAxisTicks ZAxisStyle YAxisUse YAxisTicks YAxisStyle YAxisPos YAxisMinorTicks XAxisTicks "
     "XAxisStyle XAxisPos XAxisMinorTicks True3DZGap True3DXGap True3DDepth True3D TickStyle Ticks "
     "TickEvery ThisSet ThickLines SymbolSize SurfaceWallColor SurfaceColorMin SurfaceColorMax "
     "SmartLabels Rotation RightTitleStyle RangeMin RangeMax RandomData Perspective PatternedLines "
     "Palette OverlayTrendSets OverlayThickLines OverlaySymbol OverlayPatternedLines "
     "OverlayPattern OverlayGraphType OverlayGraphStyle OverlayGraph OverlayColor NWin NView "
     "NumSets NumPoints NewLineChar MissingLineMode MissingData MapFormat LineStats LimitLines "
     "LimitLinePattern LimitFillPattern LegendStyle LegendSize LegendPos LeftTitleStyle LabelXType "
     "LabelStyle Labels LabelEvery Hot GridStyle GridLineStyle GraphType GraphStyle ForegroundUse "
     "Foreground Elevation EBarUse EBarStyle EBarSource DrawStyle DataReset DataLabels CurveType "
     "CurveSteps CurveOrder ClipGraph CageWallColor CageStyle CageFlip CageEdgeColor BorderStyle "
     "Bar2dGap BackgroundStyle BackgroundUse Background BackdropStyle Width Height BarGradients "
     "GanttGradients ImageFileCompression"},
    {PropertyType::Integer, false, false, "DrawMode"},
    {PropertyType::Text, false, false, "ImageFile MapFile"},
};

int ErrorCode(const std::function<void()>& f) {
    try {
        f();
    } catch (const ChartError& e) {
        return e.code();
    }
    return 0;
}

TEST(PropertyTable, HoldsEveryPropertyWithItsTypeAndIndexForm) {
    std::set<std::string> expected;
    for (const auto& g : kExpected) {
        std::istringstream names(g.names);
        std::string name;
        while (names >> name) {
            expected.insert(name);
            const PropertyInfo* p = FindProperty(name);
            ASSERT_NE(p, nullptr) << name;
            EXPECT_EQ(p->type, g.type) << name;
            EXPECT_EQ(p->indexed, g.indexed) << name;
            EXPECT_EQ(p->readOnly, g.readOnly) << name;
        }
    }
    EXPECT_EQ(expected.size(), 160u);
    EXPECT_EQ(Properties().size(), expected.size())
        << "the table holds properties nobody asked for";
}

TEST(PropertyTable, FindsNamesWithoutRegardToCase) {
    ASSERT_NE(FindProperty("graphtitle"), nullptr);
    EXPECT_STREQ(FindProperty("GRAPHTITLE")->name, "GraphTitle");
    EXPECT_EQ(FindProperty("GraphTitles"), nullptr);
    EXPECT_EQ(FindProperty(""), nullptr);
    ChartControl c;
    c.Set("numpoints", 7);
    EXPECT_EQ(c.Get("NumPoints"), PropertyValue(int16_t{7}));
    EXPECT_EQ(ErrorCode([&] { c.Set("NoSuchThing", 1); }), 438);
    EXPECT_EQ(ErrorCode([&] { c.Get("NoSuchThing"); }), 438);
}

// A value of the property's type that differs from every default.
PropertyValue Sample(const PropertyInfo& p) {
    std::string name = p.name;
    switch (p.type) {
    case PropertyType::Integer:
        if (name == "YAxisUse" || name == "ForegroundUse") return int16_t{1}; // two elements each
        return int16_t{2};
    case PropertyType::Double:
        return 2.5;
    case PropertyType::Single:
        return 2.5f;
    case PropertyType::Text:
        if (name == "LabelXDateStart" || name == "LabelXDateInc") return std::string("2001:02:03");
        return std::string("text " + name);
    default:
        return true;
    }
}

TEST(PropertyTable, EveryWritablePropertyReadsBackWhatWasWritten) {
    for (const auto& p : Properties()) {
        if (p.readOnly || std::string(p.name) == "DrawMode") continue;
        ChartControl c;
        c.Set("NumSets", 3);
        PropertyValue v = Sample(p);
        std::optional<int> index;
        if (p.indexed) index = 1;
        PropertyValue before = c.Get(p.name, index);
        ASSERT_NO_THROW(c.Set(p.name, index, v)) << p.name;
        EXPECT_EQ(c.Get(p.name, index), v) << p.name;
        EXPECT_NE(before, v) << p.name
                             << ": the sample equals the default, the test proves nothing";
        if (p.indexed) {
            EXPECT_NE(c.Get(p.name, 0), v) << p.name << ": a write reached another index";
        }
    }
}

TEST(PropertyTable, ReadOnlyPropertiesAreReadableButRefuseWrites) {
    ChartControl c;
    for (const auto& p : Properties()) {
        if (!p.readOnly) continue;
        std::optional<int> index;
        if (p.indexed) index = 0;
        EXPECT_NO_THROW(c.Get(p.name, index)) << p.name;
        EXPECT_EQ(ErrorCode([&] { c.Set(p.name, index, Sample(p)); }), 383) << p.name;
    }
    EXPECT_FALSE(std::get<std::string>(c.Get("CtlVersion")).empty());
}

TEST(PropertyConversion, ConvertsBetweenTypesAsALateBoundCallerExpects) {
    EXPECT_EQ(ConvertToType(2.5, PropertyType::Integer), PropertyValue(int16_t{2}));
    EXPECT_EQ(ConvertToType(3.5, PropertyType::Integer), PropertyValue(int16_t{4}));
    EXPECT_EQ(ConvertToType(-2.5, PropertyType::Long), PropertyValue(int32_t{-2}));
    EXPECT_EQ(ConvertToType(std::string(" 12 "), PropertyType::Integer),
              PropertyValue(int16_t{12}));
    EXPECT_EQ(ConvertToType(std::string("1e3"), PropertyType::Double), PropertyValue(1000.0));
    EXPECT_EQ(ConvertToType(true, PropertyType::Integer), PropertyValue(int16_t{-1}));
    EXPECT_EQ(ConvertToType(std::string("true"), PropertyType::Boolean), PropertyValue(true));
    EXPECT_EQ(ConvertToType(int16_t{0}, PropertyType::Boolean), PropertyValue(false));
    EXPECT_EQ(ConvertToType(0.1, PropertyType::Text), PropertyValue(std::string("0.1")));
    EXPECT_EQ(ConvertToType(int32_t{-7}, PropertyType::Text), PropertyValue(std::string("-7")));
    EXPECT_EQ(ConvertToType(std::monostate{}, PropertyType::Double), PropertyValue(0.0));
    EXPECT_EQ(ConvertToType(std::monostate{}, PropertyType::Text), PropertyValue(std::string()));
    EXPECT_EQ(ConvertToType(1.5, PropertyType::Single), PropertyValue(1.5f));
}

TEST(PropertyConversion, RefusesValuesThatDoNotFit) {
    auto code = [](PropertyValue v, PropertyType t) {
        return ErrorCode([&] { ConvertToType(v, t); });
    };
    EXPECT_EQ(code(32767.0, PropertyType::Integer), 0);
    EXPECT_EQ(code(32767.5, PropertyType::Integer), 6); // rounds to 32768
    EXPECT_EQ(code(-32768.0, PropertyType::Integer), 0);
    EXPECT_EQ(code(-32769.0, PropertyType::Integer), 6);
    EXPECT_EQ(code(int32_t{40000}, PropertyType::Integer), 6);
    EXPECT_EQ(code(3e9, PropertyType::Long), 6);
    EXPECT_EQ(code(1e300, PropertyType::Single), 6);
    EXPECT_EQ(code(std::numeric_limits<double>::quiet_NaN(), PropertyType::Integer), 6);
    EXPECT_EQ(code(std::string("1e999"), PropertyType::Double), 6);
    EXPECT_EQ(code(std::string("twelve"), PropertyType::Integer), 13);
    EXPECT_EQ(code(std::string(""), PropertyType::Double), 13);
    EXPECT_EQ(code(std::string("12abc"), PropertyType::Double), 13);
}

TEST(PropertyConversion, ValueTextIsTheShortestForm) {
    EXPECT_EQ(ValueText(0.1), "0.1");
    EXPECT_EQ(ValueText(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(ValueText(2.5f), "2.5");
    EXPECT_EQ(ValueText(int16_t{-3}), "-3");
    EXPECT_EQ(ValueText(true), "True");
    EXPECT_EQ(ValueText(std::monostate{}), "");
    EXPECT_EQ(ValueText(100.0), "100");
}

TEST(PropertyAddressing, DataIsAddressedByThisSetAndPoint) {
    ChartControl c;
    c.Set("NumSets", 3);
    c.Set("NumPoints", 4);
    for (int s = 0; s < 3; ++s) {
        c.Set("ThisSet", s);
        for (int p = 0; p < 4; ++p)
            c.Set("Data", p, s * 10.0 + p);
    }
    c.Set("ThisSet", 1);
    EXPECT_EQ(c.Get("Data", 2), PropertyValue(12.0));
    c.Set("ThisSet", 2);
    EXPECT_EQ(c.Get("Data", 3), PropertyValue(23.0));
    // Growing and shrinking keep every value at its set and point.
    c.Set("NumPoints", 6);
    c.Set("NumSets", 2);
    c.Set("ThisSet", 1);
    EXPECT_EQ(c.Get("Data", 3), PropertyValue(13.0));
    EXPECT_EQ(c.Get("Data", 5), PropertyValue(0.0));
    c.Set("NumPoints", 2);
    c.Set("NumPoints", 4);
    EXPECT_EQ(c.Get("Data", 1), PropertyValue(11.0));
    EXPECT_EQ(c.Get("Data", 3), PropertyValue(0.0)) << "a value cut off by shrinking came back";
    // DataReset clears the data.
    c.Set("DataReset", 1);
    EXPECT_EQ(c.Get("Data", 1), PropertyValue(0.0));
}

TEST(PropertyAddressing, IndexOutOfRangeIsAnErrorNotACrash) {
    ChartControl c;
    c.Set("NumPoints", 5);
    EXPECT_EQ(ErrorCode([&] { c.Get("Data", 5); }), 9);
    EXPECT_EQ(ErrorCode([&] { c.Set("Data", -1, 1.0); }), 9);
    EXPECT_EQ(ErrorCode([&] { c.Set("Label", 32767, "x"); }), 9);
    EXPECT_EQ(ErrorCode([&] { c.Get("SDKInfo", 8); }), 9);
    EXPECT_EQ(ErrorCode([&] { c.Get("Data"); }), 380) << "an indexed property needs its index";
    EXPECT_EQ(ErrorCode([&] { c.Set("GraphTitle", 3, "x"); }), 380) << "a scalar takes no index";
    EXPECT_EQ(ErrorCode([&] { c.Set("ThisSet", 1); }), 380) << "only set 0 exists";
    EXPECT_EQ(ErrorCode([&] { c.Set("NumSets", 0); }), 380);
    EXPECT_EQ(ErrorCode([&] { c.Set("NumPoints", -4); }), 380);
    EXPECT_EQ(ErrorCode([&] {
                  c.Set("NumPoints", 30000);
                  c.Set("NumSets", 100);
              }),
              380)
        << "three million points would be a memory bomb";
    EXPECT_EQ(ErrorCode([&] { c.Set("Color", 0, 16); }), 380);
    EXPECT_EQ(ErrorCode([&] { c.Set("Width", 0); }), 380);
    EXPECT_EQ(ErrorCode([&] { c.Set("LabelXDateStart", "2001:13:40"); }), 380);
    EXPECT_EQ(ErrorCode([&] { c.Set("DrawMode", 99); }), 380);
    // A refused write leaves the old value.
    EXPECT_EQ(c.Get("NumSets"), PropertyValue(int16_t{1}));
    EXPECT_EQ(c.Get("Color", 0), c.Get("Color", 0));
}

TEST(PropertyAddressing, PerSetListsCoverTheOverlayGroupAndPiePoints) {
    ChartControl c;
    c.Set("NumSets", 2);
    c.Set("NumPoints", 3);
    c.Set("Legend", 3, "second overlay set"); // 2 main sets, then the overlay's
    EXPECT_EQ(c.Get("Legend", 3), PropertyValue(std::string("second overlay set")));
    EXPECT_EQ(ErrorCode([&] { c.Set("Legend", 4, "x"); }), 9);
    c.Set("NumSets", 1);
    c.Set("NumPoints", 12);
    c.Set("Color", 11, 4); // one colour per pie slice
    EXPECT_EQ(c.Get("Color", 11), PropertyValue(int16_t{4}));
    // Default colours differ from set to set.
    EXPECT_NE(c.Get("Color", 0), c.Get("Color", 1));
}

TEST(PropertyAddressing, AxisPropertiesFollowTheirSelector) {
    ChartControl c;
    c.Set("YAxisMax", 50.0);
    c.Set("YAxisUse", 1);
    EXPECT_EQ(c.Get("YAxisMax"), PropertyValue(0.0)) << "the right axis has its own maximum";
    c.Set("YAxisMax", 900.0);
    c.Set("YAxisUse", 0);
    EXPECT_EQ(c.Get("YAxisMax"), PropertyValue(50.0));
    c.Set("BackgroundUse", 1);
    c.Set("Background", 14);
    c.Set("BackgroundUse", 0);
    EXPECT_EQ(c.Get("Background"), PropertyValue(int16_t{15}));
    EXPECT_EQ(ErrorCode([&] { c.Set("YAxisUse", 2); }), 380);
}

TEST(PropertyAddressing, WidthAndHeightAreThePictureSize) {
    ChartControl c;
    c.Set("Width", 402);
    c.Set("Height", 302);
    EXPECT_EQ(c.Get("Width"), PropertyValue(int16_t{402}));
    EXPECT_EQ(c.Get("Height"), PropertyValue(int16_t{302}));
    EXPECT_EQ(ErrorCode([&] { c.Set("Width", 32767); }), 380);
    EXPECT_EQ(ErrorCode([&] { c.Set("Width", 40000); }), 6);
}

} // namespace
} // namespace korva::plot
