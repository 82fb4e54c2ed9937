#pragma once
// The undoable changes the control panels make to the project, beyond the
// painted rectangles: each keeps only the values it changes.
#include "model/griddata.h"

#include <QUndoCommand>

namespace korva {

class CKORVADoc;

// The grid's Z exaggeration ("Update").
QUndoCommand* MakeZExaggerationCommand(CKORVADoc& document, double value);
// One end of parameter p's colour range ("Min color:" / "Max color:").
QUndoCommand* MakeParameterColourCommand(CKORVADoc& document, int p, bool high,
                                         const RgbColor& colour);
// "Clear": every value of parameter p becomes unset.
QUndoCommand* MakeClearParameterCommand(CKORVADoc& document, int p);
// "Show" of one boundary's legend row.
QUndoCommand* MakeToggleBoundaryShownCommand(CKORVADoc& document, int type, int index);
// "Show" of the time-series row.
QUndoCommand* MakeToggleTimeSeriesShownCommand(CKORVADoc& document);
// "Show" in the legend's header: every boundary's flag and the time-series
// flag are inverted (not set), so a second click restores them.
QUndoCommand* MakeToggleAllShownCommand(CKORVADoc& document);
// The colour of the cells with time-series output.
QUndoCommand* MakeTimeSeriesColourCommand(CKORVADoc& document, const RgbColor& colour);
// "Drape": the boundary fills the layers above the ground (inactive cells).
QUndoCommand* MakeDrapeCommand(CKORVADoc& document, int type, int number);

} // namespace korva
