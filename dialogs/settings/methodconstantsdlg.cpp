#include "methodconstantsdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/dialogfields.h"
#include "dialogs/modeledits.h"
#include "model/griddata.h"
#include "model/methodconstantsedit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korva {

// What differs between the three editors: names, labels, which fields a
// method uses, and the model's working copy of the constants.
class MethodConstantsDlg::Table {
public:
    virtual ~Table() = default;
    virtual const char* Title() const = 0;
    virtual int MethodCount() const = 0;
    virtual const char* MethodName(int method) const = 0;
    virtual int ValueCount() const = 0;
    // nullptr: the method does not use the position (hidden, keeps its value).
    virtual const char* Label(int method, int position) const = 0;
    virtual bool Editable(int /*method*/) const { return true; }
    virtual void Start(const SimulationSettings& settings) = 0;
    virtual int Method() const = 0;
    virtual std::vector<double> Shown() const = 0;
    virtual std::vector<double> Select(int method, const std::vector<double>& shown) = 0;
    virtual void Store(const std::vector<double>& shown, SimulationSettings& settings) = 0;
};

namespace {

template <class Edit> class EditTable : public MethodConstantsDlg::Table {
public:
    using Row = typename Edit::Row;
    int Method() const override { return edit_->Method(); }
    int ValueCount() const override { return static_cast<int>(std::tuple_size_v<Row>); }
    std::vector<double> Shown() const override {
        return {edit_->Shown().begin(), edit_->Shown().end()};
    }
    std::vector<double> Select(int method, const std::vector<double>& shown) override {
        const Row& row = edit_->SelectMethod(method, ToRow(shown));
        return {row.begin(), row.end()};
    }

protected:
    static Row ToRow(const std::vector<double>& values) {
        Row row{};
        for (std::size_t i = 0; i < row.size() && i < values.size(); ++i)
            row[i] = values[i];
        return row;
    }
    std::unique_ptr<Edit> edit_;
};

class PressureSaturationTable : public EditTable<PressureSaturationEdit> {
public:
    const char* Title() const override { return "Pressure-Saturation Function"; }
    int MethodCount() const override { return PressureSaturationMethodCount; }
    const char* MethodName(int m) const override { return PressureSaturationMethodName(m); }
    const char* Label(int, int position) const override {
        static const char* labels[3] = {"Pore Size:", "Residual Moisture:", "Scale Length:"};
        return position < 3 ? labels[position] : nullptr;
    }
    void Start(const SimulationSettings& settings) override {
        edit_ = std::make_unique<PressureSaturationEdit>(StartPressureSaturationEdit(settings));
    }
    void Store(const std::vector<double>& shown, SimulationSettings& settings) override {
        edit_->Accept(ToRow(shown));
        StorePressureSaturationEdit(*edit_, settings);
    }
};

class RootGrowthTable : public EditTable<RootGrowthEdit> {
public:
    const char* Title() const override { return "Root Growth Function"; }
    int MethodCount() const override { return RootGrowthMethodCount; }
    const char* MethodName(int m) const override { return RootGrowthMethodName(m); }
    const char* Label(int, int position) const override {
        static const char* labels[2] = {"Empirical Constant 1:", "Empirical Constant 2:"};
        return position < 2 ? labels[position] : nullptr;
    }
    bool Editable(int method) const override { return RootGrowthConstantsEditable(method); }
    void Start(const SimulationSettings& settings) override {
        edit_ = std::make_unique<RootGrowthEdit>(StartRootGrowthEdit(settings));
    }
    void Store(const std::vector<double>& shown, SimulationSettings& settings) override {
        edit_->Accept(ToRow(shown));
        StoreRootGrowthEdit(*edit_, settings);
    }
};

class RootExtractionTable : public EditTable<RootExtractionEdit> {
public:
    const char* Title() const override { return "Root Extraction Function"; }
    int MethodCount() const override { return RootExtractionMethodCount; }
    const char* MethodName(int m) const override { return RootExtractionMethodName(m); }
    const char* Label(int method, int position) const override {
        return RootExtractionParamLabel(method, position);
    }
    void Start(const SimulationSettings& settings) override {
        edit_ = std::make_unique<RootExtractionEdit>(StartRootExtractionEdit(settings));
    }
    void Store(const std::vector<double>& shown, SimulationSettings& settings) override {
        edit_->Accept(ToRow(shown));
        StoreRootExtractionEdit(*edit_, settings);
    }
};

std::unique_ptr<MethodConstantsDlg::Table> MakeTable(MethodConstants kind) {
    switch (kind) {
    case MethodConstants::PressureSaturation:
        return std::make_unique<PressureSaturationTable>();
    case MethodConstants::RootGrowth:
        return std::make_unique<RootGrowthTable>();
    case MethodConstants::RootExtraction:
        break;
    }
    return std::make_unique<RootExtractionTable>();
}

} // namespace

