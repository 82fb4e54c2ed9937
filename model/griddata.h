#pragma once
// GridData: the one model object of a project. It holds the grid of layers x
// rows x columns with its spacings, the cell parameters, the six boundary
// records, crops, basins and irrigation, the simulation settings, the output
// selection and the output store, and keeps every grid the same shape through
// every edit.
#include "boundarydata.h"
#include "cropdata.h"
#include "outputselection.h"
#include "outputstore.h"
#include "parameterdata.h"
#include "simulationsettings.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace korva {

struct ProblemList;

// A point in model coordinates: the grid centred at the origin, x over the
// columns, y over the rows, z from +D/2 at the top to -D/2 at the bottom.
struct ModelPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct CellIndex {
    int layer = 0;
    int row = 0;
    int column = 0;
};

class GridData {
public:
    enum ParameterDataEnum {
        BedrockElevation = 0,
        GroundElevation = 1,
        VerticalHydraulicConductivity = 2,
        HorizontalHydraulicConductivity = 3,
        SpecificYield = 4,
        InitialRootDepth = 5,
        MaximumRootDepth = 6,
        CropCoefficients1 = 7,
        CropCoefficients2 = 8,
        CropCoefficients3 = 9,
        DateOfPlanting = 10,
        EndOfStage1 = 11,
        EndOfStage2 = 12,
        EndOfStage3 = 13,
        DateOfHarvest = 14,
        InitialSaltConcentrationOfAquifer = 15,
        InitialWaterTableElevation = 16,
        InitialMoistureContent = 17,
        InitialUnsaturatedSaltConcentration = 18,
        VerticalDispersivity = 19,
        HorizontalDispersivity = 20,
        IrrigationWeight = 21,
        SoilLeachingEfficiency = 22,
    };
    static constexpr int ParameterCodeCount = 23;
    // The display name of a parameter code ("Bedrock Elevation", ...).
    static const char* ParameterDisplayName(int code);

    enum Dimension { RowDimension = 0, ColumnDimension = 1, LayerDimension = 2 };

    GridData();

    // --- geometry -------------------------------------------------------------
    int NumRows() const { return static_cast<int>(rowSpacing.size()); }
    int NumColumns() const { return static_cast<int>(columnSpacing.size()); }
    int NumLayers() const { return static_cast<int>(layerSpacing.size()); }
    // Spacing of item index of dimension; a layer thickness in metres when inMetres.
    double GetSpacing(int dimension, int index, bool inMetres) const;
    // Sum of the spacings of dimension; for layers in metres when inMetres.
    double TotalExtent(int dimension, bool inMetres) const;
    void UpdateUniformSpacing();
    // Rescales every spacing of dimension so that they add up to total (metres
    // for rows and columns, centimetres for layers). False, and nothing
    // changes, when total is not positive or the current total is zero.
    bool SetTotalExtent(int dimension, double total);
    // One width (thickness, in centimetres) typed into the grid editor's
    // tables; false, and nothing changes, unless it is a positive number.
    bool SetSpacing(int dimension, int index, double value);
    // Depth in centimetres below the grid top of model coordinate z.
    double DepthBelowTop(double z) const;

