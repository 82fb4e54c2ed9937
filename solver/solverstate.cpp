// The daily water and salt balance of the field. Every transfer moves an
// amount of water from one store to another (or across the field's edge,
// where the balance books it), so water and salt are conserved to rounding.
#include "solverstate.h"

#include "model/simulationsettings.h"

#include <algorithm>
#include <cmath>

namespace korva {

namespace {

// Vertical movement is taken in this many steps a day, so water can cross
// several thin layers in a day.
constexpr int PercolationStepsPerDay = 4;
// A drain or collector takes this share of the free water of its cell a day.
constexpr double DrainRemovalFraction = 0.5;
// Evaporation from bare soil relative to the reference ET.
constexpr double BareSoilCoefficient = 0.2;
// Lateral flow between two columns may close at most this share of their
// water-table difference a day; with four neighbours a column can then not
// overshoot.
constexpr double LateralLimitFraction = 0.25;
// Below this a store counts as empty.
constexpr double Tiny = 1e-12;

const std::array<double, 5> SalinityYieldFactors = {1.0, 0.9, 0.75, 0.5, 0.25};

double FaceConductivity(int method, double from, double to) {
    switch (method) {
    case ARITHMETIC_MEAN:
        return 0.5 * (from + to);
    case HARMONIC_MEAN:
        return from + to > 0 ? 2 * from * to / (from + to) : 0.0;
    case GEOMETRIC_MEAN:
        return std::sqrt(from * to);
    default: // upstream weighting: the conductivity of the cell the water leaves
        return from;
    }
}

double Concentration(double salt, double water) {
    return water > Tiny ? salt / water : 0.0;
}

int TopActiveLayer(const SolverModel& m, int r, int c) {
    for (int l = 0; l < m.layers; ++l) {
        if (m.soil[m.CellIndex(l, r, c)].active) return l;
    }
    return -1;
}

struct Transfer {
    const SolverModel& model;
    SolverState& state;

    double FreeWater(int cell) const {
        const CellSoil& s = model.soil[cell];
        return state.water[cell] - s.fieldCapacity * CellVolume(cell);
    }
    double Room(int cell) const {
        return model.soil[cell].porosity * CellVolume(cell) - state.water[cell];
    }
    double CellVolume(int cell) const {
        const int c = cell % model.columns;
        const int r = (cell / model.columns) % model.rows;
        const int l = cell / (model.columns * model.rows);
        return model.Volume(l, r, c);
    }
    // Moves amount of water from one cell to another with the salt it
    // carries; efficiency is the share of the cell's concentration it takes.
    void Move(int from, int to, double amount, double efficiency) {
        if (amount <= 0) return;
        double carried = 0;
        if (model.saltTransport) {
            carried =
                std::min(state.salt[from],
                         amount * Concentration(state.salt[from], state.water[from]) * efficiency);
            state.salt[from] -= carried;
            state.salt[to] += carried;
        }
        state.water[from] -= amount;
        state.water[to] += amount;
    }
    // Takes amount of water out of the field from cell; returns the salt taken.
    double Remove(int cell, double amount) {
        double carried = 0;
        if (model.saltTransport) {
            carried = std::min(state.salt[cell],
                               amount * Concentration(state.salt[cell], state.water[cell]));
            state.salt[cell] -= carried;
        }
        state.water[cell] -= amount;
        return carried;
    }
};

void ApplyIrrigation(const SolverModel& m, SolverState& st, int day, DayBalance& balance) {
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.columns; ++c) {
            const int col = m.ColumnIndex(r, c);
            const int b = m.basin[col];
            if (b <= 0 || b > static_cast<int>(m.irrigation.size())) continue;
            if (TopActiveLayer(m, r, c) < 0) continue;
            for (const IrrigationEvent& event : m.irrigation[b - 1]) {
                if (event.day != day) continue;
                const double volume = event.depth * m.irrigationWeight[col] * m.Area(r, c);
                const double salt = m.saltTransport ? volume * event.saltConcentration : 0.0;
                st.pondWater[col] += volume;
                st.pondSalt[col] += salt;
                balance.irrigation += volume;
                balance.saltIrrigation += salt;
            }
        }
    }
}