MethodConstantsDlg::MethodConstantsDlg(MethodConstants kind, DialogDocument& document,
                                       QWidget* parent)
    : QDialog(parent), document_(document), table_(MakeTable(kind)) {
    setWindowTitle(tr(table_->Title()));
    auto* form = new QFormLayout;
    method_ = new QComboBox(this);
    for (int m = 0; m < table_->MethodCount(); ++m)
        method_->addItem(tr(table_->MethodName(m)));
    form->addRow(tr("Method:"), method_);
    for (int i = 0; i < table_->ValueCount(); ++i) {
        labels_[std::size_t(i)] = new QLabel(this);
        fields_[std::size_t(i)] = NewNumberEdit(this, 110);
        form->addRow(labels_[std::size_t(i)], fields_[std::size_t(i)]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(buttons);
    connect(method_, &QComboBox::currentIndexChanged, this, &MethodConstantsDlg::MethodChosen);
    Load();
}

MethodConstantsDlg::~MethodConstantsDlg() = default;

void MethodConstantsDlg::Load() {
    table_->Start(document_.Grid().Settings());
    Show(table_->Method(), table_->Shown());
}

void MethodConstantsDlg::Show(int method, const std::vector<double>& values) {
    shownMethod_ = method;
    const QSignalBlocker blocker(method_);
    method_->setCurrentIndex(method);
    for (int i = 0; i < table_->ValueCount(); ++i) {
        const char* label = table_->Label(method, i);
        QLabel* name = labels_[std::size_t(i)];
        QLineEdit* field = fields_[std::size_t(i)];
        name->setText(label ? tr(label) : QString());
        name->setVisible(label != nullptr);
        field->setVisible(label != nullptr);
        field->setEnabled(table_->Editable(method));
        ShowNumber(field, values[std::size_t(i)]);
    }
    adjustSize();
}

bool MethodConstantsDlg::ReadShown(std::vector<double>& values) {
    // Hidden fields still hold the method's values; they are read like the others.
    values.assign(std::size_t(table_->ValueCount()), 0.0);
    for (int i = 0; i < table_->ValueCount(); ++i) {
        const std::optional<double> value = ReadNumber(fields_[std::size_t(i)]);
        if (!value) return false;
        values[std::size_t(i)] = *value;
    }
    return true;
}

void MethodConstantsDlg::MethodChosen(int method) {
    std::vector<double> shown;
    if (!ReadShown(shown)) {
        // The shown method keeps its fields until they hold numbers.
        const QSignalBlocker blocker(method_);
        method_->setCurrentIndex(shownMethod_);
        return;
    }
    Show(method, table_->Select(method, shown));
}

void MethodConstantsDlg::accept() {
    std::vector<double> shown;
    if (!ReadShown(shown)) return;
    SimulationSettings settings = document_.Grid().Settings();
    table_->Store(shown, settings);
    ChangeSettings(document_, windowTitle(), settings);
    QDialog::accept();
}

} // namespace korva
