#pragma once
// GridData: the one model object of a project. It holds the grid of layers x
// rows x columns with its spacings, the cell parameters, the six boundary
// records, crops, basins and irrigation, the simulation settings, the output
// selection and the output store, and keeps every grid the same shape through
// every edit.
//
// The data is private. It changes only through the named edits below; each
// tells the listeners what it changed (GridChange), advances Revision(), and,
// given an UndoRecord, fills it with what is needed to undo it: only the
// cells the edit changes. The file readers fill a fresh model through
// ReaderContents and the caller installs it with ReplaceModel.
#include "boundarydata.h"
#include "cropdata.h"
#include "gridchange.h"
#include "membershipgrid.h"
#include "outputselection.h"
#include "outputstore.h"
#include "parameterdata.h"
#include "selectiongrid.h"
#include "simulationsettings.h"
#include "undorecord.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
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

// Everything a model holds. GridData keeps one privately; the const view is
// public (GridData::Contents), the writable one only for the file readers,
// the solver exchange and test fixtures (ReaderContents), which fill a model
// that nothing observes yet.
struct GridContents {
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
    // One per kind; no cells are held while no cell belongs to a boundary.
    std::array<MembershipGrid, BoundaryTypeCount> memberships;

    std::vector<CropParamData> cropParams;
    std::vector<CropBasinData> cropBasins;
    std::vector<IrrigationData> irrigation;                  // one per basin
    std::array<std::vector<double>, 4> YieldResponseFactors; // [stage][basin]
    std::array<std::vector<double>, 5> SalinityUpperBounds;  // [factor][basin]

    SimulationSettings settings;

    std::vector<PrintDataItem> printList;
    SelectionGrid TimeSeriesCellGrid; // L x R x C, only the cells with selections held
    OutputParamDataItem GridOutputParamList;

    std::string OutputBaseName;
    OutputStore outputs;

    // The same model, cell by cell and list by list.
    bool operator==(const GridContents&) const = default;
};

// The crop records the crop and irrigation dialogs edit as one working copy.
struct BasinCropRecords {
    std::vector<CropParamData> cropParams;
    std::vector<CropBasinData> cropBasins;
    std::vector<IrrigationData> irrigation;
    std::array<std::vector<double>, 4> YieldResponseFactors;
    std::array<std::vector<double>, 5> SalinityUpperBounds;
    bool operator==(const BasinCropRecords&) const = default;
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
    // A copy holds the same model; listeners stay with the model they were
    // added to, and the copy's revision starts at 0.
    GridData(const GridData& other);
    GridData(GridData&& other) noexcept;
    GridData& operator=(const GridData& other);
    GridData& operator=(GridData&& other) noexcept;
    ~GridData() = default;

    // --- observing --------------------------------------------------------------
    // Calls listener after every edit with what it changed; returns a handle
    // for RemoveChangeListener.
    int AddChangeListener(GridChangeListener listener);
    void RemoveChangeListener(int handle);
    // Advances by one with every change reported.
    std::uint64_t Revision() const { return revision_; }

    // --- reading --------------------------------------------------------------
    const GridContents& Contents() const { return data_; }
    const std::vector<double>& RowSpacing() const { return data_.rowSpacing; }
    const std::vector<double>& ColumnSpacing() const { return data_.columnSpacing; }
    const std::vector<double>& LayerSpacing() const { return data_.layerSpacing; }
    int UniformSpacing() const { return data_.UniformSpacing; }
    int ModelKind() const { return data_.ModelKind; }
    double ZExaggeration() const { return data_.ZExaggeration; }
    const std::string& HorizontalUnits() const { return data_.HorizontalUnits; }
    const std::string& VerticalUnits() const { return data_.VerticalUnits; }
    float ProjectFileVersion() const { return data_.ProjectFileVersion; }
    const std::vector<int>& ParameterOrder() const { return data_.ParameterOrder; }
    const std::vector<CropParamData>& CropParams() const { return data_.cropParams; }
    const std::vector<CropBasinData>& CropBasins() const { return data_.cropBasins; }
    const std::vector<IrrigationData>& Irrigation() const { return data_.irrigation; }
    const std::array<std::vector<double>, 4>& YieldResponseFactors() const {
        return data_.YieldResponseFactors;
    }
    const std::array<std::vector<double>, 5>& SalinityUpperBounds() const {
        return data_.SalinityUpperBounds;
    }
    BasinCropRecords GetBasinCropRecords() const;
    const SimulationSettings& Settings() const { return data_.settings; }
    const std::vector<PrintDataItem>& PrintList() const { return data_.printList; }
    const SelectionGrid& TimeSeriesCellGrid() const { return data_.TimeSeriesCellGrid; }
    const OutputParamDataItem& GridOutputParamList() const { return data_.GridOutputParamList; }
    const std::string& OutputBaseName() const { return data_.OutputBaseName; }
    const OutputStore& Outputs() const { return data_.outputs; }

