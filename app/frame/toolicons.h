#pragma once
// The toolbar's pictures: drawn by the program itself, so they need no files
// and look the same on every desktop.
#include <QIcon>
#include <QString>

namespace korva {

// The icon of command id, or a null icon for commands without a button.
QIcon ToolIcon(const QString& id);

} // namespace korva
