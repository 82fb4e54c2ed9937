#pragma once
// TimeSeriesOutputDisplayDlg ("Output Time Series Display"): the time series
// of the loaded outputs, drawn in graph windows ("Display Graph") or written
// as tab-delimited text ("Write to tab-delimited file using timestep:"). While
// it is open the view tells it the cell under the pointer, and the list marks
// that cell's series.
#include "files/series/seriescatalog.h"
#include "view3d/viewreceivers.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace korva::charts {

class GraphDlg;

class TimeSeriesOutputDisplayDlg : public QDialog, public TimeSeriesHoverReceiver {
    Q_OBJECT
public:
    // grid is read when the dialog is shown; workingFolder holds the graphs'
    // chart settings file.
    TimeSeriesOutputDisplayDlg(const GridData& grid, const QString& workingFolder,
                               QWidget* parent = nullptr);

    // Fills the list and the date choices from the output store.
    void Refresh();
    const std::vector<SeriesEntry>& Entries() const { return entries_; }
    QListWidget* List() const { return list_; }
    QComboBox* From() const { return from_; }
    QComboBox* To() const { return to_; }
    QLineEdit* Interval() const { return interval_; }

    // "Display Graph": the graph windows it opened.
    std::vector<GraphDlg*> DisplayGraph();
    // "Write to tab-delimited file using timestep:".
    void WriteText();

    void HoverCell(const HoveredCell& cell) override;

    // How the dialog asks for a file name and shows a message; tests replace them.
    std::function<QString()> chooseSaveFile;
    std::function<void(const QString&)> showMessage;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<SeriesEntry> Selected() const;

    const GridData& grid_;
    QString workingFolder_;
    std::vector<SeriesEntry> entries_;
    QListWidget* list_ = nullptr;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QLineEdit* interval_ = nullptr;
};

} // namespace korva::charts
