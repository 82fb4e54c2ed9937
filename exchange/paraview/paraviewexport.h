#pragma once
// "Export to ParaView..." in the "&File" menu: the project's grid (and the
// results of its run) as VTK files, written by the same code as
// korva-batch export-vtk.
#include <QString>

class QWidget;

namespace korva {

class CKORVADoc;

// Writes the project of document to path and, with withResults, every output
// time beside it and the ".pvd" collection; a wait cursor while it writes, a
// progress dialog for the output times. A failure (folder not writable, disk
// full) is shown and leaves no half-written file under a final name; false then.
bool ExportToParaView(const CKORVADoc& document, const QString& path, bool withResults,
                      QWidget* parent);

// The whole command: the dialog, then the export.
void RunParaViewExport(CKORVADoc& document, QWidget* parent);

} // namespace korva
