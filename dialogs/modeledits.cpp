#include "modeledits.h"

#include "dialogdocument.h"
#include "model/griddata.h"

#include <memory>

namespace korva {

namespace {

bool SameSettings(const SimulationSettings& a, const SimulationSettings& b) {
    // Field by field through the bytes would compare padding; compare what a
    // dialog can change instead.
    return a.freeDiffusion == b.freeDiffusion && a.irrigationTimeStep == b.irrigationTimeStep &&
           a.simulationTimeStep == b.simulationTimeStep && a.porosity == b.porosity &&
           a.simulationYear == b.simulationYear && a.simulationStart == b.simulationStart &&
           a.simulationEnd == b.simulationEnd && a.toleranceLevel1 == b.toleranceLevel1 &&
           a.toleranceLevel2 == b.toleranceLevel2 && a.tortuosity == b.tortuosity &&
           a.kvKhRatio == b.kvKhRatio && a.waterCompressibility == b.waterCompressibility &&
           a.longitudinalDispersion == b.longitudinalDispersion &&
           a.horizontalDispersion == b.horizontalDispersion &&
           a.verticalDispersion == b.verticalDispersion && a.useSaltSolver == b.useSaltSolver &&
           a.pressureSaturationMethod == b.pressureSaturationMethod && a.poreSize == b.poreSize &&
           a.residualMoisture == b.residualMoisture && a.scaleLength == b.scaleLength &&
           a.rootGrowthMethod == b.rootGrowthMethod &&
           a.empiricalConstant1 == b.empiricalConstant1 &&
           a.empiricalConstant2 == b.empiricalConstant2 &&
           a.rootExtractionMethod == b.rootExtractionMethod &&
           a.rootExtractionParams == b.rootExtractionParams &&
           a.cropYieldMethod == b.cropYieldMethod && a.kWeightingMethod == b.kWeightingMethod &&
           a.equationType == b.equationType && a.initialConditionsType == b.initialConditionsType &&
           a.ETPeriod.first == b.ETPeriod.first && a.ETPeriod.last == b.ETPeriod.last &&
           a.DailyETUsage == b.DailyETUsage;
}

struct SpacingState {
    std::vector<double> spacings;
    int uniform = 1;
};

const std::vector<double>& Spacings(const GridData& grid, int dimension) {
    return dimension == GridData::RowDimension      ? grid.rowSpacing
           : dimension == GridData::ColumnDimension ? grid.columnSpacing
                                                    : grid.layerSpacing;
}

std::vector<double>& Spacings(GridData& grid, int dimension) {
    return dimension == GridData::RowDimension      ? grid.rowSpacing
           : dimension == GridData::ColumnDimension ? grid.columnSpacing
                                                    : grid.layerSpacing;
}

void ChangeSpacings(DialogDocument& document, const QString& text, int dimension,
                    DialogDocument::Apply apply) {
    const GridData& model = document.Grid();
    SpacingState before{Spacings(model, dimension), model.UniformSpacing};
    const std::size_t bytes = before.spacings.size() * sizeof(double);
    document.Change(
        text, std::move(apply),
        [dimension, before](GridData& grid) {
            Spacings(grid, dimension) = before.spacings;
            grid.UniformSpacing = before.uniform;
        },
        GeometryPart, bytes);
}

QString DimensionName(int dimension) {
    return dimension == GridData::RowDimension      ? QStringLiteral("Row")
           : dimension == GridData::ColumnDimension ? QStringLiteral("Column")
                                                    : QStringLiteral("Layer");
}

} // namespace

void ChangeSettings(DialogDocument& document, const QString& text,
                    const SimulationSettings& settings, bool periodChanged) {
    const SimulationSettings before = document.Grid().settings;
    if (SameSettings(before, settings)) return;
    const std::size_t bytes =
        (before.DailyETUsage.size() + settings.DailyETUsage.size()) * sizeof(double);
    document.Change(
        text,
        [settings](GridData& grid) {
            grid.settings = settings;
            return true;
        },
        [before](GridData& grid) { grid.settings = before; },
        SettingsPart | (periodChanged ? SimulationPeriodPart : 0u), bytes);
}

void ChangeTotalExtent(DialogDocument& document, int dimension, double total) {
    ChangeSpacings(
        document, DimensionName(dimension) + QStringLiteral(" Total"), dimension,
        [dimension, total](GridData& grid) { return grid.SetTotalExtent(dimension, total); });
}

void ChangeHorizontalTotals(DialogDocument& document, double rowsTotal, double columnsTotal) {
    const GridData& model = document.Grid();
    const SpacingState rows{model.rowSpacing, model.UniformSpacing};
    const std::vector<double> columns = model.columnSpacing;
    document.Change(
        QStringLiteral("New Width & Height"),
        [rowsTotal, columnsTotal](GridData& grid) {
            const bool rowsChanged = grid.SetTotalExtent(GridData::RowDimension, rowsTotal);
            const bool columnsChanged =
                grid.SetTotalExtent(GridData::ColumnDimension, columnsTotal);
            return rowsChanged || columnsChanged;
        },
        [rows, columns](GridData& grid) {
            grid.rowSpacing = rows.spacings;
            grid.columnSpacing = columns;
            grid.UniformSpacing = rows.uniform;
        },
        GeometryPart, (rows.spacings.size() + columns.size()) * sizeof(double));
}

void ChangeSpacing(DialogDocument& document, int dimension, int index, double value) {
    ChangeSpacings(document, DimensionName(dimension) + QStringLiteral(" Spacing"), dimension,
                   [dimension, index, value](GridData& grid) {
                       return grid.SetSpacing(dimension, index, value);
                   });
}

void ChangeStructure(DialogDocument& document, const QString& text, GridStructureEdit edit) {
    // The first run keeps what the edit touches; later runs redo it.
    const std::size_t bytes = edit.EstimateBytes(document.Grid());
    auto shared = std::make_shared<GridStructureEdit>(std::move(edit));
    auto applied = std::make_shared<bool>(false);
    document.Change(
        text,
        [shared, applied](GridData& grid) {
            if (*applied) {
                shared->Redo(grid);
                return true;
            }
            *applied = true;
            return shared->Apply(grid);
        },
        [shared](GridData& grid) { shared->Undo(grid); }, GeometryPart | CellsPart, bytes);
}

void ChangeTransform(DialogDocument& document, const QString& text, TransformEdit edit) {
    const std::size_t bytes = edit.EstimateBytes(document.Grid());
    auto shared = std::make_shared<TransformEdit>(std::move(edit));
    auto applied = std::make_shared<bool>(false);
    document.Change(
        text,
        [shared, applied](GridData& grid) {
            if (*applied) {
                shared->Redo(grid);
            } else {
                *applied = true;
                shared->Apply(grid);
            }
            return true;
        },
        [shared](GridData& grid) { shared->Undo(grid); }, CellsPart, bytes);
}

void ChangeUnits(DialogDocument& document, const std::string& horizontal,
                 const std::string& vertical) {
    const GridData& model = document.Grid();
    if (model.HorizontalUnits == horizontal && model.VerticalUnits == vertical) return;
    const std::string oldHorizontal = model.HorizontalUnits;
    const std::string oldVertical = model.VerticalUnits;
    document.Change(
        QStringLiteral("Grid Units"),
        [horizontal, vertical](GridData& grid) {
            grid.HorizontalUnits = horizontal;
            grid.VerticalUnits = vertical;
            return true;
        },
        [oldHorizontal, oldVertical](GridData& grid) {
            grid.HorizontalUnits = oldHorizontal;
            grid.VerticalUnits = oldVertical;
        },
        GeometryPart, horizontal.size() + vertical.size());
}

} // namespace korva