    // --- undo -----------------------------------------------------------------
    // Undoes the edit record came from and turns record into its redo:
    // reverting it again redoes the edit. Reports the edit's changes again.
    // A record must be reverted on the model it came from, in history order.
    void Revert(UndoRecord& record);

    // --- whole model ----------------------------------------------------------
    // Installs other (a model read from a file) in place of this one; the
    // listeners stay and hear one Model change.
    void ReplaceModel(GridData&& other);
    // Installs the results of a run (or of reading the output files).
    void InstallOutputs(OutputStore&& outputs);
    // Exchanges the model's results with other, which an undo step keeps.
    void SwapOutputs(OutputStore& other);
    void ClearOutputs();
    // The colour ramp of grid output quantity (index into Outputs().gridOutputs).
    EditResult SetOutputColors(int quantity, const RgbColor& lowColor, const RgbColor& highColor,
                               UndoRecord* undo = nullptr);

    // --- geometry -------------------------------------------------------------
    int NumRows() const { return static_cast<int>(data_.rowSpacing.size()); }
    int NumColumns() const { return static_cast<int>(data_.columnSpacing.size()); }
    int NumLayers() const { return static_cast<int>(data_.layerSpacing.size()); }
    // Spacing of item index of dimension; a layer thickness in metres when inMetres.
    double GetSpacing(int dimension, int index, bool inMetres) const;
    // Sum of the spacings of dimension; for layers in metres when inMetres.
    double TotalExtent(int dimension, bool inMetres) const;
    // Rescales every spacing of dimension so that they add up to total (metres
    // for rows and columns, centimetres for layers). Refused, and nothing
    // changes, when total is not positive or the current total is zero.
    EditResult SetTotalExtent(int dimension, double total, UndoRecord* undo = nullptr);
    // One width (thickness, in centimetres) typed into the grid editor's
    // tables; refused, and nothing changes, unless it is a positive number.
    EditResult SetSpacing(int dimension, int index, double value, UndoRecord* undo = nullptr);
    EditResult SetZExaggeration(double value, UndoRecord* undo = nullptr);
    // The unit texts of the row and column totals and of the layer total.
    EditResult SetUnits(std::string horizontal, std::string vertical, UndoRecord* undo = nullptr);
    // Recomputes the UniformSpacing flag from the spacing lists (the readers
    // call it once the spacings are in).
    void UpdateUniformSpacing();
    // Depth in centimetres below the grid top of model coordinate z.
    double DepthBelowTop(double z) const;

