#include "files/inputset/inputsetformat.h"

#include "model/griddata.h"

namespace korva {

const std::vector<int>& InputSetParameterCodes(int modelKind) {
    static const std::vector<int> twoD = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                          11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    static const std::vector<int> threeD = {1,  3,  5,  6,  7,  8,  9,  10, 11,
                                            12, 13, 14, 15, 16, 17, 21, 22};
    return modelKind == 0 ? twoD : threeD;
}

bool InputSetParameterIsSurface(int modelKind, int code) {
    return modelKind == 0 || (code != GridData::HorizontalHydraulicConductivity &&
                              code != GridData::InitialSaltConcentrationOfAquifer &&
                              code != GridData::InitialMoistureContent);
}

int InputSetBoundaryLayers(const GridData& grid, int type) {
    if (grid.ModelKind() == 0 || type == BasinType) return 1;
    return grid.NumLayers();
}

int32_t MembershipAt(const MembershipGrid& cells, int layer, int row, int col) {
    if (layer < 0 || row < 0 || col < 0 || layer >= cells.Layers() || row >= cells.Rows() ||
        col >= cells.Columns())
        return 0;
    return cells.Get(layer, row, col);
}

std::array<int, 3> RootExtractionLastLine(int method) {
    switch (method) {
    case HILLEL:
        return {4, 2, 3};
    case VS2DT:
        return {2, -1, -1};
    case FEDDES:
        return {1, -1, -1};
    case GARDNER:
        return {4, 2, 3};
    case WHISLER:
        return {2, 0, 1};
    case HERKELRATH:
        return {3, 1, 2};
    default:
        return {-1, -1, -1};
    }
}

} // namespace korva
