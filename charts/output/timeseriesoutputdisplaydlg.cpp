#include "timeseriesoutputdisplaydlg.h"

#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "charts/graph/timeseriesgraph.h"
#include "charts/window/graphdlg.h"
#include "files/numberformat.h"
#include "files/series/seriesexport.h"
#include "model/messages.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace korva::charts {

namespace {

// The view's time-series display mode (grid lines and the hover readout).
constexpr int TimeSeriesDisplayMode = 7;

} // namespace

TimeSeriesOutputDisplayDlg::TimeSeriesOutputDisplayDlg(CKORVADoc& document, ViewReceiverHost* view,
                                                       QWidget* parent)
    : QDialog(parent), document_(document), view_(view) {
    setWindowTitle("Output Time Series Display");
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setMinimumWidth(460);
    layout->addWidget(list_, 1);

    auto* dates = new QGridLayout;
    from_ = new QComboBox(this);
    to_ = new QComboBox(this);
    dates->addWidget(new QLabel("From:", this), 0, 0);
    dates->addWidget(from_, 0, 1);
    dates->addWidget(new QLabel("To:", this), 0, 2);
    dates->addWidget(to_, 0, 3);
    dates->setColumnStretch(1, 1);
    dates->setColumnStretch(3, 1);
    layout->addLayout(dates);

    auto* display = new QPushButton("Display Graph", this);
    layout->addWidget(display);
    auto* textRow = new QHBoxLayout;
    auto* write = new QPushButton("Write to tab-delimited file using timestep:", this);
    interval_ = new QLineEdit("1", this);
    interval_->setMaximumWidth(80);
    textRow->addWidget(write, 1);
    textRow->addWidget(interval_);
    textRow->addWidget(new QLabel("days", this));
    layout->addLayout(textRow);
    auto* close = new QPushButton("Close", this);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close);
    layout->addLayout(closeRow);

    connect(display, &QPushButton::clicked, this, [this] { DisplayGraph(); });
    connect(write, &QPushButton::clicked, this, &TimeSeriesOutputDisplayDlg::WriteText);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&document_, &CKORVADoc::ModelEdited, this, &TimeSeriesOutputDisplayDlg::OnModelEdited);
}

TimeSeriesOutputDisplayDlg::~TimeSeriesOutputDisplayDlg() {
    LeaveView();
}

void TimeSeriesOutputDisplayDlg::LeaveView() {
    if (view_ == nullptr) return;
    view_->SetTimeSeriesHoverReceiver(nullptr);
    if (view_->ViewMode() == TimeSeriesDisplayMode) view_->SetViewMode(-1);
}

void TimeSeriesOutputDisplayDlg::hideEvent(QHideEvent* event) {
    LeaveView();
    QDialog::hideEvent(event);
}

void TimeSeriesOutputDisplayDlg::OnModelEdited(const ModelChange& change) {
    // New results or another simulation period change what can be listed.
    if (isVisible() && change.Touches(ModelChange::Outputs | ModelChange::SimulationPeriod))
        Refresh();
}

void TimeSeriesOutputDisplayDlg::showEvent(QShowEvent* event) {
    Refresh();
    if (view_ != nullptr) {
        view_->SetTimeSeriesHoverReceiver(this);
        view_->SetViewMode(TimeSeriesDisplayMode);
    }
    QDialog::showEvent(event);
}

void TimeSeriesOutputDisplayDlg::Refresh() {
    entries_ = ListTimeSeries(document_.Grid());
    list_->clear();
    for (const SeriesEntry& entry : entries_)
        list_->addItem(QString::fromStdString(entry.text));
    from_->clear();
    to_->clear();
    const int start = document_.Grid().Settings().simulationStart;
    const int end = std::max(start, document_.Grid().Settings().simulationEnd);
    for (int day = start; day <= end; ++day) {
        const QString text =
            QString::fromStdString(SeriesDateText(day, document_.Grid().Settings().simulationYear));
        from_->addItem(text);
        to_->addItem(text);
    }
    from_->setCurrentIndex(0);
    to_->setCurrentIndex(to_->count() - 1);
}

std::vector<SeriesEntry> TimeSeriesOutputDisplayDlg::Selected() const {
    std::vector<SeriesEntry> chosen;
    for (int i = 0; i < list_->count() && i < static_cast<int>(entries_.size()); ++i)
        if (list_->item(i)->isSelected()) chosen.push_back(entries_[static_cast<std::size_t>(i)]);
    return chosen;
}

std::vector<GraphDlg*> TimeSeriesOutputDisplayDlg::DisplayGraph() {
    std::vector<GraphDlg*> windows;
    const std::vector<SeriesEntry> chosen = Selected();
    if (chosen.empty() || from_->currentIndex() < 0 || to_->currentIndex() < 0) return windows;
    const int from = document_.Grid().Settings().simulationStart + from_->currentIndex();
    const int to = document_.Grid().Settings().simulationStart + to_->currentIndex();
    if (from > to) {
        Prompts().Warn(this, "The \"from\" date must not be after the \"to\" date.");
        return windows;
    }
    std::string problem;
    std::vector<GraphData> graphs =
        MakeTimeSeriesGraphs(document_.Grid(), chosen, from, to, &problem);
    if (graphs.empty()) {
        Prompts().Warn(this, QString::fromStdString(problem));
        return windows;
    }
    for (GraphData& graph : graphs)
        windows.push_back(ShowGraph(std::move(graph), CKORVADoc::WorkingFolder(), nullptr));
    return windows;
}

void TimeSeriesOutputDisplayDlg::WriteText() {
    double interval = 0.0;
    if (!ParseDouble(interval_->text().trimmed().toStdString(), interval) ||
        !std::isfinite(interval)) {
        Prompts().Warn(this, "The timestep must be a number of days.");
        return;
    }
    QString path = Prompts().SaveFileName(this, "Write to tab-delimited file",
                                          "Tab-delimited files (*.txt);;All Files (*.*)",
                                          CKORVADoc::WorkingFolder());
    if (path.isEmpty()) return;
    if (!QFileInfo(path).fileName().contains('.')) path += ".txt";
    ExportSeries(document_.Grid(), Selected(), interval, path.toStdString());
}

void TimeSeriesOutputDisplayDlg::HoverCell(const HoveredCell& cell) {
    // Mark the series of the cell under the pointer, so the user sees which
    // entries belong to it.
    for (int i = 0; i < list_->count() && i < static_cast<int>(entries_.size()); ++i) {
        SeriesPlace place;
        const auto& entry = entries_[static_cast<std::size_t>(i)];
        const bool here = ParseSeriesName(SeriesRecord(document_.Grid(), entry).name, place) &&
                          place.kind == SeriesPlace::Kind::Cell && place.x == cell.row &&
                          place.y == cell.column && (place.z < 0 || place.z == cell.layer);
        QFont font = list_->item(i)->font();
        font.setBold(here);
        list_->item(i)->setFont(font);
    }
}

} // namespace korva::charts
