#pragma once
// A stand-in for the 3D view: a widget that offers the view's receiver host
// and records what the dialogs ask of it.
#include "view3d/viewreceivers.h"

#include <QWidget>

namespace korva::testing {

class FakeView : public QWidget, public ViewReceiverHost {
public:
    void SetGridEditReceiver(GridEditPickReceiver*) override {}
    void SetTimeSeriesCellsReceiver(TimeSeriesCellsReceiver* r) override { cells = r; }
    void SetTimeSeriesHoverReceiver(TimeSeriesHoverReceiver* r) override { hover = r; }
    void SetOutputLayerReceiver(OutputLayerReceiver* r) override { outputLayer = r; }
    void SetViewMode(int m) override { mode = m; }
    int ViewMode() const override { return mode; }
    void SetCurrentSlice(int s) override { slice = s; }
    int CurrentSlice() const override { return slice; }
    void SetPlanOrientation(bool) override {}
    bool PlanOrientation() const override { return true; }
    void RefreshMarkers() override { ++markerRefreshes; }
    void RefreshGridLines() override {}

    TimeSeriesCellsReceiver* cells = nullptr;
    TimeSeriesHoverReceiver* hover = nullptr;
    OutputLayerReceiver* outputLayer = nullptr;
    int mode = -1;
    int slice = -1;
    int markerRefreshes = 0;
};

} // namespace korva::testing
