#include "runcommand.h"

#include "app/document/commandids.h"
#include "app/document/commandtable.h"
#include "app/document/korvadoc.h"
#include "app/frame/mainframe.h"
#include "modelcheckdlg.h"
#include "modelrundlg.h"
#include "run/modelrun.h"

#include <QApplication>

namespace korva {

void RunModelCommand(CKORVADoc& document, CMainFrame& frame) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<ModelRun> run;
    {
        // The check and save prompts need the normal cursor.
        QApplication::restoreOverrideCursor();
        run = document.RunModel(
            [&frame](ProblemList& problems) { return ResolveProblemsWithDialog(problems, &frame); },
            &frame);
    }
    if (!run) return;
    ModelRunDlg dialog(std::move(run), &frame);
    frame.SetRunInProgress(&dialog);
    const int result = dialog.exec();
    frame.SetRunInProgress(nullptr);
    if (result == QDialog::Accepted && dialog.Succeeded()) document.LoadResultsOf(dialog.Run());
}

void RegisterRunCommand(CommandTable& table, CMainFrame& frame) {
    CMainFrame* main = &frame;
    table.Register(cmd::GridRun, [main](const CommandContext& context) {
        RunModelCommand(*context.document, *main);
    });
}

} // namespace korva
