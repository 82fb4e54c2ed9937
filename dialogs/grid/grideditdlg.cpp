#include "grideditdlg.h"

#include "dialogs/dialogdocument.h"
#include "dialogs/fieldtext.h"
#include "dialogs/modeledits.h"
#include "dimensionspandlg.h"
#include "gridstructureedit.h"
#include "model/griddata.h"
#include "model/messages.h"
#include "spacingedit.h"
#include "widgets/tablectrl.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace korva {

namespace {

// The view's modes this dialog drives.
constexpr int ThreeDMode = -1;
constexpr int GridEditMode = 0;
constexpr int SpanPickMode = 4;

const char* const OptionTexts[3][3] = {{"Add Row", "Add Column", "Add Layer"},
                                       {"Along Rows", "Along Columns", "Along Layers"},
                                       {"Delete Rows", "Delete Columns", "Delete Layers"}};
const char* const ModeTexts[3] = {"Add:", "Subdivide:", "Delete:"};
const char* const StepTexts[3] = {"Add", "Subdivide", "Delete"};

QString Number(double value) {
    return QString::fromStdString(FormatFieldDouble(value));
}

} // namespace

GridEditDlg::GridEditDlg(DialogDocument& document, ViewReceiverHost* view, QWidget* parent)
    : QDialog(parent), document_(document), view_(view), viewObject_(dynamic_cast<QObject*>(view)),
      viewIsObject_(viewObject_ != nullptr) {
    setWindowTitle(tr("Edit Grid Dimensions"));
    setModal(false);

    // Totals and their unit texts.
    auto* totals = new QGroupBox(tr("Totals"), this);
    auto* totalsGrid = new QGridLayout(totals);
    const char* totalLabels[3] = {"Height (Y):", "Width (X):", "Depth (Z):"};
    const int totalRows[3] = {1, 0, 2}; // width first, as the axes go
    for (int d = 0; d < 3; ++d) {
        totals_[std::size_t(d)] = new QLineEdit(totals);
        totals_[std::size_t(d)]->setMaximumWidth(110);
        totalsGrid->addWidget(new QLabel(tr(totalLabels[d]), totals), totalRows[d], 0);
        totalsGrid->addWidget(totals_[std::size_t(d)], totalRows[d], 1);
        connect(totals_[std::size_t(d)], &QLineEdit::editingFinished, this,
                [this, d] { TotalEdited(d); });
    }
    horizontalUnits_ = new QLineEdit(totals);
    verticalUnits_ = new QLineEdit(totals);
    horizontalUnits_->setMaximumWidth(60);
    verticalUnits_->setMaximumWidth(60);
    totalsGrid->addWidget(new QLabel(tr("Units:"), totals), 0, 2);
    totalsGrid->addWidget(horizontalUnits_, 0, 3, 2, 1);
    totalsGrid->addWidget(new QLabel(tr("Units:"), totals), 2, 2);
    totalsGrid->addWidget(verticalUnits_, 2, 3);

    // The three spacing tables.
    auto* tablesRow = new QHBoxLayout;
    const char* tableLabels[3] = {
        "Row Spacing (height):", "Column Spacing (width):", "Layer Spacing (depth):"};
    for (int d = 0; d < 3; ++d) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(tr(tableLabels[d]), this));
        auto* table = new TableCtrl(this);
        table->SetColumnCount(2);
        table->SetFixedRowCount(1);
        table->SetFixedColumnCount(1);
        table->SetRowCount(1);
        table->SetItemText(0, 0, tr("#"));
        table->SetItemText(0, 1, d == GridData::LayerDimension ? tr("Thickness") : tr("Width"));
        table->setMinimumSize(150, 180);
        tables_[std::size_t(d)] = table;
        column->addWidget(table);
        tablesRow->addLayout(column);
        connect(table, &TableCtrl::EndEdit, this,
                [this, d](int row, int col) { SpacingEdited(d, row, col); });
    }

    // The tool: a mode and its options.
    auto* tool = new QGroupBox(tr("Mouse Tool"), this);
    auto* toolGrid = new QGridLayout(tool);
    for (int m = 0; m < 3; ++m) {
        modes_[std::size_t(m)] = new QRadioButton(tr(ModeTexts[m]), tool);
        toolGrid->addWidget(modes_[std::size_t(m)], m, 0);
        connect(modes_[std::size_t(m)], &QRadioButton::toggled, this, [this, m](bool on) {
            if (on) tools_.SetMode(m);
        });
        for (int o = 0; o < 3; ++o) {
            auto* box = new QCheckBox(tr(OptionTexts[m][o]), tool);
            options_[std::size_t(m)][std::size_t(o)] = box;
            toolGrid->addWidget(box, m, o + 1);
            connect(box, &QCheckBox::toggled, this,
                    [this, m, o](bool on) { OptionToggled(m, o, on); });
        }
    }
    subdivisions_ = new QLineEdit(QStringLiteral("1"), tool);
    subdivisions_->setMaximumWidth(80);
    auto* subdivisionsRow = new QHBoxLayout;
    subdivisionsRow->addWidget(new QLabel(tr("Number of Subdivisions:"), tool));
    subdivisionsRow->addWidget(subdivisions_);
    subdivisionsRow->addStretch();
    toolGrid->addLayout(subdivisionsRow, 3, 0, 1, 4);

    auto* span = new QPushButton(tr("Set Width && Height Using Mouse"), this);
    auto* done = new QPushButton(tr("Done"), this);
    span->setAutoDefault(false);
    done->setAutoDefault(false);
    connect(span, &QPushButton::clicked, this, &GridEditDlg::StartSpanPick);
    connect(done, &QPushButton::clicked, this, &GridEditDlg::Done);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(span);
    buttons->addStretch();
    buttons->addWidget(done);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(totals);
    layout->addLayout(tablesRow, 1);
    layout->addWidget(tool);
    layout->addLayout(buttons);

    connect(&document_, &DialogDocument::ModelChanged, this, [this] { ScheduleRefresh(0); });
    ShowTools();
    const GridData& grid = document_.Grid();
    horizontalUnits_->setText(QString::fromStdString(grid.HorizontalUnits()));
    verticalUnits_->setText(QString::fromStdString(grid.VerticalUnits()));
    Refresh();
}

