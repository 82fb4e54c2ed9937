#pragma once
// The toolbar's pictures: drawn by the program itself, so they need no files
// and look the same on every desktop.
#include <QIcon>
#include <QString>

namespace korva {

// The icon of command id, or a null icon for commands without a button.
QIcon ToolIcon(const QString& id);
// The program's own icon (windows, about box): a block of soil layers.
QIcon ApplicationIcon();

} // namespace korva