// Ponded water soaks into the top cell; free water above field capacity
// sinks, limited by the conductivity between the cells and the room below.
void Percolate(const SolverModel& m, SolverState& st, double dt) {
    Transfer t{m, st};
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.columns; ++c) {
            const int col = m.ColumnIndex(r, c);
            const int top = TopActiveLayer(m, r, c);
            if (top < 0) continue;
            const double area = m.Area(r, c);
            const int topCell = m.CellIndex(top, r, c);
            if (st.pondWater[col] > Tiny) {
                const double q = std::min(
                    {st.pondWater[col], t.Room(topCell), m.soil[topCell].kVertical * area * dt});
                if (q > 0) {
                    const double salt = std::min(
                        st.pondSalt[col], q * Concentration(st.pondSalt[col], st.pondWater[col]));
                    st.pondWater[col] -= q;
                    st.pondSalt[col] -= salt;
                    st.water[topCell] += q;
                    st.salt[topCell] += salt;
                }
            }
            // Bottom up, so each cell has made room before the one above drains into it.
            for (int l = m.layers - 2; l >= top; --l) {
                const int from = m.CellIndex(l, r, c);
                const int to = m.CellIndex(l + 1, r, c);
                if (!m.soil[from].active || !m.soil[to].active) continue;
                const double free = t.FreeWater(from);
                if (free <= Tiny) continue;
                const CellSoil& s = m.soil[from];
                const double drainable = (s.porosity - s.fieldCapacity) * t.CellVolume(from);
                const double wetness = drainable > 0 ? std::min(1.0, free / drainable) : 1.0;
                const double k = FaceConductivity(m.kWeighting, s.kVertical, m.soil[to].kVertical);
                const double q = std::min({free, t.Room(to), k * area * dt * wetness});
                if (q <= 0) continue;
                t.Move(from, to, q, m.leachingEfficiency[col]);
                st.verticalFlux[from] += q;
            }
        }
    }
}

// Groundwater flows between neighbouring columns from the higher to the lower
// water table (Dupuit), layer by layer through the saturated part of each layer.
void LateralFlow(const SolverModel& m, SolverState& st) {
    Transfer t{m, st};
    std::vector<double> table(m.ColumnCount());
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.columns; ++c)
            table[m.ColumnIndex(r, c)] = WaterTableElevation(m, st, r, c);

    auto exchange = [&](int r1, int c1, int r2, int c2, bool alongX) {
        const double h1 = table[m.ColumnIndex(r1, c1)];
        const double h2 = table[m.ColumnIndex(r2, c2)];
        if (h1 < 0 || h2 < 0 || std::fabs(h1 - h2) < 1e-9) return;
        const bool forward = h1 > h2; // water moves from (r1, c1) to (r2, c2)
        const int rs = forward ? r1 : r2, cs = forward ? c1 : c2;
        const int rd = forward ? r2 : r1, cd = forward ? c2 : c1;
        const double high = std::max(h1, h2), low = std::min(h1, h2);
        const double distance = alongX ? 0.5 * (m.dx[c1] + m.dx[c2]) : 0.5 * (m.dy[r1] + m.dy[r2]);
        const double width = alongX ? m.dy[r1] : m.dx[c1];

        std::vector<double> q(m.layers, 0.0);
        double total = 0;
        double specificYield = 0;
        for (int l = 0; l < m.layers; ++l) {
            const int from = m.CellIndex(l, rs, cs);
            const int to = m.CellIndex(l, rd, cd);
            if (!m.soil[from].active || !m.soil[to].active) continue;
            const double sFrom = std::clamp(high - m.layerBase[l], 0.0, m.dz[l]);
            const double sTo = std::clamp(low - m.layerBase[l], 0.0, m.dz[l]);
            if (sFrom <= 0) continue;
            const double k =
                FaceConductivity(m.kWeighting, m.soil[from].kHorizontal, m.soil[to].kHorizontal);
            q[l] = k * 0.5 * (sFrom + sTo) * width * (high - low) / distance;
            total += q[l];
            specificYield =
                std::max(specificYield, m.soil[from].porosity - m.soil[from].fieldCapacity);
        }
        if (total <= 0) return;
        const double a1 = m.Area(rs, cs), a2 = m.Area(rd, cd);
        const double limit =
            LateralLimitFraction * (high - low) * specificYield * a1 * a2 / (a1 + a2);
        const double scale = total > limit ? limit / total : 1.0;
        for (int l = m.layers - 1; l >= 0; --l) {
            if (q[l] <= 0) continue;
            const int from = m.CellIndex(l, rs, cs);
            double amount = std::min(q[l] * scale, std::max(0.0, t.FreeWater(from)));
            double moved = 0;
            // What the receiving cell cannot hold rises to the cells above it.
            for (int k = l; k >= 0 && amount > Tiny; --k) {
                const int to = m.CellIndex(k, rd, cd);
                if (!m.soil[to].active) break;
                const double part = std::min(amount, std::max(0.0, t.Room(to)));
                t.Move(from, to, part, 1.0);
                amount -= part;
                moved += part;
            }
            // Booked on the face of the lower-numbered cell, positive along the axis.
            const int faceCell = m.CellIndex(l, r1, c1);
            (alongX ? st.flowX : st.flowY)[faceCell] += forward ? moved : -moved;
        }
    };
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.columns; ++c) {
            if (c + 1 < m.columns) exchange(r, c, r, c + 1, true);
            if (r + 1 < m.rows) exchange(r, c, r + 1, c, false);
        }
    }
}