    // --- parameters -----------------------------------------------------------
    // Rebuilds the parameter list for kind (0 or 1; another kind leaves it
    // empty) and makes the grid one cell; each spacing list keeps its first
    // width. Boundary lists and settings are left alone. Not undoable: it
    // starts a model.
    void ResetModel(int kind);
    // Gives every parameter, boundary grid and the time-series grid these
    // dimensions; every value becomes NoDataValue, every membership 0, every
    // selection empty. The caller sizes the spacing lists. Dimensions below 1
    // are an invalid argument. Not undoable: it starts a grid.
    void Resize(int layers, int rows, int columns);
    int ParameterCount() const { return static_cast<int>(data_.ParameterOrder.size()); }
    // The parameter at position paramIndex of ParameterOrder.
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
    EditResult SetValue(int paramIndex, int layer, int row, int col, double value,
                        bool recomputeRange = true, bool propagateDown = false,
                        UndoRecord* undo = nullptr);
    EditResult ClearParameter(int paramIndex, UndoRecord* undo = nullptr);
    // Every cell between the cells under the two points (both included) in
    // layer; a "Ground Elevation" above the grid top is lowered to the top.
    EditResult FillRegion(int paramIndex, const ModelPoint& point1, const ModelPoint& point2,
                          int layer, double value, bool propagateDown, UndoRecord* undo = nullptr);
    // Every cell whose Basin membership (layer 0) is basin, in every layer of
    // a layered parameter; the range is recomputed.
    EditResult SetValueForBasin(int paramIndex, int basin, double value,
                                UndoRecord* undo = nullptr);
    // Replaces every value of a parameter (an import); values must have the
    // parameter's dimensions (std::invalid_argument otherwise).
    EditResult SetParameterValues(int paramIndex, Grid3D<double> values,
                                  UndoRecord* undo = nullptr);
    // Inactive (type 5) only: marker in every layer above the one holding the
    // ground surface; columns without a ground elevation are left alone.
    EditResult MarkAboveGround(int type, int marker, UndoRecord* undo = nullptr);
    void RecomputeRange(int paramIndex);
    // The legend's name and colours of a parameter.
    EditResult SetParameterInfo(int paramIndex, const std::string& name, const RgbColor& lowColor,
                                const RgbColor& highColor, UndoRecord* undo = nullptr);
    // The distinct values of the parameter other than NoDataValue, ascending:
    // the legend's entries. Stops after limit + 1 values, so a result longer
    // than limit means "more than limit".
    std::vector<double> DistinctValues(int paramIndex, std::size_t limit) const;
    // Multiplies (or offsets) every value of the parameter in layers
    // firstLayer..lastLayer; cells without data keep none. A surface parameter
    // has one layer and is changed once, whatever the layer range.
    enum TransformKind { MultiplyTransform = 0, OffsetTransform = 1 };
    EditResult TransformParameter(int paramIndex, int firstLayer, int lastLayer, TransformKind kind,
                                  double amount, UndoRecord* undo = nullptr);

    // --- locating cells -------------------------------------------------------
    bool LocateCell(double x, double y, double z, int& layer, int& row, int& col) const;
    int LayerOfDepth(double depthCm) const;
    int LayerOfHeight(double heightCm) const;

    // --- deleting, splitting, subdividing -------------------------------------
    // Points are model coordinates; rows and columns are located at z = 0 and
    // layers by the depth below the top that a point's z gives (DepthBelowTop).
    // The last item of a dimension is never deleted: the result carries
    // "Can't delete last row." (column, layer) instead. Inserted items copy
    // the item they were cut from in every parameter, boundary grid and the
    // time-series grid.
    EditResult DeleteItems(int dimension, int first, int last, UndoRecord* undo = nullptr);
    EditResult DeleteRowsColumnsInRegion(bool rows, bool columns, const ModelPoint& point1,
                                         const ModelPoint& point2, UndoRecord* undo = nullptr);
    EditResult DeleteLayersInRegion(const ModelPoint& point1, const ModelPoint& point2,
                                    UndoRecord* undo = nullptr);
    EditResult SplitRowsColumnsAt(bool rows, bool columns, const std::vector<ModelPoint>& points,
                                  UndoRecord* undo = nullptr);
    EditResult SplitLayerAt(const ModelPoint& point, UndoRecord* undo = nullptr);
    // parts: the number of extra items per divided one, 1..MaxSubdivisions;
    // std::invalid_argument otherwise.
    static constexpr int MaxSubdivisions = 100000;
    // No edit makes a grid of more cells than this: it is refused with a
    // message instead of running out of memory.
    static constexpr long long MaxCells = 20000000;
    EditResult SubdivideRowsColumns(bool rows, bool columns, int parts, const ModelPoint& point1,
                                    const ModelPoint& point2, UndoRecord* undo = nullptr);
    EditResult SubdivideLayers(int parts, const ModelPoint& point1, const ModelPoint& point2,
                               UndoRecord* undo = nullptr);

