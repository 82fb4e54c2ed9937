#include "boundarydata.h"

namespace korva {

const char* BoundaryTypeName(int type) {
    static constexpr const char* names[BoundaryTypeCount] = {
        "Natural Boundary", "Drain", "Collector", "Basin", "No Flow", "Inactive"};
    if (type < 0 || type >= BoundaryTypeCount) return nullptr;
    return names[type];
}

int BoundaryTypeFromName(const std::string& name) {
    for (int type = 0; type < BoundaryTypeCount; ++type)
        if (name == BoundaryTypeName(type)) return type;
    return -1;
}

void BoundaryTypeData::ResizeLists(int n) {
    const auto size = static_cast<std::size_t>(n < 0 ? 0 : n);
    names.resize(size);
    red.resize(size, 0.0);
    green.resize(size, 0.0);
    blue.resize(size, 0.0);
    displayed.resize(size, 1);
    collectorIndex.resize(size, -1);
    flux.resize(size, 0.0);
    waterQuality.resize(size, 0.0);
}

} // namespace korva