void DrainsAndBoundaries(const SolverModel& m, SolverState& st, DayBalance& balance) {
    Transfer t{m, st};
    for (int cell = 0; cell < m.CellCount(); ++cell) {
        if (!m.soil[cell].active) continue;
        if (m.drainCell[cell] != 0) {
            const double free = t.FreeWater(cell);
            if (free > Tiny) {
                const double q = DrainRemovalFraction * free;
                balance.saltDrainage += t.Remove(cell, q);
                balance.drainage += q;
            }
        }
        const int natural = m.naturalBoundary[cell];
        if (natural > 0) {
            const int c = cell % m.columns;
            const int r = (cell / m.columns) % m.rows;
            const double volume = m.naturalFlux[natural - 1] * m.Area(r, c);
            if (volume > 0) {
                const double q = std::min(volume, std::max(0.0, t.Room(cell)));
                const double salt = m.saltTransport ? q * m.naturalQuality[natural - 1] : 0.0;
                st.water[cell] += q;
                st.salt[cell] += salt;
                balance.boundaryInflow += q;
                balance.saltBoundaryInflow += salt;
            } else if (volume < 0) {
                const double q = std::min(-volume, std::max(0.0, t.FreeWater(cell)));
                if (q > 0) {
                    balance.saltBoundaryOutflow += t.Remove(cell, q);
                    balance.boundaryOutflow += q;
                }
            }
        }
    }
}

// The crop's coefficient, growth stage (0..3, -1 outside the season) and root
// depth on day.
struct CropDay {
    int stage = -1;
    double coefficient = BareSoilCoefficient;
    double rootDepth = 0;
};

CropDay CropOnDay(const ColumnCrop& crop, int day) {
    CropDay result;
    if (!crop.present || day < crop.planting || day > crop.harvest) return result;
    const auto ramp = [](double from, double to, double a, double b, double d) {
        return b > a ? from + (to - from) * std::clamp((d - a) / (b - a), 0.0, 1.0) : to;
    };
    const auto& k = crop.coefficient;
    if (day < crop.stageEnd[0]) {
        result.stage = 0;
        result.coefficient = k[0];
    } else if (day < crop.stageEnd[1]) {
        result.stage = 1;
        result.coefficient = ramp(k[0], k[1], crop.stageEnd[0], crop.stageEnd[1], day);
    } else if (day < crop.stageEnd[2]) {
        result.stage = 2;
        result.coefficient = k[1];
    } else {
        result.stage = 3;
        result.coefficient = ramp(k[1], k[2], crop.stageEnd[2], crop.harvest, day);
    }
    // Roots grow from their initial to their full depth by the end of stage 2.
    result.rootDepth =
        ramp(crop.initialRootDepth, crop.maxRootDepth, crop.planting, crop.stageEnd[1], day);
    return result;
}

