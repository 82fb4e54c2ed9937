#include "importsettingsform.h"

#include <algorithm>
#include <cmath>

namespace korva {

ImportSettingsForm::ImportSettingsForm(int layers, bool withLayer)
    : layers_(std::max(layers, 1)), withLayer_(withLayer) {}

QStringList ImportSettingsForm::LayerEntries() const {
    QStringList entries;
    for (int k = 1; k <= layers_; ++k)
        entries << QString::number(k);
    return entries;
}

ImportSettingsFields ImportSettingsForm::FieldsOf(const ImportSettings& settings) const {
    ImportSettingsFields fields;
    fields.linesToSkip = QString::number(settings.linesToSkip);
    fields.format = settings.format == ColumnRowFormat ? ColumnRowFormat : RowColumnFormat;
    fields.reverseRows = settings.reverseRows;
    fields.noDataValue = QString::number(settings.noDataValue, 'g', 15);
    fields.layerIndex =
        withLayer_ && settings.layer >= 0 && settings.layer < layers_ ? settings.layer : 0;
    return fields;
}

bool ImportSettingsForm::Read(const ImportSettingsFields& fields, ImportSettings& settings,
                              QString& message) const {
    bool ok = false;
    const qlonglong skip = fields.linesToSkip.trimmed().toLongLong(&ok);
    if (!ok || skip < 0 || skip > MaxLinesToSkip) {
        message = QStringLiteral("The number of lines to skip must be a whole number from 0 to %1.")
                      .arg(MaxLinesToSkip);
        return false;
    }
    const double noData = fields.noDataValue.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(noData)) {
        message = QStringLiteral("The No Data Value must be a number, such as -9999.");
        return false;
    }
    if (withLayer_ && (fields.layerIndex < 0 || fields.layerIndex >= layers_)) {
        message = QStringLiteral("Choose a layer from 1 to %1.").arg(layers_);
        return false;
    }
    if (fields.format != ColumnRowFormat && fields.format != RowColumnFormat) {
        message = QStringLiteral("Choose the order of the values in the file.");
        return false;
    }
    settings.linesToSkip = static_cast<int>(skip);
    settings.format = fields.format;
    settings.reverseRows = fields.reverseRows;
    settings.noDataValue = noData;
    settings.layer = withLayer_ ? fields.layerIndex : 0;
    return true;
}

} // namespace korva
