#pragma once
// CMainFrame: the program's main window. It holds the project windows
// (CSplitterFrame) in a multi-document area, the menus and the toolbar made
// from the command catalogue (each command runs through the command table),
// the status bar, the recent-file list, and the open projects.
#include "app/document/commandtable.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QStringList>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace korva {

class CKORVADoc;
class CSplitterFrame;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CommandTable& table, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CommandTable& Commands() { return table_; }
    QAction* Action(const QString& id) const { return actions_.value(id); }
    QMenu* Menu(const QString& title) const { return menus_.value(title); }
    QToolBar* ToolBar() const { return toolBar_; }
    QMdiArea* MdiArea() const { return mdiArea_; }

    // --- projects -----------------------------------------------------------------
    CKORVADoc* ActiveDocument() const;
    CSplitterFrame* ActiveFrame() const;
    QList<CKORVADoc*> Documents() const { return documents_; }
    QList<CSplitterFrame*> FramesOf(const CKORVADoc* document) const;
    CommandContext Context() const;

    // "&New": a new empty 3D project titled KORVA1, KORVA2, ...
    CKORVADoc* NewDocument();
    // Opens the project at path in a new window (or shows the window of the
    // project when it is open already). Null when the file cannot be read.
    CKORVADoc* OpenDocumentFile(const QString& path);
    // "&Open...": asks for a project file and opens it.
    void OpenWithDialog();
    // "&New Window": another window on the document.
    CSplitterFrame* NewWindow(CKORVADoc& document);
    // Closes one window; the last window of a project asks to save it first.
    bool CloseFrame(CSplitterFrame* frame);
    // Closes every window of the project after the save prompt.
    bool CloseDocument(CKORVADoc* document);
    // Asks for each modified project; false when the user cancelled.
    bool CloseAllDocuments();

    // --- recent files -----------------------------------------------------------
    static constexpr int RecentFileCount = 4;
    QStringList RecentFiles() const { return recentFiles_; }
    // Puts path first; the list is stored at once, so a crash loses nothing.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);

    // Looks at every command's enabled and checked state again.
    void UpdateCommandStates();

    // A model run that must be stopped before the program may close.
    void SetRunInProgress(QWidget* runDialog) { runDialog_ = runDialog; }
    QWidget* RunInProgress() const { return runDialog_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildRecentMenu();
    void LoadRecentFiles();
    void StoreRecentFiles();
    void AddDocument(CKORVADoc* document);
    void ForgetDocument(CKORVADoc* document);
    void UpdateCaptions(CKORVADoc* document);
    void UpdateMenuKind();
    void RestoreGeometry();
    void StoreGeometry();

    CommandTable& table_;
    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMap<QString, QAction*> actions_;
    QMap<QString, QMenu*> menus_;
    QList<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;
    QList<CKORVADoc*> documents_;
    QStringList recentFiles_;
    int untitledCount_ = 0;
    QPointer<QWidget> runDialog_;
    QLabel* capsLock_ = nullptr;
    QLabel* numLock_ = nullptr;
    QLabel* scrollLock_ = nullptr;
};

} // namespace korva
