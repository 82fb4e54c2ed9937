#include "mainframe.h"

#include "app/document/commandids.h"
#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "app/document/workingfolder.h"
#include "commandcatalog.h"
#include "splitterframe.h"
#include "toolicons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

namespace korva {

namespace {

bool IsProjectFile(const QString& path) {
    return QFileInfo(path).suffix().compare("kvp", Qt::CaseInsensitive) == 0;
}

constexpr char ConfirmedProperty[] = "korvaCloseConfirmed";

QString RecentKey(int i) {
    return QString("Recent File List/File%1").arg(i + 1);
}

} // namespace

CMainFrame::CMainFrame(CommandTable& table, QWidget* parent) : QMainWindow(parent), table_(table) {
    setObjectName("MainFrame");
    setWindowTitle("KORVA");
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    setAcceptDrops(true);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    LoadRecentFiles();

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenuKind();
        UpdateCaptions(ActiveDocument());
        UpdateCommandStates();
    });
    connect(&table_, &CommandTable::StatesMayHaveChanged, this, &CMainFrame::UpdateCommandStates);
    qApp->installEventFilter(this);
    RestoreGeometry();
    UpdateMenuKind();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // Projects go before the frame they report to (also those whose deletion
    // was only scheduled).
    for (CKORVADoc* document : findChildren<CKORVADoc*>(Qt::FindDirectChildrenOnly)) {
        ForgetDocument(document);
        delete document;
    }
}

void CMainFrame::ForgetDocument(CKORVADoc* document) {
    documents_.removeAll(document);
    document->disconnect(this);
    document->UndoStack()->disconnect(this);
}

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : CommandCatalog()) {
        auto* action = new QAction(info.text, this);
        action->setObjectName(info.id);
        action->setStatusTip(info.statusText);
        action->setToolTip(info.toolTip[0] != '\0' ? info.toolTip : info.text);
        action->setShortcuts(info.keys);
        action->setIcon(ToolIcon(info.id));
        action->setIconVisibleInMenu(false);
        action->setEnabled(false);
        const QString id = info.id;
        connect(action, &QAction::triggered, this, [this, id] {
            table_.Run(id, Context());
            UpdateCommandStates();
        });
        actions_.insert(id, action);
        addAction(action); // keys work while any child has the focus
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuInfo& info : MenuLayout()) {
        QMenu* menu = menuBar()->addMenu(info.title);
        menu->setObjectName(QString(info.title).remove('&'));
        menus_.insert(info.title, menu);
        for (const char* id : info.ids) {
            if (id == nullptr) {
                menu->addSeparator();
            } else if (QString(id) == RecentFilesPlace) {
                recentSeparator_ = menu->addSeparator();
            } else {
                menu->addAction(actions_.value(id));
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar("Standard");
    toolBar_->setObjectName("StandardToolBar");
    toolBar_->setIconSize(QSize(22, 22));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    for (const char* id : ToolbarLayout()) {
        if (id == nullptr)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_.value(id));
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->showMessage("Ready");
    auto indicator = [bar](const QString& text) {
        auto* label = new QLabel(text, bar);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance("SCRL") + 10);
        label->setEnabled(false);
        bar->addPermanentWidget(label);
        return label;
    };
    capsLock_ = indicator("CAP");
    numLock_ = indicator("NUM");
    scrollLock_ = indicator("SCRL");
}

CKORVADoc* CMainFrame::ActiveDocument() const {
    CSplitterFrame* frame = ActiveFrame();
    return frame != nullptr ? &frame->Document() : nullptr;
}

CSplitterFrame* CMainFrame::ActiveFrame() const {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (sub == nullptr && !mdiArea_->subWindowList().isEmpty())
        sub = mdiArea_->subWindowList().last();
    return sub != nullptr ? qobject_cast<CSplitterFrame*>(sub->widget()) : nullptr;
}

QList<CSplitterFrame*> CMainFrame::FramesOf(const CKORVADoc* document) const {
    QList<CSplitterFrame*> frames;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* frame = qobject_cast<CSplitterFrame*>(sub->widget()))
            if (&frame->Document() == document) frames.append(frame);
    return frames;
}

