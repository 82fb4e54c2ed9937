#pragma once
// The changes the settings and grid dialogs make, each one undoable step
// through the document that keeps only what it changes: a settings record's
// old and new values, one spacing list, the items a shape edit touches, the
// layers a transform changes.
#include "grid/gridstructureedit.h"
#include "grid/transformedit.h"
#include "model/simulationsettings.h"

#include <QString>
#include <string>

namespace korva {

class DialogDocument;

// Stores settings in place of the model's; nothing when they are equal.
void ChangeSettings(DialogDocument& document, const QString& text,
                    const SimulationSettings& settings, bool periodChanged = false);

// The total of a dimension rescaled (every width multiplied alike).
void ChangeTotalExtent(DialogDocument& document, int dimension, double total);
// Both horizontal totals at once ("New Width & Height").
void ChangeHorizontalTotals(DialogDocument& document, double rowsTotal, double columnsTotal);
// One width or thickness typed into a spacing table.
void ChangeSpacing(DialogDocument& document, int dimension, int index, double value);
// A shape edit; nothing is kept when the model refuses it.
void ChangeStructure(DialogDocument& document, const QString& text, GridStructureEdit edit);
void ChangeTransform(DialogDocument& document, const QString& text, TransformEdit edit);
// The two unit texts of the totals.
void ChangeUnits(DialogDocument& document, const std::string& horizontal,
                 const std::string& vertical);

} // namespace korva
