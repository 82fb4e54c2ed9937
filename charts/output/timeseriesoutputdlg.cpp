#include "timeseriesoutputdlg.h"

#include "app/document/commands/editcommand.h"
#include "app/document/korvadoc.h"
#include "layerchoice.h"
#include "timeseriescellscommand.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace korva::charts {

namespace {

constexpr int TimeSeriesCellMode = 3;

} // namespace

TimeSeriesOutputDlg::TimeSeriesOutputDlg(CKORVADoc& document, ViewReceiverHost* view,
                                         QWidget* parent)
    : QDialog(parent), document_(document), view_(view) {
    setWindowTitle("Time Series Output Control");
    auto* layout = new QHBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->addItem("No Output");
    for (int code = 0; code < OutputParamCount; ++code) {
        auto* item = new QListWidgetItem(OutputParam(code).text, list_);
        item->setToolTip(OutputParam(code).displayName);
    }
    list_->setMaximumWidth(120);
    layout->addWidget(list_);

    auto* right = new QVBoxLayout;
    setMode_ = new QRadioButton("Set cell output for selected parameters", this);
    showMode_ = new QRadioButton("Show parameters selected for given cell", this);
    setMode_->setChecked(true);
    right->addWidget(setMode_);
    right->addWidget(showMode_);
    allLayers_ = new QCheckBox("All layers", this);
    right->addWidget(allLayers_);
    layerBox_ = new QGroupBox(this);
    auto* layerLayout = new QVBoxLayout(layerBox_);
    layer_ = new QComboBox(layerBox_);
    layerLayout->addWidget(layer_);
    right->addWidget(layerBox_);
    auto* gridBox = new QGroupBox("Whole grid", this);
    auto* gridLayout = new QHBoxLayout(gridBox);
    auto* setSelection = new QPushButton("Set Selection", gridBox);
    auto* showSelection = new QPushButton("Show Selection", gridBox);
    gridLayout->addWidget(setSelection);
    gridLayout->addWidget(showSelection);
    right->addWidget(gridBox);
    auto* clear = new QPushButton("Clear", this);
    right->addWidget(clear);
    right->addStretch();
    auto* close = new QPushButton("Close", this);
    right->addWidget(close);
    layout->addLayout(right);

    connect(setSelection, &QPushButton::clicked, this, &TimeSeriesOutputDlg::SetSelection);
    connect(showSelection, &QPushButton::clicked, this, &TimeSeriesOutputDlg::ShowSelection);
    connect(clear, &QPushButton::clicked, this, &TimeSeriesOutputDlg::ClearCells);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(layer_, &QComboBox::currentIndexChanged, this, [this](int index) {
        layerBox_->setTitle("Current layer: " + QString::number(index + 1));
        if (view_ != nullptr && index >= 0 && isVisible() && view_->CurrentSlice() != index)
            view_->SetCurrentSlice(index);
    });
    connect(&document_, &CKORVADoc::ModelEdited, this, [this](const ModelChange& change) {
        if (change.Touches(ModelChange::Geometry)) FillLayers();
    });
    FillLayers();
}

TimeSeriesOutputDlg::~TimeSeriesOutputDlg() {
    LeaveView();
}

void TimeSeriesOutputDlg::FillLayers() {
    FillLayerChoice(*layer_, document_.Grid().NumLayers());
    layerBox_->setTitle("Current layer: " + QString::number(layer_->currentIndex() + 1));
}

void TimeSeriesOutputDlg::showEvent(QShowEvent* event) {
    FillLayers();
    if (view_ != nullptr) {
        view_->SetTimeSeriesCellsReceiver(this);
        view_->SetViewMode(TimeSeriesCellMode);
        view_->SetCurrentSlice(std::max(0, layer_->currentIndex()));
    }
    QDialog::showEvent(event);
}

void TimeSeriesOutputDlg::hideEvent(QHideEvent* event) {
    LeaveView();
    QDialog::hideEvent(event);
}

void TimeSeriesOutputDlg::LeaveView() {
    if (view_ == nullptr) return;
    view_->SetTimeSeriesCellsReceiver(nullptr);
    if (view_->ViewMode() == TimeSeriesCellMode) view_->SetViewMode(-1);
}

OutputParamDataItem TimeSeriesOutputDlg::SelectedCodes() const {
    OutputParamDataItem codes;
    if (list_->item(0)->isSelected()) return codes;
    for (int code = 0; code < OutputParamCount; ++code)
        if (list_->item(code + 1)->isSelected()) codes.push_back(code);
    return codes;
}

void TimeSeriesOutputDlg::SelectCodes(const OutputParamDataItem& codes) {
    list_->clearSelection();
    if (codes.empty()) list_->item(0)->setSelected(true);
    for (int32_t code : codes)
        if (code >= 0 && code < OutputParamCount) list_->item(code + 1)->setSelected(true);
}

void TimeSeriesOutputDlg::SetSelection() {
    document_.Execute(new ModelEditCommand(
        document_, "Time Series Output",
        [codes = SelectedCodes()](GridData& grid, UndoRecord* undo) mutable {
            return grid.SetGridOutputParamList(std::move(codes), undo);
        },
        ModelChange{ModelChange::OutputSelection}));
}

void TimeSeriesOutputDlg::ShowSelection() {
    SelectCodes(document_.Grid().GridOutputParamList());
}

void TimeSeriesOutputDlg::ClearCells() {
    const GridData& grid = document_.Grid();
    std::vector<CellSelectionChange> changes;
    grid.TimeSeriesCellGrid().ForEach([&](const SelectionGrid::Cell& cell) {
        changes.push_back({cell.layer, cell.row, cell.column, cell.codes, {}});
    });
    if (changes.empty()) return;
    document_.Execute(new TimeSeriesCellsCommand(document_, std::move(changes)));
    if (view_ != nullptr) view_->RefreshMarkers();
}

void TimeSeriesOutputDlg::ToggleCells(const PickedCorners& corners, int layer) {
    if (!setMode_->isChecked()) return;
    const GridData& grid = document_.Grid();
    int l1 = 0, r1 = 0, c1 = 0, l2 = 0, r2 = 0, c2 = 0;
    // Only rows and columns matter; a corner past the grid's edge is taken
    // at the edge cell, as LocateCell clamps it.
    grid.LocateCell(corners.x1, corners.y1, 0.0, l1, r1, c1);
    grid.LocateCell(corners.x2, corners.y2, 0.0, l2, r2, c2);
    std::vector<int> layers;
    if (allLayers_->isChecked()) {
        for (int k = 0; k < grid.NumLayers(); ++k)
            layers.push_back(k);
    } else {
        layers.push_back(layer);
    }
    std::vector<CellSelectionChange> changes =
        ToggleCellSelections(grid, layers, r1, r2, c1, c2, SelectedCodes());
    if (changes.empty()) return;
    document_.Execute(new TimeSeriesCellsCommand(document_, std::move(changes)));
    if (view_ != nullptr) view_->RefreshMarkers();
}

void TimeSeriesOutputDlg::HoverCell(const HoveredCell& cell) {
    if (!showMode_->isChecked()) return;
    const SelectionGrid& cells = document_.Grid().TimeSeriesCellGrid();
    if (cell.layer < 0 || cell.layer >= cells.Layers() || cell.row < 0 ||
        cell.row >= cells.Rows() || cell.column < 0 || cell.column >= cells.Columns())
        return;
    SelectCodes(cells.Get(cell.layer, cell.row, cell.column));
}

} // namespace korva::charts
