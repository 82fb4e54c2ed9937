#include "importsettingsdlg.h"

#include "app/document/prompter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korva {

ImportSettingsDlg::ImportSettingsDlg(const ImportSettingsForm& form, const ImportSettings& initial,
                                     QWidget* parent)
    : QDialog(parent), form_(form), settings_(initial) {
    setWindowTitle(QStringLiteral("Import Settings"));

    skip_ = new QLineEdit(this);
    skip_->setMaximumWidth(80);
    auto* skipRow = new QHBoxLayout;
    skipRow->addWidget(new QLabel(QStringLiteral("Skip"), this));
    skipRow->addWidget(skip_);
    skipRow->addWidget(new QLabel(QStringLiteral("lines."), this));
    skipRow->addStretch();

    auto* order = new QGroupBox(QStringLiteral("Format"), this);
    auto* columnRow = new QRadioButton(QStringLiteral("Column, Row"), order);
    auto* rowColumn = new QRadioButton(QStringLiteral("Row, Column"), order);
    format_ = new QButtonGroup(this);
    format_->addButton(columnRow, ColumnRowFormat);
    format_->addButton(rowColumn, RowColumnFormat);
    auto* orderLayout = new QVBoxLayout(order);
    orderLayout->addWidget(columnRow);
    orderLayout->addWidget(rowColumn);

    reverse_ = new QCheckBox(QStringLiteral("Reverse Rows"), this);
    noData_ = new QLineEdit(this);
    layer_ = new QComboBox(this);
    layer_->addItems(form_.LayerEntries());

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("No Data Value:"), noData_);
    fields->addRow(QStringLiteral("Layer:"), layer_);
    if (!form_.HasLayerChoice()) {
        // A surface parameter and a boundary have no layer to choose.
        layer_->setEnabled(false);
        layer_->setToolTip(QStringLiteral("This import fills the one layer there is."));
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImportSettingsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(skipRow);
    layout->addWidget(order);
    layout->addWidget(reverse_);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    SetFields(form_.FieldsOf(initial));
}

ImportSettingsFields ImportSettingsDlg::Fields() const {
    ImportSettingsFields fields;
    fields.linesToSkip = skip_->text();
    fields.format = format_->checkedId();
    fields.reverseRows = reverse_->isChecked();
    fields.noDataValue = noData_->text();
    fields.layerIndex = layer_->currentIndex();
    return fields;
}

void ImportSettingsDlg::SetFields(const ImportSettingsFields& fields) {
    skip_->setText(fields.linesToSkip);
    if (QAbstractButton* button = format_->button(fields.format)) button->setChecked(true);
    reverse_->setChecked(fields.reverseRows);
    noData_->setText(fields.noDataValue);
    layer_->setCurrentIndex(fields.layerIndex);
}

void ImportSettingsDlg::accept() {
    QString message;
    if (!form_.Read(Fields(), settings_, message)) {
        Prompts().Warn(this, message);
        return;
    }
    QDialog::accept();
}

} // namespace korva
