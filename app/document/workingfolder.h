#pragma once
// The process-wide working folder: every relative file name of the program
// (solver files, outputs, scratch files, the tutorial) is resolved in it.
#include <QString>

namespace korva {

// The settings store of the program: "Halvor Group" / "KORVA".
inline constexpr char SettingsOrganization[] = "Halvor Group";
inline constexpr char SettingsApplication[] = "KORVA";

// "KORVA CWD" of section "KORVA", empty when not set. The program only reads it.
QString ConfiguredWorkingFolder();
// The configured folder, else the examples folder beside base (base + "../examples").
QString StartFolder(const QString& base);
// Makes folder the current folder; false when it does not exist.
bool ChangeWorkingFolder(const QString& folder);

} // namespace korva
