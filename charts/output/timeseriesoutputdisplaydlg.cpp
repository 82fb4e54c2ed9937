#include "timeseriesoutputdisplaydlg.h"

#include "charts/graph/timeseriesgraph.h"
#include "charts/window/graphdlg.h"
#include "files/numberformat.h"
#include "files/series/seriesexport.h"
#include "model/messages.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

namespace korva::charts {

TimeSeriesOutputDisplayDlg::TimeSeriesOutputDisplayDlg(const GridData& grid,
                                                       const QString& workingFolder,
                                                       QWidget* parent)
    : QDialog(parent), grid_(grid), workingFolder_(workingFolder) {
    setWindowTitle("Output Time Series Display");
    showMessage = [this](const QString& text) {
        QMessageBox::warning(this, "Output Time Series Display", text);
    };
    chooseSaveFile = [this] {
        QString path =
            QFileDialog::getSaveFileName(this, "Write to tab-delimited file", workingFolder_,
                                         "Tab-delimited files (*.txt);;All Files (*.*)");
        if (!path.isEmpty() && !QFileInfo(path).fileName().contains('.')) path += ".txt";
        return path;
    };

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
}

void TimeSeriesOutputDisplayDlg::showEvent(QShowEvent* event) {
    Refresh();
    QDialog::showEvent(event);
}

void TimeSeriesOutputDisplayDlg::Refresh() {
    entries_ = ListTimeSeries(grid_);
    list_->clear();
    for (const SeriesEntry& entry : entries_)
        list_->addItem(QString::fromStdString(entry.text));
    from_->clear();
    to_->clear();
    const int start = grid_.settings.simulationStart;
    const int end = std::max(start, grid_.settings.simulationEnd);
    for (int day = start; day <= end; ++day) {
        const QString text =
            QString::fromStdString(SeriesDateText(day, grid_.settings.simulationYear));
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
    const int from = grid_.settings.simulationStart + from_->currentIndex();
    const int to = grid_.settings.simulationStart + to_->currentIndex();
    if (from > to) {
        showMessage("The \"from\" date must not be after the \"to\" date.");
        return windows;
    }
    std::string problem;
    std::vector<GraphData> graphs = MakeTimeSeriesGraphs(grid_, chosen, from, to, &problem);
    if (graphs.empty()) {
        showMessage(QString::fromStdString(problem));
        return windows;
    }
    for (GraphData& graph : graphs)
        windows.push_back(ShowGraph(std::move(graph), workingFolder_, nullptr));
    return windows;
}

void TimeSeriesOutputDisplayDlg::WriteText() {
    double interval = 0.0;
    if (!ParseDouble(interval_->text().trimmed().toStdString(), interval) ||
        !std::isfinite(interval)) {
        showMessage("The timestep must be a number of days.");
        return;
    }
    const QString path = chooseSaveFile();
    if (path.isEmpty()) return;
    ExportSeries(grid_, Selected(), interval, path.toStdString());
}

void TimeSeriesOutputDisplayDlg::HoverCell(const HoveredCell& cell) {
    // Mark the series of the cell under the pointer, so the user sees which
    // entries belong to it.
    for (int i = 0; i < list_->count() && i < static_cast<int>(entries_.size()); ++i) {
        SeriesPlace place;
        const auto& entry = entries_[static_cast<std::size_t>(i)];
        const bool here = ParseSeriesName(SeriesRecord(grid_, entry).name, place) &&
                          place.kind == SeriesPlace::Kind::Cell && place.x == cell.row &&
                          place.y == cell.column && (place.z < 0 || place.z == cell.layer);
        QFont font = list_->item(i)->font();
        font.setBold(here);
        list_->item(i)->setFont(font);
    }
}

} // namespace korva::charts