CommandContext CMainFrame::Context() const {
    CommandContext context;
    context.mainWindow = const_cast<CMainFrame*>(this);
    if (CSplitterFrame* frame = ActiveFrame()) {
        context.document = &frame->Document();
        context.frame = frame;
        context.view = frame->ViewPane();
        context.panel = frame->ControlPanelPane();
    }
    return context;
}

void CMainFrame::AddDocument(CKORVADoc* document) {
    document->setParent(this);
    documents_.append(document);
    connect(document, &CKORVADoc::TitleChanged, this,
            [this, document] { UpdateCaptions(document); });
    connect(document, &CKORVADoc::ModifiedChanged, this, [this, document] {
        UpdateCaptions(document);
        UpdateCommandStates();
    });
    connect(document, &CKORVADoc::PathChanged, this, &CMainFrame::AddRecentFile);
    connect(document->UndoStack(), &QUndoStack::indexChanged, this,
            &CMainFrame::UpdateCommandStates);
    connect(document, &CKORVADoc::ViewsUpdate, this, &CMainFrame::UpdateCommandStates);
}

CKORVADoc* CMainFrame::NewDocument() {
    auto* document = new CKORVADoc(this);
    document->OnNewDocument();
    document->SetTitle(QString("KORVA%1").arg(++untitledCount_));
    AddDocument(document);
    NewWindow(*document);
    return document;
}

CKORVADoc* CMainFrame::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CKORVADoc* open : documents_) {
        if (!open->PathName().isEmpty() && QFileInfo(open->PathName()) == QFileInfo(absolute)) {
            if (CSplitterFrame* frame = FramesOf(open).value(0))
                mdiArea_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(frame->parentWidget()));
            return open;
        }
    }
    auto* document = new CKORVADoc(this);
    if (!document->OnOpenDocument(absolute)) {
        delete document;
        RemoveRecentFile(absolute);
        return nullptr;
    }
    AddDocument(document);
    AddRecentFile(document->PathName());
    NewWindow(*document);
    return document;
}

void CMainFrame::OpenWithDialog() {
    const QString path =
        Prompts().OpenFileName(this, "Open", "KORVA project files (*.kvp);;All Files (*)");
    if (!path.isEmpty()) OpenDocumentFile(path);
}

CSplitterFrame* CMainFrame::NewWindow(CKORVADoc& document) {
    auto* frame = new CSplitterFrame(document, table_);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(frame);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    sub->resize(800, 600);
    sub->showMaximized();
    mdiArea_->setActiveSubWindow(sub);
    frame->ViewPane()->setFocus();
    UpdateCaptions(&document);
    UpdateMenuKind();
    UpdateCommandStates();
    return frame;
}

bool CMainFrame::CloseFrame(CSplitterFrame* frame) {
    if (frame == nullptr) return true;
    auto* sub = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    return sub != nullptr ? sub->close() : true;
}

bool CMainFrame::CloseDocument(CKORVADoc* document) {
    if (document == nullptr) return true;
    if (!document->SaveModified(this)) return false;
    for (CSplitterFrame* frame : FramesOf(document)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
        sub->setProperty(ConfirmedProperty, true); // asked already
        sub->close();
    }
    ForgetDocument(document);
    document->deleteLater();
    UpdateMenuKind();
    UpdateCommandStates();
    return true;
}

bool CMainFrame::CloseAllDocuments() {
    for (CKORVADoc* document : QList<CKORVADoc*>(documents_))
        if (!CloseDocument(document)) return false;
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // The lock states ride on every key event (X11 modifier bits).
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->nativeModifiers() != 0 || key->nativeScanCode() != 0) {
            capsLock_->setEnabled((key->nativeModifiers() & 0x2) != 0);
            numLock_->setEnabled((key->nativeModifiers() & 0x10) != 0);
        }
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    // The close of a project window passes here twice (this filter watches
    // the program and the window); the property says it was settled.
    if (sub != nullptr && event->type() == QEvent::Close &&
        !sub->property(ConfirmedProperty).toBool()) {
        auto* frame = qobject_cast<CSplitterFrame*>(sub->widget());
        if (frame != nullptr && documents_.contains(&frame->Document())) {
            CKORVADoc* document = &frame->Document();
            if (FramesOf(document).size() == 1) {
                // The last window of a project closes the project.
                if (!document->SaveModified(this)) {
                    event->ignore();
                    return true;
                }
                ForgetDocument(document);
                document->deleteLater();
            }
            sub->setProperty(ConfirmedProperty, true);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    UpdateMenuKind();
                    UpdateCaptions(ActiveDocument());
                    UpdateCommandStates();
                },
                Qt::QueuedConnection);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateCaptions(CKORVADoc* document) {
    if (document != nullptr) {
        const QList<CSplitterFrame*> frames = FramesOf(document);
        for (int i = 0; i < frames.size(); ++i) {
            QString caption = document->Title();
            if (frames.size() > 1) caption += QString(":%1").arg(i + 1);
            if (document->IsModified()) caption += "*";
            if (auto* sub = qobject_cast<QMdiSubWindow*>(frames[i]->parentWidget()))
                sub->setWindowTitle(caption);
        }
    }
    // The multi-document area adds the maximised window's caption to ours
    // ("KORVA - [KORVA1*]").
}