    // --- boundaries -----------------------------------------------------------
    const BoundaryTypeData& Boundary(int type) const;
    const MembershipGrid& Memberships(int type) const;
    int BoundaryCount(int type) const { return Boundary(type).Count(); }
    int32_t GetBoundaryValue(int type, int layer, int row, int col) const;
    EditResult SetBoundaryValue(int type, int layer, int row, int col, int32_t value,
                                UndoRecord* undo = nullptr);
    // Writes cells into the membership grid of type with its corner at
    // (layer, row, col); the box must lie inside (std::out_of_range).
    EditResult SetMembershipRegion(int type, int layer, int row, int col,
                                   const Grid3D<int32_t>& cells, UndoRecord* undo = nullptr);
    // Number of layers the membership grid of type has in this model kind.
    int BoundaryLayerCount(int type) const;
    // True when the membership grid of type has one layer per grid layer
    // (and so follows layer edits).
    bool BoundaryHoldsEveryLayer(int type) const;
    // Writes number (add) or 0 into the membership grid of type for every cell
    // between the cells under point1 and point2 in layer (-1: the grid's last
    // layer), and with propagateDown in every layer below it. Basins, and No
    // Flow cells of the 2D model, are painted on layer 0 only.
    EditResult PaintBoundaryRegion(int type, int number, const ModelPoint& point1,
                                   const ModelPoint& point2, int layer, bool add,
                                   bool propagateDown, UndoRecord* undo = nullptr);
    EditResult SetDrainCollector(int drainIndex, int collectorIndex, UndoRecord* undo = nullptr);
    // The colour of the first displayed boundary holding the cell, kinds in
    // enum order; false when none does.
    bool GetBoundaryCellColor(int layer, int row, int col, RgbColor& color) const;
    // Appends a boundary of type under name; returns its index. A new basin
    // gets its per-basin lists and an empty irrigation schedule.
    int AppendBoundary(int type, const std::string& name, const RgbColor& color,
                       UndoRecord* undo = nullptr);
    EditResult RenameBoundary(int type, int index, const std::string& name,
                              UndoRecord* undo = nullptr);
    EditResult SetBoundaryColor(int type, int index, const RgbColor& color,
                                UndoRecord* undo = nullptr);
    EditResult SetBoundaryDisplayed(int type, int index, bool displayed,
                                    UndoRecord* undo = nullptr);
    // Natural boundaries: the flux and water quality of one boundary.
    EditResult SetBoundaryFlux(int index, double flux, double waterQuality,
                               UndoRecord* undo = nullptr);
    // Replaces the per-boundary lists of one kind whole (a table editor's
    // OK); record must keep the kind and its number of boundaries
    // (std::invalid_argument otherwise), so no cell loses its boundary.
    EditResult SetBoundaryLists(int type, BoundaryTypeData record, UndoRecord* undo = nullptr);
    // Removes boundary index of type and renumbers the membership grid.
    EditResult DeleteBoundary(int type, int index, UndoRecord* undo = nullptr);

    // --- crops, basins, irrigation --------------------------------------------
    std::string FindCropForBasin(const std::string& basinName) const;
    int FindCropParams(const std::string& cropName, CropParamData& out) const;
    // Replaces the crop records (the dialogs' working copy on OK). The
    // per-basin lists must have one entry per basin (std::invalid_argument).
    EditResult SetBasinCropRecords(BasinCropRecords records, UndoRecord* undo = nullptr);
    // Fills the crop cell parameters of every basin's cells from its crop.
    EditResult BuildCropGrid(UndoRecord* undo = nullptr);

    // --- settings -------------------------------------------------------------
    EditResult SetSettings(SimulationSettings settings, UndoRecord* undo = nullptr);
    // Done (and reported) only when one of the three changes.
    EditResult SetSimulationPeriod(int start, int end, int year, UndoRecord* undo = nullptr);
    // The check before a run (modelcheck.h): appends the critical problems of
    // the settings; changes nothing.
    void CheckModel(ProblemList& problems) const;
    // Writes back the edited current values of the problems that carry one.
    EditResult ApplyModelCheckValues(const ProblemList& problems, UndoRecord* undo = nullptr);

