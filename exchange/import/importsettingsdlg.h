#pragma once
// ImportSettingsDlg ("Import Settings"): how a text grid file is read:
// header lines to skip, the order of the values, the row direction, the
// no-data value and, for a layered parameter, the first layer filled.
#include "importsettingsform.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace korva {

class ImportSettingsDlg : public QDialog {
    Q_OBJECT
public:
    ImportSettingsDlg(const ImportSettingsForm& form, const ImportSettings& initial,
                      QWidget* parent = nullptr);
    // The settings accepted with OK.
    const ImportSettings& Settings() const { return settings_; }
    // The fields as shown (tests fill them the way a user would).
    ImportSettingsFields Fields() const;
    void SetFields(const ImportSettingsFields& fields);

public slots:
    // Reads the fields; a field the import cannot use is named in a message
    // and the dialog stays open.
    void accept() override;

private:
    ImportSettingsForm form_;
    ImportSettings settings_;
    QLineEdit* skip_;
    QButtonGroup* format_;
    QCheckBox* reverse_;
    QLineEdit* noData_;
    QComboBox* layer_;
};

} // namespace korva