void Evapotranspiration(const SolverModel& m, SolverState& st, int day, DayBalance& balance) {
    const double reference = m.PotentialET(day) / 100.0; // m
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.columns; ++c) {
            const int col = m.ColumnIndex(r, c);
            const int top = TopActiveLayer(m, r, c);
            if (top < 0) continue;
            const CropDay cropDay = CropOnDay(m.crop[col], day);
            st.rootDepth[col] = cropDay.rootDepth;
            const double demand = cropDay.coefficient * reference * m.Area(r, c);

            // Standing water goes first; the salt it held stays in the soil.
            double actual = std::min(demand, st.pondWater[col]);
            st.pondWater[col] -= actual;
            if (st.pondWater[col] <= Tiny) {
                const int topCell = m.CellIndex(top, r, c);
                st.water[topCell] += st.pondWater[col];
                st.salt[topCell] += st.pondSalt[col];
                st.pondWater[col] = 0;
                st.pondSalt[col] = 0;
            }

            // The rest from the root zone (bare soil: the top cell), each cell in
            // proportion to the roots in it and to how far it is above wilting.
            const double surface = m.layerBase[top] + m.dz[top];
            const double zone = cropDay.stage >= 0 ? std::max(cropDay.rootDepth, 1e-3) : m.dz[top];
            const double remaining = demand - actual;
            double weightedSalinity = 0;
            for (int l = top; l < m.layers; ++l) {
                const int cell = m.CellIndex(l, r, c);
                if (!m.soil[cell].active) break;
                const double depthTop = surface - (m.layerBase[l] + m.dz[l]);
                const double depthBottom = surface - m.layerBase[l];
                const double overlap =
                    std::max(0.0, std::min(depthBottom, zone) - std::max(depthTop, 0.0));
                if (overlap <= 0) break;
                const CellSoil& s = m.soil[cell];
                const double volume = m.Volume(l, r, c);
                const double theta = st.water[cell] / volume;
                const double available = std::clamp(
                    (theta - s.wiltingPoint) / (s.fieldCapacity - s.wiltingPoint), 0.0, 1.0);
                const double u = std::min(remaining * overlap / zone * available,
                                          std::max(0.0, st.water[cell] - s.wiltingPoint * volume));
                if (u > 0) {
                    st.water[cell] -= u;
                    st.uptake[cell] += u;
                    actual += u;
                }
                weightedSalinity += overlap / zone * Concentration(st.salt[cell], st.water[cell]);
            }
            balance.evapotranspiration += actual;
            if (cropDay.stage >= 0) {
                st.cropDemand[col][cropDay.stage] += demand;
                st.cropActual[col][cropDay.stage] += actual;
                st.rootSalinitySum[col] += weightedSalinity;
                st.rootSalinityDays[col] += 1;
            }
        }
    }
}

double SalinityFactor(const std::array<double, 5>& bounds, double salinity) {
    if (bounds[0] <= 0 && bounds[4] <= 0) return 1.0; // no salinity data: no effect
    if (salinity <= bounds[0]) return 1.0;
    for (int k = 0; k < 4; ++k) {
        if (salinity <= bounds[k + 1]) {
            const double span = bounds[k + 1] - bounds[k];
            const double f = span > 0 ? (salinity - bounds[k]) / span : 1.0;
            return SalinityYieldFactors[k] +
                   f * (SalinityYieldFactors[k + 1] - SalinityYieldFactors[k]);
        }
    }
    return SalinityYieldFactors[4];
}

} // namespace

void DayBalance::Add(const DayBalance& o) {
    irrigation += o.irrigation;
    boundaryInflow += o.boundaryInflow;
    evapotranspiration += o.evapotranspiration;
    drainage += o.drainage;
    boundaryOutflow += o.boundaryOutflow;
    saltIrrigation += o.saltIrrigation;
    saltBoundaryInflow += o.saltBoundaryInflow;
    saltDrainage += o.saltDrainage;
    saltBoundaryOutflow += o.saltBoundaryOutflow;
}

