#include "modeledits.h"

#include "dialogdocument.h"
#include "model/griddata.h"
#include "model/messages.h"

#include <functional>
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

// One named edit of the model as one undoable change: the first apply runs
// the edit and keeps its undo record; undo and every redo revert the record,
// so a redo never runs the edit again.
using ModelEdit = std::function<EditResult(GridData&, UndoRecord*)>;

void ChangeByEdit(DialogDocument& document, const QString& text, ModelEdit edit, unsigned parts,
                  std::size_t bytes) {
    auto record = std::make_shared<UndoRecord>();
    auto applied = std::make_shared<bool>(false);
    document.Change(
        text,
        [edit = std::move(edit), record, applied](GridData& grid) {
            if (*applied) {
                grid.Revert(*record);
                return true;
            }
            *applied = true;
            const EditResult result = edit(grid, record.get());
            for (const std::string& message : result.messages)
                ShowMessage(message);
            return result.done;
        },
        [record](GridData& grid) { grid.Revert(*record); }, parts, bytes);
}

std::size_t SpacingBytes(const GridData& grid) {
    return (grid.RowSpacing().size() + grid.ColumnSpacing().size() + grid.LayerSpacing().size()) *
           sizeof(double);
}

QString DimensionName(int dimension) {
    return dimension == GridData::RowDimension      ? QStringLiteral("Row")
           : dimension == GridData::ColumnDimension ? QStringLiteral("Column")
                                                    : QStringLiteral("Layer");
}

} // namespace

void ChangeSettings(DialogDocument& document, const QString& text,
                    const SimulationSettings& settings, bool periodChanged) {
    const SimulationSettings& before = document.Grid().Settings();
    if (SameSettings(before, settings)) return;
    const std::size_t bytes =
        (before.DailyETUsage.size() + settings.DailyETUsage.size()) * sizeof(double);
    ChangeByEdit(
        document, text,
        [settings](GridData& grid, UndoRecord* undo) { return grid.SetSettings(settings, undo); },
        SettingsPart | (periodChanged ? SimulationPeriodPart : 0u), bytes);
}

void ChangeTotalExtent(DialogDocument& document, int dimension, double total) {
    ChangeByEdit(
        document, DimensionName(dimension) + QStringLiteral(" Total"),
        [dimension, total](GridData& grid, UndoRecord* undo) {
            return grid.SetTotalExtent(dimension, total, undo);
        },
        GeometryPart, SpacingBytes(document.Grid()));
}

void ChangeHorizontalTotals(DialogDocument& document, double rowsTotal, double columnsTotal) {
    ChangeByEdit(
        document, QStringLiteral("New Width & Height"),
        [rowsTotal, columnsTotal](GridData& grid, UndoRecord* undo) {
            const EditResult rows = grid.SetTotalExtent(GridData::RowDimension, rowsTotal, undo);
            const EditResult columns =
                grid.SetTotalExtent(GridData::ColumnDimension, columnsTotal, undo);
            EditResult both;
            both.done = rows.done || columns.done;
            return both;
        },
        GeometryPart, 2 * SpacingBytes(document.Grid()));
}

void ChangeSpacing(DialogDocument& document, int dimension, int index, double value) {
    ChangeByEdit(
        document, DimensionName(dimension) + QStringLiteral(" Spacing"),
        [dimension, index, value](GridData& grid, UndoRecord* undo) {
            return grid.SetSpacing(dimension, index, value, undo);
        },
        GeometryPart, SpacingBytes(document.Grid()));
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
    if (model.HorizontalUnits() == horizontal && model.VerticalUnits() == vertical) return;
    ChangeByEdit(
        document, QStringLiteral("Grid Units"),
        [horizontal, vertical](GridData& grid, UndoRecord* undo) {
            return grid.SetUnits(horizontal, vertical, undo);
        },
        GeometryPart, SpacingBytes(model) + horizontal.size() + vertical.size());
}

} // namespace korva