    // --- parameters -----------------------------------------------------------
    // Rebuilds the parameter list for kind (0 or 1; another kind leaves it
    // empty) and makes the grid one cell; each spacing list keeps its first
    // width. Boundary lists and settings are left alone.
    void ResetModel(int kind);
    // Gives every parameter, boundary grid and the time-series grid these
    // dimensions; every value becomes NoDataValue, every membership 0, every
    // selection empty. The caller sizes the spacing lists. Dimensions below 1
    // are an invalid argument.
    void Resize(int layers, int rows, int columns);
    int ParameterCount() const { return static_cast<int>(ParameterOrder.size()); }
    // The parameter at position paramIndex of ParameterOrder.
    ParameterData& Parameter(int paramIndex);
    const ParameterData& Parameter(int paramIndex) const;
    // Position of code in ParameterOrder, or -1.
    int ParameterIndexOfCode(int code) const;
    // False for paramIndex < 0 and for a cell without data; the value is
    // returned either way. A surface parameter answers from its one layer;
    // with mapSurfaceToLayer it answers true only in the layer its value
    // reaches (root depths, ground and water table) or, for the others, layer 0.
    // Indices outside the grids throw std::out_of_range.
    bool GetValue(int paramIndex, int layer, int row, int col, double& value,
                  bool mapSurfaceToLayer = false) const;
    void SetValue(int paramIndex, int layer, int row, int col, double value,
                  bool recomputeRange = true, bool propagateDown = false);
    void ClearParameter(int paramIndex);
    // Every cell between the cells under the two points (both included) in
    // layer; a "Ground Elevation" above the grid top is lowered to the top.
    void FillRegion(int paramIndex, const ModelPoint& point1, const ModelPoint& point2, int layer,
                    double value, bool propagateDown);
    // Every cell whose Basin membership (layer 0) is basin, in every layer of
    // a layered parameter; the range is recomputed.
    void SetValueForBasin(int paramIndex, int basin, double value);
    // Inactive (type 5) only: marker in every layer above the one holding the
    // ground surface; columns without a ground elevation are left alone.
    void MarkAboveGround(int type, int marker);
    void RecomputeRange(int paramIndex);
    // The distinct values of the parameter other than NoDataValue, ascending:
    // the legend's entries. Stops after limit + 1 values, so a result longer
    // than limit means "more than limit".
    std::vector<double> DistinctValues(int paramIndex, std::size_t limit) const;
    // Multiplies (or offsets) every value of the parameter in layers
    // firstLayer..lastLayer; cells without data keep none. A surface parameter
    // has one layer and is changed once, whatever the layer range.
    enum TransformKind { MultiplyTransform = 0, OffsetTransform = 1 };
    void TransformParameter(int paramIndex, int firstLayer, int lastLayer, TransformKind kind,
                            double amount);

    // --- locating cells -------------------------------------------------------
    bool LocateCell(double x, double y, double z, int& layer, int& row, int& col) const;
    int LayerOfDepth(double depthCm) const;
    int LayerOfHeight(double heightCm) const;

    // --- deleting, splitting, subdividing -------------------------------------
    void DeleteItems(int dimension, int first, int last);
    void DeleteRowsColumnsInRegion(bool rows, bool columns, const ModelPoint& point1,
                                   const ModelPoint& point2);
    void DeleteLayersInRegion(const ModelPoint& point1, const ModelPoint& point2);
    // Points are model coordinates; rows and columns are located at z = 0 and
    // layers by the depth below the top that a point's z gives (DepthBelowTop).
    // The last item of a dimension is never deleted: "Can't delete last row."
    // (column, layer) is shown instead. Inserted items copy the item they were
    // cut from in every parameter, boundary grid and the time-series grid.
    void SplitRowsColumnsAt(bool rows, bool columns, const std::vector<ModelPoint>& points);
    void SplitLayerAt(const ModelPoint& point);
    // parts: the number of extra items per divided one, 1..MaxSubdivisions;
    // std::invalid_argument otherwise.
    static constexpr int MaxSubdivisions = 100000;
    // No edit makes a grid of more cells than this: it shows a message and
    // changes nothing instead of running out of memory.
    static constexpr long long MaxCells = 20000000;
    void SubdivideRowsColumns(bool rows, bool columns, int parts, const ModelPoint& point1,
                              const ModelPoint& point2);
    void SubdivideLayers(int parts, const ModelPoint& point1, const ModelPoint& point2);

    // --- boundaries -----------------------------------------------------------
    BoundaryTypeData& Boundary(int type);
    const BoundaryTypeData& Boundary(int type) const;
    int BoundaryCount(int type) const { return Boundary(type).Count(); }
    int32_t GetBoundaryValue(int type, int layer, int row, int col) const;
    void SetBoundaryValue(int type, int layer, int row, int col, int32_t value);
    // Number of layers the membership grid of type has in this model kind.
    int BoundaryLayerCount(int type) const;
    // True when the membership grid of type has one layer per grid layer
    // (and so follows layer edits).
    bool BoundaryHoldsEveryLayer(int type) const;
    // Writes number (add) or 0 into the membership grid of type for every cell
    // between the cells under point1 and point2 in layer (-1: the grid's last
    // layer), and with propagateDown in every layer below it. Basins, and No
    // Flow cells of the 2D model, are painted on layer 0 only.
    void PaintBoundaryRegion(int type, int number, const ModelPoint& point1,
                             const ModelPoint& point2, int layer, bool add, bool propagateDown);
    void SetDrainCollector(int drainIndex, int collectorIndex);
    // The colour of the first displayed boundary holding the cell, kinds in
    // enum order; false when none does.
    bool GetBoundaryCellColor(int layer, int row, int col, RgbColor& color) const;
    // Appends a boundary of type under name; returns its index. A new basin
    // gets its per-basin lists and an empty irrigation schedule.
    int AppendBoundary(int type, const std::string& name, const RgbColor& color);
    void RenameBoundary(int type, int index, const std::string& name);
    void SetBoundaryColor(int type, int index, const RgbColor& color);
    // Removes boundary index of type and renumbers the membership grid.
    void DeleteBoundary(int type, int index);

