#include "paraviewexportchoice.h"

#include "files/vtk/vtkexport.h"
#include "model/griddata.h"

#include <QDir>
#include <QFileInfo>

namespace korva {

ParaViewExportChoice::ParaViewExportChoice(const GridData& grid, const QString& projectPath,
                                           const QString& title, const QString& folder)
    : outputTimes_(VtkOutputTimeCount(grid)), projectPath_(projectPath), title_(title),
      folder_(folder) {}

QString ParaViewExportChoice::SuggestedPath() const {
    if (!projectPath_.isEmpty()) {
        const QFileInfo project(projectPath_);
        return project.dir().filePath(project.completeBaseName() + QStringLiteral(".vtr"));
    }
    const QString name = title_.isEmpty() ? QStringLiteral("export") : title_;
    return QDir(folder_.isEmpty() ? QDir::currentPath() : folder_)
        .filePath(name + QStringLiteral(".vtr"));
}

QString ParaViewExportChoice::WithVtrSuffix(const QString& path) {
    if (path.endsWith(QStringLiteral(".vtr"), Qt::CaseInsensitive)) return path;
    return path + QStringLiteral(".vtr");
}

QStringList ParaViewExportChoice::FilesWritten(const QString& path, bool outputs) const {
    QStringList files{path};
    if (!outputs || !HasResults()) return files;
    const std::string grid = path.toStdString();
    for (int t = 0; t < outputTimes_; ++t)
        files << QString::fromStdString(VtkOutputStepPath(grid, t));
    files << QString::fromStdString(VtkCollectionPath(grid));
    return files;
}

QString ParaViewExportChoice::Summary(const QString& path, bool outputs) const {
    const QStringList files = FilesWritten(path, outputs);
    auto name = [](const QString& file) { return QFileInfo(file).fileName(); };
    if (files.size() == 1) return QStringLiteral("Writes ") + name(files[0]) + QLatin1Char('.');
    QString steps = name(files[1]);
    if (files.size() > 3) steps += QStringLiteral(" to ") + name(files[files.size() - 2]);
    return QStringLiteral("Writes ") + name(files[0]) + QStringLiteral(", ") + steps +
           QStringLiteral(" and ") + name(files.back()) + QLatin1Char('.');
}

bool ParaViewExportChoice::Check(const QString& typed, bool outputs, QString& path,
                                 QString& message) const {
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty()) {
        message = QStringLiteral("Choose the file to write.");
        return false;
    }
    if (outputs && !HasResults()) {
        message = QStringLiteral("This project has no results of a run to write.");
        return false;
    }
    // A relative name is the user's working folder's, as in the other dialogs.
    const QFileInfo typedFile(QDir(folder_.isEmpty() ? QDir::currentPath() : folder_), trimmed);
    if (typedFile.isDir()) {
        message = typedFile.filePath() + QStringLiteral(" is a folder; choose a file name in it.");
        return false;
    }
    const QFileInfo file(WithVtrSuffix(typedFile.absoluteFilePath()));
    if (file.isDir()) {
        message = file.filePath() + QStringLiteral(" is a folder; choose a file name in it.");
        return false;
    }
    if (!file.dir().exists()) {
        message =
            QStringLiteral("The folder ") + file.dir().path() + QStringLiteral(" does not exist.");
        return false;
    }
    path = file.filePath();
    return true;
}

} // namespace korva
