#include "griddata.h"

namespace korva {

namespace {

// The first index whose running edge, starting at start, lies strictly beyond
// coordinate; the last index and false when there is none.
bool FindAlong(const std::vector<double>& spacings, double start, double coordinate, int& index) {
    double edge = start;
    for (std::size_t i = 0; i < spacings.size(); ++i) {
        edge += spacings[i];
        if (coordinate < edge) {
            index = static_cast<int>(i);
            return true;
        }
    }
    index = spacings.empty() ? 0 : static_cast<int>(spacings.size()) - 1;
    return false;
}

} // namespace

bool GridData::LocateCell(double x, double y, double z, int& layer, int& row, int& col) const {
    const bool rowFound =
        FindAlong(data_.rowSpacing, -TotalExtent(RowDimension, false) / 2.0, y, row);
    const bool colFound =
        FindAlong(data_.columnSpacing, -TotalExtent(ColumnDimension, false) / 2.0, x, col);
    // Layers run downwards from the top at +D/2, so the lower edges fall.
    bool layerFound = false;
    double edge = TotalExtent(LayerDimension, true) * data_.ZExaggeration / 2.0;
    layer = NumLayers() - 1;
    for (int k = 0; k < NumLayers(); ++k) {
        edge -= data_.layerSpacing[static_cast<std::size_t>(k)] / 100.0 * data_.ZExaggeration;
        if (z > edge) {
            layer = k;
            layerFound = true;
            break;
        }
    }
    if (layer < 0) layer = 0;
    return rowFound && colFound && layerFound;
}

int GridData::LayerOfDepth(double depthCm) const {
    int layer = 0;
    FindAlong(data_.layerSpacing, 0.0, depthCm, layer);
    return layer;
}

int GridData::LayerOfHeight(double heightCm) const {
    double edge = 0.0;
    for (int k = NumLayers() - 1; k >= 0; --k) {
        edge += data_.layerSpacing[static_cast<std::size_t>(k)];
        if (heightCm < edge) return k;
    }
    return 0;
}

} // namespace korva