void CMainFrame::UpdateMenuKind() {
    // Without a project the menu shows only what can be done without one.
    const bool project = ActiveDocument() != nullptr;
    for (const MenuInfo& info : MenuLayout())
        if (info.requiresDocument) menus_.value(info.title)->menuAction()->setVisible(project);
    for (const char* id : {cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, cmd::FileImportModel})
        actions_.value(id)->setVisible(project);
}

void CMainFrame::UpdateCommandStates() {
    const CommandContext context = Context();
    for (const CommandInfo& info : CommandCatalog()) {
        QAction* action = actions_.value(info.id);
        action->setEnabled(table_.IsEnabled(info.id, context, info.requiresDocument));
        const CommandHandler* handler = table_.Find(info.id);
        const bool checkable = handler != nullptr && handler->checked;
        action->setCheckable(checkable);
        if (checkable) action->setChecked(handler->checked(context));
    }
}

void CMainFrame::LoadRecentFiles() {
    QSettings settings(SettingsOrganization, SettingsApplication);
    recentFiles_.clear();
    for (int i = 0; i < RecentFileCount; ++i) {
        const QString path = settings.value(RecentKey(i)).toString();
        if (!path.isEmpty() && !recentFiles_.contains(path)) recentFiles_.append(path);
    }
    RebuildRecentMenu();
}

void CMainFrame::StoreRecentFiles() {
    QSettings settings(SettingsOrganization, SettingsApplication);
    for (int i = 0; i < RecentFileCount; ++i) {
        if (i < recentFiles_.size())
            settings.setValue(RecentKey(i), recentFiles_[i]);
        else
            settings.remove(RecentKey(i));
    }
    settings.sync();
}

void CMainFrame::AddRecentFile(const QString& path) {
    if (path.isEmpty()) return;
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > RecentFileCount)
        recentFiles_.removeLast();
    StoreRecentFiles();
    RebuildRecentMenu();
}

void CMainFrame::RemoveRecentFile(const QString& path) {
    if (recentFiles_.removeAll(path) == 0) return;
    StoreRecentFiles();
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    QMenu* file = menus_.value("&File");
    for (QAction* action : recentActions_) {
        file->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        auto* action =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this);
        action->setStatusTip("Open this document");
        connect(action, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); });
        file->insertAction(recentSeparator_, action);
        recentActions_.append(action);
    }
    recentSeparator_->setVisible(!recentFiles_.isEmpty());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (runDialog_ != nullptr) {
        if (Prompts().Ask(this, "KORVA is running. Stop the model run and exit?", false) !=
            Answer::Yes) {
            event->ignore();
            return;
        }
        runDialog_->close(); // ends the solver and waits for it
    }
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    StoreGeometry();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile() && IsProjectFile(url.toLocalFile())) {
                event->acceptProposedAction();
                return;
            }
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsProjectFile(url.toLocalFile()))
            OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
}

void CMainFrame::RestoreGeometry() {
    QSettings settings(SettingsOrganization, SettingsApplication);
    if (!restoreGeometry(settings.value("MainFrame/geometry").toByteArray())) resize(1100, 760);
    restoreState(settings.value("MainFrame/state").toByteArray());
}

void CMainFrame::StoreGeometry() {
    QSettings settings(SettingsOrganization, SettingsApplication);
    settings.setValue("MainFrame/geometry", saveGeometry());
    settings.setValue("MainFrame/state", saveState());
}

} // namespace korva
