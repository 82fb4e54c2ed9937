#pragma once
// The six boundary kinds and the record each kind keeps: named boundaries with
// colours and flags. Which boundary holds each cell is kept apart, in the
// kind's MembershipGrid (0 or the 1-based number of the boundary).
#include <cstdint>
#include <string>
#include <vector>

namespace korva {

enum BoundaryTypeEnum : int32_t {
    NaturalBoundaryType = 0,
    DrainType = 1,
    CollectorType = 2,
    BasinType = 3,
    NoFlowType = 4,
    InactiveType = 5,
};
constexpr int BoundaryTypeCount = 6;

// "Natural Boundary", "Drain", "Collector", "Basin", "No Flow", "Inactive".
const char* BoundaryTypeName(int type); // nullptr outside 0..5
// The kind whose display name is name, or -1.
int BoundaryTypeFromName(const std::string& name);

struct BoundaryTypeData {
    BoundaryTypeEnum type = NaturalBoundaryType;
    std::vector<std::string> names;
    std::vector<double> red, green, blue;
    std::vector<int32_t> displayed;      // nonzero: shown in the 3D view
    std::vector<int32_t> collectorIndex; // drains only: collector index or -1
    std::vector<double> flux;            // natural boundaries only
    std::vector<double> waterQuality;    // natural boundaries only

    int Count() const { return static_cast<int>(names.size()); }
    // Sizes every per-boundary list to n; new entries are black, displayed,
    // with no collector and zero flux and quality.
    void ResizeLists(int n);
    bool operator==(const BoundaryTypeData&) const = default;
};

} // namespace korva
