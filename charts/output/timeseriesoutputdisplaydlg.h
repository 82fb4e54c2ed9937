#pragma once
// TimeSeriesOutputDisplayDlg ("Output Time Series Display"): the time series
// of the loaded outputs, drawn in graph windows ("Display Graph") or written
// as tab-delimited text ("Write to tab-delimited file using timestep:"). While
// it is open the view tells it the cell under the pointer, and the list marks
// that cell's series.
#include "files/series/seriescatalog.h"
#include "view3d/viewreceivers.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace korva {
class CKORVADoc;
struct ModelChange;
} // namespace korva

namespace korva::charts {

class GraphDlg;

class TimeSeriesOutputDisplayDlg : public QDialog, public TimeSeriesHoverReceiver {
    Q_OBJECT
public:
    // view (may be null) is put into the time-series display mode while the
    // dialog is shown and tells it the cell under the pointer.
    TimeSeriesOutputDisplayDlg(CKORVADoc& document, ViewReceiverHost* view,
                               QWidget* parent = nullptr);
    ~TimeSeriesOutputDisplayDlg() override;

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

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::vector<SeriesEntry> Selected() const;
    void OnModelEdited(const ModelChange& change);
    void LeaveView();

    CKORVADoc& document_;
    ViewReceiverHost* view_ = nullptr;
    std::vector<SeriesEntry> entries_;
    QListWidget* list_ = nullptr;
    QComboBox* from_ = nullptr;
    QComboBox* to_ = nullptr;
    QLineEdit* interval_ = nullptr;
};

} // namespace korva::charts