    // --- crops, basins, irrigation --------------------------------------------
    std::string FindCropForBasin(const std::string& basinName) const;
    int FindCropParams(const std::string& cropName, CropParamData& out) const;
    // Fills the crop cell parameters of every basin's cells from its crop.
    void BuildCropGrid();

    // --- settings -------------------------------------------------------------
    bool SetSimulationPeriod(int start, int end, int year);
    // The check before a run (modelcheck.h): appends the critical problems of
    // the settings; changes nothing.
    void CheckModel(ProblemList& problems) const;
    // Writes back the edited current values of the problems that carry one.
    void ApplyModelCheckValues(const ProblemList& problems);

    // --- output selection -----------------------------------------------------
    int CountTimeSeriesSelections() const;

    // --- outputs --------------------------------------------------------------
    // The stored value of output quantity at (time, layer, row, col); false when
    // absent (-9999) or outside the store. A surface quantity uses layer 0.
    bool GetOutputValue(int quantity, int timeIndex, int layer, int row, int col,
                        double& value) const;
    // GetOutputValue for the view: a surface quantity answers only in the layer of its level.
    bool GetLocatedOutputValue(int quantity, int period, int layer, int row, int col,
                               double& value) const;

    // --- data -----------------------------------------------------------------
    // The readers and writers of the project and solver files work on these
    // members directly; every operation above keeps them consistent.
    std::vector<double> rowSpacing{100.0};    // metres, along y
    std::vector<double> columnSpacing{100.0}; // metres, along x
    std::vector<double> layerSpacing{100.0};  // centimetres, from the top down
    int UniformSpacing = 1;
    int ModelKind = 1; // 0: "original(2d)", 1: "modified (3d)"
    double ZExaggeration = 1.0;
    std::string HorizontalUnits = "m"; // labels the row and column totals only
    std::string VerticalUnits = "cm";  // labels the layer total only
    float ProjectFileVersion = 2.5f;

    std::vector<int> ParameterOrder;         // codes active for ModelKind
    std::map<int, ParameterData> parameters; // by code

    std::array<BoundaryTypeData, BoundaryTypeCount> boundaries;

    std::vector<CropParamData> cropParams;
    std::vector<CropBasinData> cropBasins;
    std::vector<IrrigationData> irrigation;                  // one per basin
    std::array<std::vector<double>, 4> YieldResponseFactors; // [stage][basin]
    std::array<std::vector<double>, 5> SalinityUpperBounds;  // [factor][basin]

    SimulationSettings settings;

    std::vector<PrintDataItem> printList;
    std::vector<OutputParamDataLayer> TimeSeriesCellGrid; // [layer][row][column]
    OutputParamDataItem GridOutputParamList;

    std::string OutputBaseName;
    OutputStore outputs;

private:
    // Remove or copy one row, column or layer of every parameter, boundary grid
    // and the time-series grid; the spacing lists are the caller's.
    void RemoveSlice(int dimension, int index);
    void DuplicateSlice(int dimension, int index, int copies);
    // The region delete of one dimension: items low..high merge into a
    // neighbour, from the last down, never deleting the last item.
    void DeleteRangeMerging(int dimension, int low, int high);
    // Cuts the row or column containing coordinate there; false when the
    // coordinate lies outside the grid or on an edge.
    bool SplitAlong(int dimension, double coordinate);
    // Divides each item low..high into parts + 1 equal items, highest first.
    void SubdivideRange(int dimension, int parts, int low, int high);
    // False, after telling the user, when adding items to dimension would
    // make the grid larger than MaxCells.
    bool RoomForItems(int dimension, long long added) const;
    void CheckDimension(int dimension) const;
    int DimensionCount(int dimension) const;
    std::vector<double>& Spacings(int dimension);
    // Index range of the cells under two points (z ignored for rows and columns).
    void LocatedRange(int dimension, const ModelPoint& point1, const ModelPoint& point2, int& low,
                      int& high) const;
};

} // namespace korva
