#pragma once
// "Run the KORVA simulation": check, save, write the input set, start the
// solver, follow it in ModelRunDlg and, on OK after a successful run, load
// the results into the project as one undoable step.
namespace korva {

class CKORVADoc;
class CMainFrame;
class CommandTable;

void RunModelCommand(CKORVADoc& document, CMainFrame& frame);
void RegisterRunCommand(CommandTable& table, CMainFrame& frame);

} // namespace korva