    // --- output selection -----------------------------------------------------
    int CountTimeSeriesSelections() const;
    EditResult SetTimeSeriesSelection(int layer, int row, int col, OutputParamDataItem codes,
                                      UndoRecord* undo = nullptr);
    EditResult SetPrintList(std::vector<PrintDataItem> list, UndoRecord* undo = nullptr);
    EditResult SetGridOutputParamList(OutputParamDataItem codes, UndoRecord* undo = nullptr);
    EditResult SetOutputBaseName(std::string name, UndoRecord* undo = nullptr);

    // --- outputs --------------------------------------------------------------
    // The stored value of output quantity at (time, layer, row, col); false when
    // absent (-9999) or outside the store. A surface quantity uses layer 0.
    bool GetOutputValue(int quantity, int timeIndex, int layer, int row, int col,
                        double& value) const;
    // GetOutputValue for the view: a surface quantity answers only in the layer of its level.
    bool GetLocatedOutputValue(int quantity, int period, int layer, int row, int col,
                               double& value) const;

private:
    friend GridContents& ReaderContents(GridData& grid);
    friend class UndoRecord;

    // Tells the listeners, advances the revision and keeps the change in undo.
    void Report(const GridChange& change, UndoRecord* undo);
    ParameterData& MutableParameter(int paramIndex);
    BoundaryTypeData& MutableBoundary(int type);
    // Snapshots for undo records, taken before an edit changes anything.
    void SaveParameterBox(UndoRecord* undo, int paramIndex, const CellRange& box) const;
    void SaveMembershipBox(UndoRecord* undo, int type, const CellRange& box) const;
    void SaveSpacings(UndoRecord* undo) const;
    void SaveBoundaryList(UndoRecord* undo, int type) const;
    void SaveCropRecords(UndoRecord* undo) const;
    void SaveSettings(UndoRecord* undo) const;
    void SaveOutputRequest(UndoRecord* undo) const;
    // Undoes (or redoes) one piece of a record.
    void RevertPiece(undo::Piece& piece);
    // The box of a parameter's cells from layer (every layer below with
    // propagateDown) over the given rows and columns.
    CellRange ParameterBox(int paramIndex, int layer, bool propagateDown, int row0, int row1,
                           int col0, int col1) const;

    // Remove or copy one row, column or layer of every parameter, boundary grid
    // and the time-series grid; the spacing lists are the caller's.
    void RemoveSlice(int dimension, int index, UndoRecord* undo);
    void DuplicateSlice(int dimension, int index, int copies, UndoRecord* undo);
    // The region delete of one dimension: items low..high merge into a
    // neighbour, from the last down, never deleting the last item.
    void DeleteRangeMerging(int dimension, int low, int high, EditResult& result, UndoRecord* undo);
    // Cuts the row or column containing coordinate there; false when the
    // coordinate lies outside the grid or on an edge.
    bool SplitAlong(int dimension, double coordinate, EditResult& result, UndoRecord* undo);
    // Divides each item low..high into parts + 1 equal items, highest first.
    void SubdivideRange(int dimension, int parts, int low, int high, EditResult& result,
                        UndoRecord* undo);
    // A refusal message when adding items to dimension would make the grid
    // larger than MaxCells; empty when there is room.
    std::string RoomForItems(int dimension, long long added) const;
    void CheckDimension(int dimension) const;
    int DimensionCount(int dimension) const;
    std::vector<double>& Spacings(int dimension);
    // Index range of the cells under two points (z ignored for rows and columns).
    void LocatedRange(int dimension, const ModelPoint& point1, const ModelPoint& point2, int& low,
                      int& high) const;

    GridContents data_;
    std::vector<std::pair<int, GridChangeListener>> listeners_;
    int nextListener_ = 1;
    std::uint64_t revision_ = 0;
};

// The writable contents of a model, for the file readers, the solver exchange
// and test fixtures, which fill a fresh model before anyone observes it. An
// edit through it is neither reported nor undoable.
GridContents& ReaderContents(GridData& grid);

} // namespace korva
