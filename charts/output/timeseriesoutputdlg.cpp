#include "timeseriesoutputdlg.h"

#include "app/document/commands/valuecommand.h"
#include "app/document/korvadoc.h"
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
    const int current = std::max(0, layer_->currentIndex());
    layer_->blockSignals(true);
    layer_->clear();
    for (int k = 1; k <= document_.Grid().NumLayers(); ++k)
        layer_->addItem(QString::number(k));
    layer_->setCurrentIndex(std::min(current, layer_->count() - 1));
    layer_->blockSignals(false);
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
    auto* command = new ValueCommand<OutputParamDataItem>(
        document_, "Time Series Output",
        [](GridData& grid) -> OutputParamDataItem& { return grid.GridOutputParamList; },
        SelectedCodes(), ModelChange{ModelChange::OutputSelection});
    document_.Execute(command);
}

void TimeSeriesOutputDlg::ShowSelection() {
    SelectCodes(document_.Grid().GridOutputParamList);
}

void TimeSeriesOutputDlg::ClearCells() {
    const GridData& grid = document_.Grid();
    std::vector<CellSelectionChange> changes;
    for (int l = 0; l < static_cast<int>(grid.TimeSeriesCellGrid.size()); ++l) {
        const auto& rows = grid.TimeSeriesCellGrid[static_cast<std::size_t>(l)];
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const auto& row = rows[static_cast<std::size_t>(r)];
            for (int c = 0; c < static_cast<int>(row.size()); ++c)
                if (!row[static_cast<std::size_t>(c)].empty())
                    changes.push_back({l, r, c, row[static_cast<std::size_t>(c)], {}});
        }
    }
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
    const auto& cells = document_.Grid().TimeSeriesCellGrid;
    if (cell.layer < 0 || cell.layer >= static_cast<int>(cells.size())) return;
    const auto& rows = cells[static_cast<std::size_t>(cell.layer)];
    if (cell.row < 0 || cell.row >= static_cast<int>(rows.size())) return;
    const auto& row = rows[static_cast<std::size_t>(cell.row)];
    if (cell.column < 0 || cell.column >= static_cast<int>(row.size())) return;
    SelectCodes(row[static_cast<std::size_t>(cell.column)]);
}

} // namespace korva::charts
