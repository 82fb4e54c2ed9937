#pragma once
// ChartModel: the values of every chart property, addressed by property and
// index, with the sizing and selection rules of the control. It knows nothing
// of drawing, so the headless renderer and an interactive view read the same
// model.
//
// Addressing of indexed properties:
//  - per point of the current set (Data, XPos, OverlayData, Extra, DataLabel,
//    MapRefString, ...): index i is point i (0 .. NumPoints-1) of set ThisSet;
//  - per set (Color, Legend, Pattern, Symbol, TrendSet, ...): index i is set i
//    of the main group for i < NumSets, set i - NumSets of the overlay group
//    above; Color and Legend also colour and name the points of a one-set pie
//    or bar chart, so these lists hold max(2 × NumSets, NumPoints) entries;
//  - Label: the X label of point i;
//  - fixed lists (SDKInfo 0..7, FName/FSize/FStyle 0..3, YLabel 0..255).
// Some scalar properties hold one value per element chosen by a selector:
// the Y axis properties per YAxisUse (0 left, 1 right), Background per
// BackgroundUse (0 chart, 1 plot area, 2 legend), Foreground per
// ForegroundUse (0 text and axes, 1 grid lines).
#include "chartcontrol.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korva::plot {

class ChartModel {
public:
    static constexpr int kMaxSets = 1024;
    static constexpr int kMaxCells = 1 << 20; // NumSets × NumPoints
    static constexpr int kMaxImageSide = 8192;

    ChartModel();

    // Property access; value already has the property's type. Throws ChartError.
    PropertyValue Get(const PropertyInfo& p, std::optional<int> index) const;
    void Set(const PropertyInfo& p, std::optional<int> index, const PropertyValue& value);

    // Typed reads for the renderer (names must be properties of that type).
    int Int(const char* name) const;
    double Dbl(const char* name) const;
    const std::string& Txt(const char* name) const;
    int AxisInt(int axis, const char* name) const;
    double AxisDbl(int axis, const char* name) const;
    int BackgroundColor(int slot) const;
    int ForegroundColor(int slot) const;

    int NumSets() const { return numSets_; }
    int NumPoints() const { return numPoints_; }
    // Value of a per-point double property at set s, point p.
    double PointValue(const char* name, int set, int point) const;
    int PointInt(const char* name, int set, int point) const;
    const std::string& PointText(const char* name, int set, int point) const;
    // True when any point of set s of that property was written since the
    // last reset (drives X positions and which overlay sets exist).
    bool SetWritten(const char* name, int set) const;
    int SetInt(const char* name, int index) const;
    const std::string& SetText(const char* name, int index) const;
    bool SetEntryWritten(const char* name, int index) const;
    const std::string& ListText(const char* name, int index) const;
    int ListInt(const char* name, int index) const;
    int PerSetCount() const;

    // Plot-area geometry of the last drawing (X min, X max, Y min, Y max,
    // left, right, top, bottom pixel), read back through SDKInfo.
    void SetSdkInfo(const std::array<double, 8>& info) { sdkInfo_ = info; }

    // Calls visit for every stored value that differs from a fresh chart, in
    // an order that rebuilds the chart when the calls are replayed as writes
    // (counts first, selectors and ThisSet before the values they address).
    void ForEachStored(const std::function<void(const PropertyInfo&, std::optional<int>,
                                                const PropertyValue&)>& visit) const;

    // Clears the data of every set (what writing DataReset does).
    void ResetData();

private:
    enum class Form { Scalar, Selected, PerPoint, PerSet, PointLabel, Fixed };
    struct Column {
        std::vector<PropertyValue> values; // lazily grown, default when absent
        std::vector<bool> written;
    };
    struct Slot {
        Form form = Form::Scalar;
        int fixedSize = 0;
        int selector = -1;                 // property id of the selector for Form::Selected
        std::vector<PropertyValue> scalar; // one value, or one per selection
        Column column;
    };

    int Id(const char* name) const;
    int Id(const PropertyInfo& p) const;
    int SlotSize(const Slot& s) const;
    int Selection(const Slot& s) const;
    PropertyValue DefaultOf(int id, int index) const;
    const PropertyValue& CellOf(int id, int flatIndex, PropertyValue& scratch) const;
    int FlatIndex(const Slot& s, int id, std::optional<int> index) const;
    void Resize(int sets, int points);
    void CheckValue(int id, const PropertyValue& value) const;
    void ApplySideEffects(int id, const PropertyValue& value);

    std::vector<Slot> slots_;
    int numSets_ = 1;
    int numPoints_ = 5;
    std::array<double, 8> sdkInfo_{};
};

} // namespace korva::plot