GridEditDlg::~GridEditDlg() {
    // A total field that loses focus while the dialog goes away still says
    // editing finished; by then this part of the dialog is gone.
    for (QLineEdit* total : totals_)
        if (total) QObject::disconnect(total, nullptr, this, nullptr);
    StopPicking();
}

ViewReceiverHost* GridEditDlg::View() const {
    if (!viewIsObject_) return view_;
    return viewObject_.isNull() ? nullptr : view_;
}

void GridEditDlg::Start() {
    const GridData& grid = document_.Grid();
    horizontalUnits_->setText(QString::fromStdString(grid.HorizontalUnits()));
    verticalUnits_->setText(QString::fromStdString(grid.VerticalUnits()));
    Refresh();
    if (ViewReceiverHost* view = View()) {
        view->SetGridEditReceiver(this);
        view->SetViewMode(GridEditMode);
    }
    show();
    raise();
    activateWindow();
}

void GridEditDlg::StopPicking() {
    ViewReceiverHost* view = View();
    if (!view) return;
    view->SetGridEditReceiver(nullptr);
    if (view->ViewMode() == GridEditMode || view->ViewMode() == SpanPickMode)
        view->SetViewMode(ThreeDMode);
}

void GridEditDlg::ScheduleRefresh(int delayMs) {
    if (refreshPending_ && delayMs == 0) return;
    refreshPending_ = true;
    QTimer::singleShot(delayMs, this, &GridEditDlg::Refresh);
}

void GridEditDlg::Refresh() {
    refreshPending_ = false;
    const GridData& grid = document_.Grid();
    for (int d = 0; d < 3; ++d) {
        shownTotals_[std::size_t(d)] = Number(grid.TotalExtent(d, false));
        totals_[std::size_t(d)]->setText(shownTotals_[std::size_t(d)]);

        TableCtrl* table = tables_[std::size_t(d)];
        const QSignalBlocker blocker(table);
        const int items = d == GridData::RowDimension      ? grid.NumRows()
                          : d == GridData::ColumnDimension ? grid.NumColumns()
                                                           : grid.NumLayers();
        QStringList& shown = shownSpacings_[std::size_t(d)];
        shown.clear();
        table->SetRowCount(items + 1);
        for (int i = 0; i < items; ++i) {
            shown << Number(grid.GetSpacing(d, i, false));
            table->SetItemText(i + 1, 0, QString::number(i + 1));
            table->SetItemText(i + 1, 1, shown.back());
        }
    }
}

void GridEditDlg::TotalEdited(int dimension) {
    QLineEdit* field = totals_[std::size_t(dimension)];
    const QString shown = shownTotals_[std::size_t(dimension)];
    const std::optional<double> total = TotalEdit(field->text().toStdString(), shown.toStdString());
    if (!total) {
        field->setText(shown);
        return;
    }
    ChangeTotalExtent(document_, dimension, *total);
    Refresh();
}

