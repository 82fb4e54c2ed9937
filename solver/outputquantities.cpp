#include "outputquantities.h"

#include "model/outputselection.h"
#include "model/parameterdata.h"

#include <algorithm>
#include <cmath>

namespace korva {

namespace {

const char* const QuantityNames[OutputParamCount] = {
    "MC MOISTURE CONTENT",      "SN SOIL SATURATION",      "US SALT CONCENTRATION",
    "HC CAPILLARY PRESSURE",    "HD HYDRAULIC HEAD",       "SK PLANT UPTAKE",
    "FL VERTICAL FLUX",         "QX FLOW ALONG X",         "QY FLOW ALONG Y",
    "WE WATER TABLE ELEVATION", "DW DEPTH TO WATER TABLE", "RY RELATIVE YIELD",
    "RG ROOT GROWTH",           "SWT SALT AT WATER TABLE",
};

double CellValue(const SolverModel& m, const SolverState& st, int code, int l, int r, int c) {
    const int cell = m.CellIndex(l, r, c);
    const CellSoil& s = m.soil[cell];
    if (!s.active) return NoDataValue;
    const double volume = m.Volume(l, r, c);
    const double theta = st.water[cell] / volume;
    switch (code) {
    case 0:
        return theta;
    case 1:
        return theta / s.porosity;
    case 2:
        return st.water[cell] > 1e-12 ? st.salt[cell] / st.water[cell] : 0.0;
    case 3:
    case 4: {
        const double centre = m.layerBase[l] + 0.5 * m.dz[l];
        const double table = WaterTableElevation(m, st, r, c);
        double head = 0; // cm of pressure
        if (table > centre) {
            head = (table - centre) * 100.0;
        } else {
            // Brooks and Corey: suction grows as the soil dries.
            const double se =
                std::clamp((theta - s.residual) / (s.porosity - s.residual), 0.01, 1.0);
            head = -s.bubblingHead * std::pow(se, -1.0 / s.poreSizeIndex);
        }
        return code == 3 ? head : centre + head / 100.0;
    }
    case 5:
        return st.uptake[cell] / volume;
    case 6:
        return st.verticalFlux[cell] / m.Area(r, c) * 100.0;
    case 7:
        return st.flowX[cell];
    case 8:
        return st.flowY[cell];
    default:
        return NoDataValue;
    }
}

double SurfaceValue(const SolverModel& m, const SolverState& st, int code, int r, int c) {
    const double table = WaterTableElevation(m, st, r, c);
    if (table < 0) return NoDataValue;
    const int col = m.ColumnIndex(r, c);
    switch (code) {
    case 9:
        return table;
    case 10:
        return m.groundElevation[col] - table;
    case 11: {
        const double y = RelativeYield(m, st, r, c);
        return y < 0 ? NoDataValue : y;
    }
    case 12:
        return st.rootDepth[col];
    case 13: {
        // The cell holding the water table, else the lowest active one.
        int at = -1;
        for (int l = m.layers - 1; l >= 0; --l) {
            if (!m.soil[m.CellIndex(l, r, c)].active) continue;
            if (at < 0 || m.layerBase[l] <= table) at = l;
        }
        const int cell = m.CellIndex(at, r, c);
        return st.water[cell] > 1e-12 ? st.salt[cell] / st.water[cell] : 0.0;
    }
    default:
        return NoDataValue;
    }
}

} // namespace

const char* OutputQuantityName(int code) {
    if (code < 0 || code >= OutputParamCount) return nullptr;
    return QuantityNames[code];
}

double OutputValue(const SolverModel& m, const SolverState& st, int code, int layer, int row,
                   int column) {
    if (row < 0 || row >= m.rows || column < 0 || column >= m.columns) return NoDataValue;
    if (IsLayeredOutput(code)) {
        if (layer < 0 || layer >= m.layers) return NoDataValue;
        return CellValue(m, st, code, layer, row, column);
    }
    return SurfaceValue(m, st, code, row, column);
}

double OutputAverage(const SolverModel& m, const SolverState& st, int code) {
    double sum = 0;
    int count = 0;
    const int layers = IsLayeredOutput(code) ? m.layers : 1;
    for (int l = 0; l < layers; ++l) {
        for (int r = 0; r < m.rows; ++r) {
            for (int c = 0; c < m.columns; ++c) {
                const double v = OutputValue(m, st, code, l, r, c);
                if (v == NoDataValue) continue;
                sum += v;
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : NoDataValue;
}

} // namespace korva
