#pragma once
// CSplitterFrame: one window of a project inside the main frame. A splitter
// holds the control panel on the left (230 pixels wide at first) and the 3D
// view on the right, which has the focus. The panes come from the factories
// in the command table; without one a pane shows a placeholder.
#include <QPointer>
#include <QWidget>

class QSplitter;

namespace korva {

class CKORVADoc;
class CommandTable;

class CSplitterFrame : public QWidget {
    Q_OBJECT
public:
    CSplitterFrame(CKORVADoc& document, const CommandTable& table, QWidget* parent = nullptr);

    CKORVADoc& Document() const { return *document_; }
    QWidget* ViewPane() const { return view_; }
    QWidget* ControlPanelPane() const { return panel_; }
    QSplitter* Splitter() const { return splitter_; }
    static constexpr int ControlPanelWidth = 230;

    // F6 and Shift+F6: the focus to the next or previous pane.
    void FocusNextPane(bool forward);

private:
    CKORVADoc* document_;
    QSplitter* splitter_;
    QWidget* panel_;
    QWidget* view_;
};

} // namespace korva