SolverState::SolverState(const SolverModel& m) {
    day = m.firstDay;
    const int cells = m.CellCount();
    water.assign(cells, 0.0);
    salt.assign(cells, 0.0);
    for (int l = 0; l < m.layers; ++l) {
        for (int r = 0; r < m.rows; ++r) {
            for (int c = 0; c < m.columns; ++c) {
                const int cell = m.CellIndex(l, r, c);
                if (!m.soil[cell].active) continue;
                water[cell] = m.initialWater[cell] * m.Volume(l, r, c);
                salt[cell] = water[cell] * m.initialConcentration[cell];
            }
        }
    }
    pondWater.assign(m.ColumnCount(), 0.0);
    pondSalt.assign(m.ColumnCount(), 0.0);
    verticalFlux.assign(cells, 0.0);
    flowX.assign(cells, 0.0);
    flowY.assign(cells, 0.0);
    uptake.assign(cells, 0.0);
    rootDepth.assign(m.ColumnCount(), 0.0);
    cropDemand.assign(m.ColumnCount(), {0, 0, 0, 0});
    cropActual.assign(m.ColumnCount(), {0, 0, 0, 0});
    rootSalinitySum.assign(m.ColumnCount(), 0.0);
    rootSalinityDays.assign(m.ColumnCount(), 0);
    for (int col = 0; col < m.ColumnCount(); ++col) {
        const CropDay cropDay = CropOnDay(m.crop[col], day);
        rootDepth[col] = cropDay.rootDepth;
    }
}

double SolverState::StoredWater() const {
    double total = 0;
    for (double w : water)
        total += w;
    for (double w : pondWater)
        total += w;
    return total;
}

double SolverState::StoredSalt() const {
    double total = 0;
    for (double s : salt)
        total += s;
    for (double s : pondSalt)
        total += s;
    return total;
}

DayBalance StepDay(const SolverModel& m, SolverState& st) {
    DayBalance balance;
    std::fill(st.verticalFlux.begin(), st.verticalFlux.end(), 0.0);
    std::fill(st.flowX.begin(), st.flowX.end(), 0.0);
    std::fill(st.flowY.begin(), st.flowY.end(), 0.0);
    std::fill(st.uptake.begin(), st.uptake.end(), 0.0);
    ApplyIrrigation(m, st, st.day, balance);
    for (int k = 0; k < PercolationStepsPerDay; ++k)
        Percolate(m, st, 1.0 / PercolationStepsPerDay);
    LateralFlow(m, st);
    DrainsAndBoundaries(m, st, balance);
    Evapotranspiration(m, st, st.day, balance);
    ++st.day;
    return balance;
}

double WaterTableElevation(const SolverModel& m, const SolverState& st, int r, int c) {
    int l = m.layers - 1;
    while (l >= 0 && !m.soil[m.CellIndex(l, r, c)].active)
        --l;
    if (l < 0) return -1.0;
    double table = m.layerBase[l];
    for (; l >= 0; --l) {
        const int cell = m.CellIndex(l, r, c);
        const CellSoil& s = m.soil[cell];
        if (!s.active) break;
        const double theta = st.water[cell] / m.Volume(l, r, c);
        const double drainable = s.porosity - s.fieldCapacity;
        const double full =
            drainable > 0 ? std::clamp((theta - s.fieldCapacity) / drainable, 0.0, 1.0) : 1.0;
        if (full <= 0) break;
        table = m.layerBase[l] + full * m.dz[l];
        if (full < 0.999) break;
    }
    return table;
}

double RelativeYield(const SolverModel& m, const SolverState& st, int r, int c) {
    const int col = m.ColumnIndex(r, c);
    const ColumnCrop& crop = m.crop[col];
    if (!crop.present) return -1.0;
    const int b = m.basin[col];
    double yield = 1.0;
    for (int s = 0; s < 4; ++s) {
        if (st.cropDemand[col][s] <= Tiny) continue;
        const double ky = b > 0 && b <= static_cast<int>(m.yieldResponse.size())
                              ? m.yieldResponse[b - 1][s]
                              : 1.0;
        const double deficit = 1.0 - std::min(1.0, st.cropActual[col][s] / st.cropDemand[col][s]);
        yield *= std::max(0.0, 1.0 - ky * deficit);
    }
    if (st.rootSalinityDays[col] > 0 && b > 0 && b <= static_cast<int>(m.salinityBounds.size())) {
        yield *= SalinityFactor(m.salinityBounds[b - 1],
                                st.rootSalinitySum[col] / st.rootSalinityDays[col]);
    }
    return yield;
}

} // namespace korva