void GridEditDlg::SpacingEdited(int dimension, int row, int column) {
    if (row < 1 || column != 1) return;
    const int item = row - 1;
    TableCtrl* table = tables_[std::size_t(dimension)];
    const QStringList& shown = shownSpacings_[std::size_t(dimension)];
    if (item >= shown.size()) return;
    const SpacingEdit edit = ClassifySpacingEdit(table->GetItemText(row, column).toStdString(),
                                                 shown[item].toStdString());
    switch (edit.kind) {
    case SpacingEdit::Unchanged:
        return;
    case SpacingEdit::Delete: {
        const char* names[3] = {"Delete Row", "Delete Column", "Delete Layer"};
        ChangeStructure(document_, tr(names[dimension]),
                        GridStructureEdit::DeleteItems(dimension, item, item));
        // The table is refilled a moment later, after its editor has closed;
        // a refused deletion shows the item again then.
        ScheduleRefresh(100);
        return;
    }
    case SpacingEdit::Set:
        ChangeSpacing(document_, dimension, item, edit.value);
        ScheduleRefresh(0);
        return;
    case SpacingEdit::Revert: {
        const QSignalBlocker blocker(table);
        table->SetItemText(row, column, shown[item]);
        return;
    }
    }
}

void GridEditDlg::OptionToggled(int mode, int option, bool checked) {
    tools_.SetOption(mode, option, checked);
    ShowTools();
}

void GridEditDlg::ShowTools() {
    for (int m = 0; m < 3; ++m) {
        const QSignalBlocker modeBlocker(modes_[std::size_t(m)]);
        modes_[std::size_t(m)]->setChecked(tools_.Mode() == m);
        for (int o = 0; o < 3; ++o) {
            QCheckBox* box = options_[std::size_t(m)][std::size_t(o)];
            const QSignalBlocker blocker(box);
            box->setChecked(tools_.Option(m, o));
        }
    }
}

void GridEditDlg::FirstPick(double a1, double a2, double b1, double b2, bool planOrientation) {
    int parts = 1;
    if (tools_.Mode() == SubdivideTool) {
        const std::optional<int> typed = ParseFieldInt(subdivisions_->text().toStdString());
        if (!typed || *typed < 1 || *typed > GridData::MaxSubdivisions) {
            ShowMessage(IntegerRangeMessage(1, GridData::MaxSubdivisions));
            subdivisions_->setFocus();
            subdivisions_->selectAll();
            return;
        }
        parts = *typed;
    }
    const GridData& grid = document_.Grid();
    ViewReceiverHost* view = View();
    const int slice = view ? view->CurrentSlice() : 0;
    const double planZ = LayerMiddleZ(grid, std::clamp(slice, 0, grid.NumLayers() - 1));
    const PickedPoints picked = PointsOfPick(a1, a2, b1, b2, planOrientation, planZ);
    std::vector<GridEditStep> steps = PlanGridEdit(tools_, parts, picked);
    if (steps.empty()) return;
    ChangeStructure(document_, tr(StepTexts[tools_.Mode()]), GridStructureEdit(std::move(steps)));
    if (view) view->RefreshGridLines();
    Refresh();
}

void GridEditDlg::StartSpanPick() {
    if (ViewReceiverHost* view = View()) view->SetViewMode(SpanPickMode);
}

void GridEditDlg::SecondPick(double x1, double x2, double y1, double y2) {
    const GridData& grid = document_.Grid();
    const double height = std::fabs(y2 - y1);
    const double width = std::fabs(x2 - x1);
    DimensionSpanDlg span(height, width, this);
    if (span.exec() == QDialog::Accepted) {
        const GridTotals totals = ScaledTotals({grid.TotalExtent(GridData::RowDimension, false),
                                                grid.TotalExtent(GridData::ColumnDimension, false)},
                                               height, width, span.NewHeight(), span.NewWidth());
        ChangeHorizontalTotals(document_, totals.rows, totals.columns);
        Refresh();
    }
    if (ViewReceiverHost* view = View()) {
        view->SetViewMode(GridEditMode);
        view->RefreshGridLines();
    }
}

void GridEditDlg::StoreUnits() {
    ChangeUnits(document_, horizontalUnits_->text().toStdString(),
                verticalUnits_->text().toStdString());
}

void GridEditDlg::Done() {
    StopPicking();
    StoreUnits();
    hide();
}

void GridEditDlg::closeEvent(QCloseEvent* event) {
    StopPicking();
    StoreUnits();
    event->accept();
}

} // namespace korva
