#include "workingfolder.h"

#include <QDir>
#include <QSettings>

namespace korva {

QString ConfiguredWorkingFolder() {
    QSettings settings(SettingsOrganization, SettingsApplication);
    return settings.value("KORVA/KORVA CWD").toString();
}

QString StartFolder(const QString& base) {
    const QString configured = ConfiguredWorkingFolder();
    if (!configured.isEmpty()) return configured;
    QString folder = base;
    if (!folder.endsWith('/')) folder += '/';
    return folder + "../examples";
}

bool ChangeWorkingFolder(const QString& folder) {
    return !folder.isEmpty() && QDir::setCurrent(folder);
}

} // namespace korva
