#pragma once
// The mouse receivers of the 3D grid view. In the 2D modes CKORVAView turns a
// dragged rectangle into model coordinates and hands it to the dialog that owns
// the current ViewMode; while the pointer moves it tells the same dialog which
// cell lies under it. The dialogs implement these interfaces and register
// themselves with the view (ViewReceiverHost) while they are open, so the view
// never needs to know the dialog classes.
//
// Coordinates are model coordinates in metres: the grid centred at the origin,
// x along the columns, y along the rows, z up. The two corners of a rectangle
// come in no particular order; a receiver locates each with
// GridData::LocateCell (z = 0 when only rows and columns matter) and works on
// every row and column between the two cells, both included. A click without a
// drag gives two equal corners, which is one cell.

namespace korva {

// Two corners of a rectangle dragged in the view, unprojected at the depth of
// the slice being edited.
struct PickedCorners {
    double x1 = 0.0, x2 = 0.0; // along the columns
    double y1 = 0.0, y2 = 0.0; // along the rows
    double z1 = 0.0, z2 = 0.0; // vertical (meaningful in the section orientation)
};

// A cell under the pointer, 0-based, as LocateCell found it (clamped to the
// last row, column or layer when the pointer is past the grid's edge).
struct HoveredCell {
    int layer = 0;
    int row = 0;
    int column = 0;
};

// The grid edit dialog (ViewMode 0 and 4).
class GridEditPickReceiver {
public:
    virtual ~GridEditPickReceiver() = default;
    // ViewMode 0: the rectangle that chooses what to split, subdivide or delete.
    // In the plan orientation a = x and b = y; in the section orientation a = x
    // and b = z (the section looks along the rows, so rows are not picked).
    virtual void FirstPick(double a1, double a2, double b1, double b2, bool planOrientation) = 0;
    // ViewMode 4: the second rectangle of a two-step edit, always in plan (x, y).
    virtual void SecondPick(double x1, double x2, double y1, double y2) = 0;
};

// The time series output control (ViewMode 3).
class TimeSeriesCellsReceiver {
public:
    virtual ~TimeSeriesCellsReceiver() = default;
    // Toggles the time-series selection of every cell of the rectangle on layer
    // (the view's CurrentSlice). The receiver changes the model through the
    // document, then asks the view to refresh its markers.
    virtual void ToggleCells(const PickedCorners& corners, int layer) = 0;
    // The pointer moved over cell: show that cell's time-series selection.
    virtual void HoverCell(const HoveredCell& cell) = 0;
};

// The output time series display dialog (ViewMode 7): the view writes the
// status text itself ("Layer L, row R, column C"); the dialog is told the cell
// so it can follow the pointer.
class TimeSeriesHoverReceiver {
public:
    virtual ~TimeSeriesHoverReceiver() = default;
    virtual void HoverCell(const HoveredCell& cell) = 0;
};

// The output parameters dialog showing one output layer (ViewMode 8). The view
// draws the current slice's output cells and writes the hover text; the dialog
// is told the cell under the pointer and which value the view showed for it.
class OutputLayerReceiver {
public:
    virtual ~OutputLayerReceiver() = default;
    // hasValue is false where the cell holds no output value for the shown time.
    virtual void HoverCell(const HoveredCell& cell, bool hasValue, double value) = 0;
    // What the view shows now: the output quantity (-1 none) and the layer.
    // Told when the receiver registers and after every change of the view.
    virtual void OutputShown(int /*quantity*/, int /*layer*/) {}
};

// What the view offers the dialogs that own a mode. CKORVAView implements it;
// a dialog registers itself when it opens and passes nullptr when it closes
// (the view forgets a receiver that is destroyed only through this call, so a
// dialog must unregister in its destructor).
class ViewReceiverHost {
public:
    virtual ~ViewReceiverHost() = default;
    virtual void SetGridEditReceiver(GridEditPickReceiver* receiver) = 0;
    virtual void SetTimeSeriesCellsReceiver(TimeSeriesCellsReceiver* receiver) = 0;
    virtual void SetTimeSeriesHoverReceiver(TimeSeriesHoverReceiver* receiver) = 0;
    virtual void SetOutputLayerReceiver(OutputLayerReceiver* receiver) = 0;

    // ViewMode: -1 the 3D display, 0 grid edit, 1 parameter edit, 2 boundary
    // edit, 3 time-series cell selection, 4 grid edit second pick, 5 background
    // clip, 7 time-series display, 8 output layer display. Entering a 2D mode
    // sets CurrentSlice to 0, returning to -1 sets it to -1.
    virtual void SetViewMode(int mode) = 0;
    virtual int ViewMode() const = 0;
    // The layer being edited (plan) or the row (section).
    virtual void SetCurrentSlice(int slice) = 0;
    virtual int CurrentSlice() const = 0;
    // true: plan (looking down); false: vertical section along the rows.
    virtual void SetPlanOrientation(bool plan) = 0;
    virtual bool PlanOrientation() const = 0;
    // Redraws the boundary and time-series markers after a selection changed.
    virtual void RefreshMarkers() = 0;
    // Redraws the grid lines after a change of the grid's shape.
    virtual void RefreshGridLines() = 0;
};

} // namespace korva
