#include "chartmodel.h"

#include "chartcodes.h"
#include "charterrors.h"
#include "datelabels.h"

#include <cstring>
#include <map>
#include <string_view>
#include <unordered_map>

namespace korva::plot {

namespace {

struct IndexedForm {
    const char* name;
    int form; // 0 per point, 1 per set, 2 point label, 3 fixed
    int fixedSize;
};

constexpr IndexedForm kIndexedForms[] = {
    {"Data", 0, 0},
    {"XPos", 0, 0},
    {"ZPos", 0, 0},
    {"OverlayData", 0, 0},
    {"OverlayXPos", 0, 0},
    {"EBarXPosPlus", 0, 0},
    {"EBarXPosMinus", 0, 0},
    {"EBarDataPlus", 0, 0},
    {"EBarDataMinus", 0, 0},
    {"DataLabel", 0, 0},
    {"MapRefString", 0, 0},
    {"Extra", 0, 0},
    {"OverlayExtra", 0, 0},
    {"Color", 1, 0},
    {"Legend", 1, 0},
    {"Pattern", 1, 0},
    {"Symbol", 1, 0},
    {"TrendSet", 1, 0},
    {"XPosField", 1, 0},
    {"DataField", 1, 0},
    {"Label", 2, 0},
    {"SDKInfo", 3, 8},
    {"FName", 3, kFontSlots},
    {"FStyle", 3, kFontSlots},
    {"FSize", 3, kFontSlots},
    {"FSizeEx", 3, kFontSlots},
    {"EnhFontBehavior", 3, kFontSlots},
    {"YLabel", 3, 256},
    {"ZLabel", 3, 256},
};

// Scalars that hold one value per element chosen by a selector property.
struct SelectedForm {
    const char* name;
    const char* selector;
};

constexpr SelectedForm kSelectedForms[] = {
    {"YAxisMin", "YAxisUse"},        {"YAxisMax", "YAxisUse"},
    {"YAxisStyle", "YAxisUse"},      {"YAxisTicks", "YAxisUse"},
    {"YAxisPos", "YAxisUse"},        {"YAxisMinorTicks", "YAxisUse"},
    {"Background", "BackgroundUse"}, {"Foreground", "ForegroundUse"},
};

// Allowed range of the selectors.
int SelectorCount(std::string_view selector) {
    if (selector == "YAxisUse") return 2;
    if (selector == "BackgroundUse") return 3;
    return 2; // ForegroundUse
}

// Scalar defaults that differ from zero or empty text.
const std::map<std::string_view, double>& NumericDefaults() {
    static const std::map<std::string_view, double> d = {
        {"NumSets", 1},
        {"NumPoints", 5},
        {"GraphType", kGraphLine},
        {"Width", 640},
        {"Height", 480},
        {"Background", kColorWhite},
        {"Foreground", kColorBlack},
        {"LegendPos", kLegendRight},
        {"MapFormat", kMapClient},
        {"LabelEvery", 1},
        {"TickEvery", 1},
        {"Labels", 1},
        {"SymbolSize", 7},
        {"LeftTitleStyle", 1},
        {"RightTitleStyle", 1},
        {"OverlayGraphType", kGraphLine},
        {"OverlayColor", kColorLightRed},
        {"Ticks", 1},
        {"Bar2dGap", 20},
        {"LegendSize", 1},
        {"Palette", 0},
    };
    return d;
}

} // namespace

ChartModel::ChartModel() {
    const auto& table = Properties();
    slots_.resize(table.size());
    for (size_t id = 0; id < table.size(); ++id) {
        Slot& s = slots_[id];
        std::string_view name = table[id].name;
        for (const auto& f : kIndexedForms)
            if (name == f.name) {
                s.form = f.form == 0   ? Form::PerPoint
                         : f.form == 1 ? Form::PerSet
                         : f.form == 2 ? Form::PointLabel
                                       : Form::Fixed;
                s.fixedSize = f.fixedSize;
            }
        for (const auto& f : kSelectedForms)
            if (name == f.name) {
                s.form = Form::Selected;
                s.selector = Id(f.selector);
            }
        if (!table[id].indexed) {
            int count = s.form == Form::Selected ? SelectorCount(table[s.selector].name) : 1;
            for (int i = 0; i < count; ++i)
                s.scalar.push_back(DefaultOf(static_cast<int>(id), i));
        }
    }
    // The grid lines' own foreground is light grey, not the text colour.
    slots_[Id("Foreground")].scalar[kForegroundGrid] = int16_t{kColorLightGray};
    slots_[Id("CtlVersion")].scalar[0] = std::string("KORVA chart engine 1.0");
}

int ChartModel::Id(const PropertyInfo& p) const {
    return static_cast<int>(&p - Properties().data());
}

int ChartModel::Id(const char* name) const {
    // The renderer asks by name for every point, so names resolve through a
    // table built once rather than a scan of the property list.
    static const std::unordered_map<std::string_view, int> ids = [] {
        std::unordered_map<std::string_view, int> m;
        const auto& table = Properties();
        for (size_t i = 0; i < table.size(); ++i)
            m.emplace(table[i].name, static_cast<int>(i));
        return m;
    }();
    auto it = ids.find(name);
    if (it != ids.end()) return it->second;
    const PropertyInfo* p = FindProperty(name);
    if (!p) throw ChartError(kErrUnknownMember, std::string("No chart property ") + name);
    return Id(*p);
}

PropertyValue ChartModel::DefaultOf(int id, int index) const {
    const PropertyInfo& p = Properties()[id];
    std::string_view name = p.name;
    double number = 0;
    if (auto it = NumericDefaults().find(name); it != NumericDefaults().end()) number = it->second;
    if (name == "Color") number = DefaultSetColor(index);
    if (name == "Symbol") number = index % kSymbolCount;
    if (name == "FSize") number = DefaultFontSize(index);
    if (name == "FName") return std::string(kDefaultFontName);
    if (p.type == PropertyType::Text) return std::string();
    return ConvertToType(number, p.type);
}

int ChartModel::PerSetCount() const {
    return std::max(2 * numSets_, numPoints_);
}

int ChartModel::SlotSize(const Slot& s) const {
    switch (s.form) {
    case Form::PerPoint:
        return numPoints_;
    case Form::PerSet:
        return PerSetCount();
    case Form::PointLabel:
        return numPoints_;
    case Form::Fixed:
        return s.fixedSize;
    default:
        return 1;
    }
}

int ChartModel::Selection(const Slot& s) const {
    if (s.form != Form::Selected) return 0;
    return std::get<int16_t>(slots_[s.selector].scalar[0]);
}

int ChartModel::FlatIndex(const Slot& s, int id, std::optional<int> index) const {
    const char* name = Properties()[id].name;
    if (!index)
        throw ChartError(kErrInvalidValue, std::string("Property ") + name + " needs an index");
    int size = SlotSize(s);
    if (*index < 0 || *index >= size)
        throw ChartError(kErrSubscript, std::string("Subscript out of range: ") + name + "(" +
                                            std::to_string(*index) + "), valid 0 to " +
                                            std::to_string(size - 1));
    if (s.form == Form::PerPoint) {
        int set = std::get<int16_t>(slots_[Id("ThisSet")].scalar[0]);
        return set * numPoints_ + *index;
    }
    return *index;
}

const PropertyValue& ChartModel::CellOf(int id, int flat, PropertyValue& scratch) const {
    const Slot& s = slots_[id];
    if (flat < static_cast<int>(s.column.values.size())) return s.column.values[flat];
    int defaultIndex = s.form == Form::PerPoint ? flat % numPoints_ : flat;
    scratch = DefaultOf(id, defaultIndex);
    return scratch;
}

PropertyValue ChartModel::Get(const PropertyInfo& p, std::optional<int> index) const {
    int id = Id(p);
    const Slot& s = slots_[id];
    if (!p.indexed) {
        if (index && *index != 0)
            throw ChartError(kErrInvalidValue,
                             std::string("Property ") + p.name + " takes no index");
        return s.scalar[Selection(s)];
    }
    int flat = FlatIndex(s, id, index);
    if (std::string_view(p.name) == "SDKInfo") return sdkInfo_[flat];
    PropertyValue scratch;
    return CellOf(id, flat, scratch);
}

void ChartModel::CheckValue(int id, const PropertyValue& value) const {
    std::string_view name = Properties()[id].name;
    auto bad = [&](const std::string& why) {
        throw ChartError(kErrInvalidValue, "Invalid property value: " + std::string(name) + " = " +
                                               ValueText(value) + " (" + why + ")");
    };
    auto number = [&]() -> int {
        if (const auto* i = std::get_if<int16_t>(&value)) return *i;
        return 0;
    };
    if (name == "NumSets" && (number() < 1 || number() > kMaxSets ||
                              static_cast<long>(number()) * numPoints_ > kMaxCells))
        bad("1 to " + std::to_string(kMaxSets) + " sets, at most " + std::to_string(kMaxCells) +
            " points in all");
    if (name == "NumPoints" && (number() < 1 || static_cast<long>(number()) * numSets_ > kMaxCells))
        bad("at least 1 point, at most " + std::to_string(kMaxCells) + " points in all");
    if (name == "ThisSet" && (number() < 0 || number() >= numSets_))
        bad("sets are 0 to " + std::to_string(numSets_ - 1));
    if ((name == "Width" || name == "Height") && (number() < 1 || number() > kMaxImageSide))
        bad("1 to " + std::to_string(kMaxImageSide) + " pixels");
    if ((name == "Color" || name == "Background" || name == "Foreground" ||
         name == "OverlayColor") &&
        (number() < 0 || number() >= kPaletteSize))
        bad("colours are 0 to 15");
    if (name == "YAxisUse" || name == "BackgroundUse" || name == "ForegroundUse") {
        int count = SelectorCount(name);
        if (number() < 0 || number() >= count) bad("0 to " + std::to_string(count - 1));
    }
    if ((name == "GraphType" || name == "OverlayGraphType") &&
        (number() < 0 || number() > kGraphTypeLast))
        bad("graph types are 0 to " + std::to_string(kGraphTypeLast));
    if (name == "LegendPos" && (number() < 0 || number() > kLegendPosLast))
        bad("legend positions are 0 to " + std::to_string(kLegendPosLast));
    if (name == "LabelXDateStart" || name == "LabelXDateInc") {
        const auto& text = std::get<std::string>(value);
        if (!IsBlank(text) && !ParseDateFields(text, name == "LabelXDateStart"))
            bad("expected yyyy:mm:dd, optionally followed by :hh:nn:ss");
    }
}

void ChartModel::Set(const PropertyInfo& p, std::optional<int> index, const PropertyValue& value) {
    int id = Id(p);
    if (p.readOnly)
        throw ChartError(kErrReadOnly, std::string("Property ") + p.name + " is read-only");
    CheckValue(id, value);
    Slot& s = slots_[id];
    if (!p.indexed) {
        if (index && *index != 0)
            throw ChartError(kErrInvalidValue,
                             std::string("Property ") + p.name + " takes no index");
        s.scalar[Selection(s)] = value;
        ApplySideEffects(id, value);
        return;
    }
    int flat = FlatIndex(s, id, index);
    auto& col = s.column;
    if (flat >= static_cast<int>(col.values.size())) {
        int size = s.form == Form::PerPoint ? numSets_ * numPoints_ : SlotSize(s);
        int old = static_cast<int>(col.values.size());
        col.values.resize(size);
        col.written.resize(size, false);
        for (int i = old; i < size; ++i)
            col.values[i] = DefaultOf(id, s.form == Form::PerPoint ? i % numPoints_ : i);
    }
    col.values[flat] = value;
    col.written[flat] = true;
}

void ChartModel::ApplySideEffects(int id, const PropertyValue& value) {
    std::string_view name = Properties()[id].name;
    if (name == "NumSets") Resize(std::get<int16_t>(value), numPoints_);
    if (name == "NumPoints") Resize(numSets_, std::get<int16_t>(value));
    if (name == "DataReset") ResetData();
}

void ChartModel::Resize(int sets, int points) {
    for (size_t id = 0; id < slots_.size(); ++id) {
        Slot& s = slots_[id];
        auto& col = s.column;
        if (col.values.empty()) continue;
        if (s.form == Form::PerPoint) {
            // Keep every value at its (set, point); new cells take the default.
            std::vector<PropertyValue> values(static_cast<size_t>(sets) * points);
            std::vector<bool> written(values.size(), false);
            for (int set = 0; set < sets; ++set)
                for (int pt = 0; pt < points; ++pt) {
                    size_t to = static_cast<size_t>(set) * points + pt;
                    if (set < numSets_ && pt < numPoints_) {
                        size_t from = static_cast<size_t>(set) * numPoints_ + pt;
                        values[to] = std::move(col.values[from]);
                        written[to] = col.written[from];
                    } else {
                        values[to] = DefaultOf(static_cast<int>(id), pt);
                    }
                }
            col.values = std::move(values);
            col.written = std::move(written);
        }
    }
    numSets_ = sets;
    numPoints_ = points;
    for (auto& s : slots_) {
        if (s.form == Form::PerPoint || s.column.values.empty()) continue;
        int size = SlotSize(s);
        if (static_cast<int>(s.column.values.size()) > size) {
            s.column.values.resize(size);
            s.column.written.resize(size);
        }
    }
    auto& thisSet = slots_[Id("ThisSet")].scalar[0];
    if (std::get<int16_t>(thisSet) >= numSets_) thisSet = static_cast<int16_t>(numSets_ - 1);
}

void ChartModel::ForEachStored(const std::function<void(const PropertyInfo&, std::optional<int>,
                                                        const PropertyValue&)>& visit) const {
    const auto& table = Properties();
    const PropertyInfo& sets = table[Id("NumSets")];
    const PropertyInfo& points = table[Id("NumPoints")];
    const PropertyInfo& thisSet = table[Id("ThisSet")];
    visit(sets, std::nullopt, slots_[Id("NumSets")].scalar[0]);
    visit(points, std::nullopt, slots_[Id("NumPoints")].scalar[0]);
    for (size_t id = 0; id < table.size(); ++id) {
        const PropertyInfo& p = table[id];
        const Slot& s = slots_[id];
        if (p.readOnly || p.indexed || &p == &sets || &p == &points || &p == &thisSet) continue;
        if (s.form == Form::Selected) continue;
        if (!(s.scalar[0] == DefaultOf(static_cast<int>(id), 0)))
            visit(p, std::nullopt, s.scalar[0]);
    }
    for (size_t id = 0; id < table.size(); ++id) {
        const Slot& s = slots_[id];
        if (s.form != Form::Selected) continue;
        const PropertyInfo& selector = table[s.selector];
        for (size_t k = 0; k < s.scalar.size(); ++k) {
            PropertyValue fresh = DefaultOf(static_cast<int>(id), static_cast<int>(k));
            if (std::string_view(table[id].name) == "Foreground" && k == kForegroundGrid)
                fresh = int16_t{kColorLightGray};
            if (s.scalar[k] == fresh) continue;
            visit(selector, std::nullopt, static_cast<int16_t>(k));
            visit(table[id], std::nullopt, s.scalar[k]);
        }
    }
    for (size_t id = 0; id < table.size(); ++id) {
        const Slot& s = slots_[id];
        if (table[id].readOnly || s.form == Form::PerPoint || !table[id].indexed) continue;
        for (size_t i = 0; i < s.column.values.size(); ++i)
            if (s.column.written[i]) visit(table[id], static_cast<int>(i), s.column.values[i]);
    }
    for (int set = 0; set < numSets_; ++set) {
        bool announced = false;
        for (size_t id = 0; id < table.size(); ++id) {
            const Slot& s = slots_[id];
            if (s.form != Form::PerPoint) continue;
            for (int pt = 0; pt < numPoints_; ++pt) {
                size_t flat = static_cast<size_t>(set) * numPoints_ + pt;
                if (flat >= s.column.written.size() || !s.column.written[flat]) continue;
                if (!announced) visit(thisSet, std::nullopt, static_cast<int16_t>(set));
                announced = true;
                visit(table[id], pt, s.column.values[flat]);
            }
        }
    }
    // Selectors and the current set end as they were.
    for (const char* name : {"YAxisUse", "BackgroundUse", "ForegroundUse", "ThisSet"})
        visit(table[Id(name)], std::nullopt, slots_[Id(name)].scalar[0]);
}

void ChartModel::ResetData() {
    for (auto& s : slots_)
        if (s.form == Form::PerPoint) {
            s.column.values.clear();
            s.column.written.clear();
        }
}

int ChartModel::Int(const char* name) const {
    const Slot& s = slots_[Id(name)];
    return std::get<int16_t>(s.scalar[Selection(s)]);
}

double ChartModel::Dbl(const char* name) const {
    const Slot& s = slots_[Id(name)];
    const auto& v = s.scalar[Selection(s)];
    if (const auto* f = std::get_if<float>(&v)) return *f;
    return std::get<double>(v);
}

const std::string& ChartModel::Txt(const char* name) const {
    return std::get<std::string>(slots_[Id(name)].scalar[0]);
}

int ChartModel::AxisInt(int axis, const char* name) const {
    return std::get<int16_t>(slots_[Id(name)].scalar.at(axis));
}

double ChartModel::AxisDbl(int axis, const char* name) const {
    return std::get<double>(slots_[Id(name)].scalar.at(axis));
}

int ChartModel::BackgroundColor(int slot) const {
    return std::get<int16_t>(slots_[Id("Background")].scalar.at(slot));
}

int ChartModel::ForegroundColor(int slot) const {
    return std::get<int16_t>(slots_[Id("Foreground")].scalar.at(slot));
}

double ChartModel::PointValue(const char* name, int set, int point) const {
    PropertyValue scratch;
    const auto& v = CellOf(Id(name), set * numPoints_ + point, scratch);
    if (const auto* f = std::get_if<float>(&v)) return *f;
    return std::get<double>(v);
}

int ChartModel::PointInt(const char* name, int set, int point) const {
    PropertyValue scratch;
    return std::get<int16_t>(CellOf(Id(name), set * numPoints_ + point, scratch));
}

const std::string& ChartModel::PointText(const char* name, int set, int point) const {
    static const std::string empty;
    const Slot& s = slots_[Id(name)];
    size_t flat = static_cast<size_t>(set) * numPoints_ + point;
    if (flat >= s.column.values.size()) return empty;
    return std::get<std::string>(s.column.values[flat]);
}

bool ChartModel::SetWritten(const char* name, int set) const {
    const auto& written = slots_[Id(name)].column.written;
    size_t first = static_cast<size_t>(set) * numPoints_;
    for (size_t i = first; i < first + numPoints_ && i < written.size(); ++i)
        if (written[i]) return true;
    return false;
}

int ChartModel::SetInt(const char* name, int index) const {
    PropertyValue scratch;
    return std::get<int16_t>(CellOf(Id(name), index, scratch));
}

const std::string& ChartModel::SetText(const char* name, int index) const {
    static const std::string empty;
    const Slot& s = slots_[Id(name)];
    if (index < 0 || index >= static_cast<int>(s.column.values.size())) return empty;
    return std::get<std::string>(s.column.values[index]);
}

bool ChartModel::SetEntryWritten(const char* name, int index) const {
    const auto& written = slots_[Id(name)].column.written;
    return index >= 0 && index < static_cast<int>(written.size()) && written[index];
}

const std::string& ChartModel::ListText(const char* name, int index) const {
    static const std::string fallback(kDefaultFontName);
    const Slot& s = slots_[Id(name)];
    if (index < static_cast<int>(s.column.values.size()))
        return std::get<std::string>(s.column.values[index]);
    return std::string_view(name) == "FName" ? fallback : SetText(name, index);
}

int ChartModel::ListInt(const char* name, int index) const {
    return SetInt(name, index);
}

} // namespace korva::plot
