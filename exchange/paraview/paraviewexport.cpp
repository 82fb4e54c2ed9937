#include "paraviewexport.h"

#include "app/document/korvadoc.h"
#include "app/document/prompter.h"
#include "files/vtk/vtkexport.h"
#include "paraviewexportdlg.h"

#include <QApplication>
#include <QProgressDialog>
#include <memory>
#include <string>

namespace korva {

bool ExportToParaView(const CKORVADoc& document, const QString& path, bool withResults,
                      QWidget* parent) {
    const GridData& grid = document.Grid();
    VtkExportOptions options;
    options.outputs = withResults && VtkOutputTimeCount(grid) > 0;
    std::unique_ptr<QProgressDialog> progress;
    if (options.outputs) {
        const int files = VtkOutputTimeCount(grid) + 2;
        progress = std::make_unique<QProgressDialog>(
            QStringLiteral("Writing the files for ParaView..."), QString(), 0, files, parent);
        progress->setWindowTitle(QStringLiteral("Export to ParaView"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(500);
        options.progress = [&progress](int done, int) {
            progress->setValue(done);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
    }
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ExportVtk(grid, path.toStdString(), options, &error);
    QApplication::restoreOverrideCursor();
    progress.reset();
    if (!written) {
        Prompts().Warn(parent, QStringLiteral("Export to ParaView failed: cannot write ") +
                                   QString::fromStdString(error));
        return false;
    }
    return true;
}

void RunParaViewExport(CKORVADoc& document, QWidget* parent) {
    const ParaViewExportChoice choice(document.Grid(), document.PathName(), document.Title(),
                                      CKORVADoc::WorkingFolder());
    ParaViewExportDlg dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    ExportToParaView(document, dialog.Path(), dialog.WithResults(), parent);
}

} // namespace korva
