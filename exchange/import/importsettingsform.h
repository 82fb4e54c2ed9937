#pragma once
// What the "Import Settings" dialog shows and accepts, without the window:
// the field texts for a set of settings, the layer entries, and the reading
// of the fields back into settings with a message naming the field at fault.
#include "files/text/textimport.h"

#include <QString>
#include <QStringList>

namespace korva {

// The dialog's fields as the user edits them.
struct ImportSettingsFields {
    QString linesToSkip;
    int format = RowColumnFormat;
    bool reverseRows = true;
    QString noDataValue;
    int layerIndex = 0; // entry of the "Layer:" list
};

class ImportSettingsForm {
public:
    // layers: the entries "1" to layers of the "Layer:" list; withLayer false
    // for the boundary import and a surface parameter, which have no layer
    // choice.
    ImportSettingsForm(int layers, bool withLayer);

    // More header lines than this are refused: no grid file has them, and a
    // mistyped number would otherwise skip the whole file without a word.
    static constexpr int MaxLinesToSkip = 1000000;

    bool HasLayerChoice() const { return withLayer_; }
    QStringList LayerEntries() const;
    // The fields showing settings (a layer outside the list shows the first).
    ImportSettingsFields FieldsOf(const ImportSettings& settings) const;
    // The settings the fields say; false with message when a field does not
    // hold a value the import can use.
    bool Read(const ImportSettingsFields& fields, ImportSettings& settings, QString& message) const;

private:
    int layers_;
    bool withLayer_;
};

} // namespace korva
