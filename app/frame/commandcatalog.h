#pragma once
// The menus and the toolbar of the main frame: for every command its menu
// text, keys, status text and tool tip, and where it appears.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

namespace korva {

struct CommandInfo {
    const char* id;
    const char* text;       // menu text with its "&" mnemonic
    const char* statusText; // shown in the status bar while the item is highlighted
    const char* toolTip;    // tool tip of the toolbar button (empty: the text)
    QList<QKeySequence> keys;
    bool requiresDocument; // only with a project open
};

struct MenuInfo {
    const char* title;
    bool requiresDocument;        // only in the menu of a project window
    std::vector<const char*> ids; // nullptr: separator; "recent": the recent files
};

// Every command, in no particular order.
const std::vector<CommandInfo>& CommandCatalog();
const CommandInfo* FindCommand(const QString& id);
// The menu bar, left to right.
const std::vector<MenuInfo>& MenuLayout();
// The toolbar, left to right (nullptr: separator).
const std::vector<const char*>& ToolbarLayout();

inline constexpr char RecentFilesPlace[] = "recent";

} // namespace korva
