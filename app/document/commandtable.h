#pragma once
// The command table: where each desktop library gives the menu and toolbar
// commands (commandids.h) their behaviour, so that no library has to edit the
// main frame. A library registers its handlers in one function of its own,
// for example RegisterDialogCommands(CommandTable&), which the program calls
// once at start-up (app/registercommands.cpp).
//
// The table also carries the factories of the two panes of a project window,
// so the 3D view library can put its view and control panel there.
#include <QObject>
#include <QString>
#include <functional>
#include <map>

class QWidget;

namespace korva {

class CKORVADoc;

// What a handler works on: the active project window, if any.
struct CommandContext {
    CKORVADoc* document = nullptr; // the active project; null when none is open
    QWidget* frame = nullptr;      // the active project window (CSplitterFrame)
    QWidget* view = nullptr;       // its right pane (the 3D view)
    QWidget* panel = nullptr;      // its left pane (the control panel)
    QWidget* mainWindow = nullptr; // the main frame, parent for dialogs
};

struct CommandHandler {
    std::function<void(const CommandContext&)> run;
    // Whether the command can be used now; absent means "whenever a project
    // is open" for project commands and "always" for the others.
    std::function<bool(const CommandContext&)> enabled;
    // For commands shown with a check mark; absent means not checkable.
    std::function<bool(const CommandContext&)> checked;
};

using PaneFactory = std::function<QWidget*(CKORVADoc& document, QWidget* parent)>;

class CommandTable : public QObject {
    Q_OBJECT
public:
    // Registers (or replaces) the handler of command id.
    void Register(const QString& id, CommandHandler handler);
    void Register(const QString& id, std::function<void(const CommandContext&)> run,
                  std::function<bool(const CommandContext&)> enabled = {});
    bool Has(const QString& id) const;
    const CommandHandler* Find(const QString& id) const;
    // Runs the handler; false when there is none or it may not run now.
    bool Run(const QString& id, const CommandContext& context) const;
    // Without a handler: false. With one: its enabled rule, else whether a
    // project is open (requiresDocument) or true.
    bool IsEnabled(const QString& id, const CommandContext& context, bool requiresDocument) const;

    // The panes of a project window; without a factory the window shows a
    // placeholder.
    void SetViewFactory(PaneFactory factory) { viewFactory_ = std::move(factory); }
    void SetControlPanelFactory(PaneFactory factory) { panelFactory_ = std::move(factory); }
    const PaneFactory& ViewFactory() const { return viewFactory_; }
    const PaneFactory& ControlPanelFactory() const { return panelFactory_; }

    // Asks the main frame to look at every command's state again (call it
    // when something an enabled rule reads has changed outside the document).
    void RequestStateUpdate() { emit StatesMayHaveChanged(); }

signals:
    void StatesMayHaveChanged();

private:
    std::map<QString, CommandHandler> handlers_;
    PaneFactory viewFactory_;
    PaneFactory panelFactory_;
};

} // namespace korva
