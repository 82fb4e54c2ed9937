#pragma once
// What "Export to ParaView..." offers and accepts, without the window: the
// suggested file, whether the project has results to write, the files an
// export writes, and the check of a chosen file name.
#include <QString>
#include <QStringList>

namespace korva {

class GridData;

class ParaViewExportChoice {
public:
    // projectPath: the project's file (empty while never saved); title: its
    // window title; folder: where an unsaved project's export goes.
    ParaViewExportChoice(const GridData& grid, const QString& projectPath, const QString& title,
                         const QString& folder);

    // Whether the project holds results of a run: then the export can write
    // them too, one file per output time and a collection ParaView animates.
    bool HasResults() const { return outputTimes_ > 0; }
    int OutputTimes() const { return outputTimes_; }
    // Beside the project, with its name: "field3d.kvp" gives "field3d.vtr".
    QString SuggestedPath() const;
    // path with ".vtr" added when it has another ending or none.
    static QString WithVtrSuffix(const QString& path);
    // The files written for path, the grid's first.
    QStringList FilesWritten(const QString& path, bool outputs) const;
    // One line for the dialog: "Writes field3d.vtr." or "Writes field3d.vtr,
    // field3d_0001.vtr to field3d_0012.vtr and field3d.pvd."
    QString Summary(const QString& path, bool outputs) const;
    // The file to write for what the user typed (".vtr" added); false with
    // message when there is nothing to write to.
    bool Check(const QString& typed, bool outputs, QString& path, QString& message) const;

private:
    int outputTimes_ = 0;
    QString projectPath_;
    QString title_;
    QString folder_;
};

} // namespace korva
