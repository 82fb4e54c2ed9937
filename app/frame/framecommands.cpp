#include "framecommands.h"

#include "aboutdlg.h"
#include "app/document/commandids.h"
#include "app/document/korvadoc.h"
#include "app/help/helpwindow.h"
#include "app/rundialogs/runcommand.h"
#include "mainframe.h"
#include "propertiesdlg.h"
#include "splitterframe.h"

#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

namespace korva {

void RegisterFrameCommands(CommandTable& table, CMainFrame& frame) {
    using namespace cmd;
    CMainFrame* main = &frame;
    auto always = [](const CommandContext&) { return true; };

    table.Register(
        FileNew, [main](const CommandContext&) { main->NewDocument(); }, always);
    table.Register(
        FileOpen, [main](const CommandContext&) { main->OpenWithDialog(); }, always);
    table.Register(FileClose, [main](const CommandContext& c) { main->CloseDocument(c.document); });
    table.Register(FileSave, [main](const CommandContext& c) { c.document->DoSave(false, main); });
    table.Register(FileSaveAs, [main](const CommandContext& c) { c.document->DoSave(true, main); });
    table.Register(FileImportModel,
                   [main](const CommandContext& c) { c.document->ImportModelFile(main); });
    table.Register(
        FileExit, [main](const CommandContext&) { main->close(); }, always);

    table.Register(
        EditUndo, [](const CommandContext& c) { c.document->UndoStack()->undo(); },
        [](const CommandContext& c) {
            return c.document != nullptr && c.document->UndoStack()->canUndo();
        });
    table.Register(
        EditRedo, [](const CommandContext& c) { c.document->UndoStack()->redo(); },
        [](const CommandContext& c) {
            return c.document != nullptr && c.document->UndoStack()->canRedo();
        });

    table.Register(ViewToolbar,
                   {[main](const CommandContext&) {
                        main->ToolBar()->setVisible(!main->ToolBar()->isVisible());
                    },
                    always,
                    [main](const CommandContext&) { return main->ToolBar()->isVisible(); }});
    table.Register(ViewStatusBar,
                   {[main](const CommandContext&) {
                        main->statusBar()->setVisible(!main->statusBar()->isVisible());
                    },
                    always,
                    [main](const CommandContext&) { return main->statusBar()->isVisible(); }});

    table.Register(WindowNew, [main](const CommandContext& c) { main->NewWindow(*c.document); });
    table.Register(WindowCascade,
                   [main](const CommandContext&) { main->MdiArea()->cascadeSubWindows(); });
    table.Register(WindowTile,
                   [main](const CommandContext&) { main->MdiArea()->tileSubWindows(); });
    // Minimised windows sit along the bottom already; arranging them is
    // lining them up again, which cascading the minimised ones does.
    table.Register(WindowArrange,
                   [main](const CommandContext&) { main->MdiArea()->cascadeSubWindows(); });

    table.Register(NextPane, [](const CommandContext& c) {
        if (auto* frame = qobject_cast<CSplitterFrame*>(c.frame)) frame->FocusNextPane(true);
    });
    table.Register(PreviousPane, [](const CommandContext& c) {
        if (auto* frame = qobject_cast<CSplitterFrame*>(c.frame)) frame->FocusNextPane(false);
    });

    table.Register(
        HelpTopics, [main](const CommandContext&) { ShowHelpTopics(main); }, always);
    table.Register(
        HelpAbout, [main](const CommandContext&) { ShowAboutBox(main); }, always);
    // "Check for &Updates" and "&KORVA Home Page" have no handler: shown disabled.

    table.Register(DataProperties,
                   [main](const CommandContext& c) { ShowPropertiesDialog(*c.document, main); });
    RegisterRunCommand(table, frame);
}

} // namespace korva
