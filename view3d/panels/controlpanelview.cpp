#include "controlpanelview.h"

#include "app/document/korvadoc.h"
#include "view3d/edits/panelcommands.h"
#include "view3d/korvaview.h"
#include "widgets/tablectrl.h"
#include "xedit.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korva {

namespace {

QListWidget* IndexList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMaximumHeight(90);
    return list;
}

QString PeriodText(const KORVAOutputTimeData& time) {
    return QStringLiteral("%1/%2/%3").arg(time.month).arg(time.day).arg(time.year);
}

} // namespace

ControlPanelView::ControlPanelView(CKORVAView& view, QWidget* parent)
    : QWidget(parent), view(view) {
    setWindowTitle(QStringLiteral("3D Controls & Legend"));
    kindCombo = new QComboBox(this);
    parameterCombo = new QComboBox(this);
    periodCombo = new QComboBox(this);
    // Long parameter names must not widen the narrow pane: the lists drop
    // down as wide as their entries.
    for (QComboBox* combo : {kindCombo, parameterCombo, periodCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(10);
    }
    playButton = new QPushButton(QStringLiteral("Play"), this);
    editButton = new QPushButton(QStringLiteral("Edit"), this);
    gridLines = new QCheckBox(QStringLiteral("Draw Grid Lines"), this);
    rescale = new QCheckBox(QStringLiteral("Rescale Legend"), this);
    hideOutOfBounds = new QCheckBox(QStringLiteral("Hide out of bounds values"), this);
    gridLines->setChecked(true);
    hideOutOfBounds->setChecked(true);
    zEdit = new XEdit(this);
    auto* update = new QPushButton(QStringLiteral("Update"), this);
    filterMin = new XEdit(this);
    filterMax = new XEdit(this);
    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    rowList = IndexList(this);
    columnList = IndexList(this);
    layerList = IndexList(this);
    legend = new TableCtrl(this);
    legend->SetColumnCount(2);
    legend->SetRowCount(1);
    legend->SetFixedRowCount(1);
    legend->SetItemText(0, 0, QStringLiteral("Color"));
    legend->SetItemText(0, 1, QStringLiteral("Show"));
    legend->SetEditable(false);
    // The pane beside the view is narrow: "Show" keeps the room its words
    // need and the colour column takes the rest, so no row scrolls sideways.
    legend->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    legend->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    timer = new QTimer(this);
    timer->setInterval(1000);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindCombo);
    auto* form = new QFormLayout;
    auto* paramRow = new QHBoxLayout;
    paramRow->addWidget(parameterCombo, 1);
    paramRow->addWidget(editButton);
    form->addRow(QStringLiteral("View Parameter:"), paramRow);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(periodCombo, 1);
    periodRow->addWidget(playButton);
    form->addRow(QStringLiteral("Timeperiods:"), periodRow);
    layout->addLayout(form);
    layout->addWidget(gridLines);
    layout->addWidget(rescale);
    layout->addWidget(hideOutOfBounds);
    auto* zRow = new QHBoxLayout;
    zRow->addWidget(new QLabel(QStringLiteral("Z Exaggeration:"), this));
    zRow->addWidget(zEdit);
    zRow->addWidget(update);
    layout->addLayout(zRow);
    // Two short rows, so the form fits the narrow pane beside the view.
    auto* filterRow = new QGridLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("Show values between"), this), 0, 0);
    filterRow->addWidget(filterMin, 0, 1);
    filterRow->addWidget(new QLabel(QStringLiteral("and"), this), 1, 0, Qt::AlignRight);
    filterRow->addWidget(filterMax, 1, 1);
    filterRow->addWidget(reset, 1, 2);
    layout->addLayout(filterRow);
    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Rows"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Columns"), this), 0, 1);
    lists->addWidget(new QLabel(QStringLiteral("Layers"), this), 0, 2);
    lists->addWidget(rowList, 1, 0);
    lists->addWidget(columnList, 1, 1);
    lists->addWidget(layerList, 1, 2);
    layout->addLayout(lists);
    layout->addWidget(legend, 1);

    connect(kindCombo, &QComboBox::activated, this, [this] { Refresh(); });
    connect(parameterCombo, &QComboBox::activated, this, [this] { ApplySelection(); });
    connect(periodCombo, &QComboBox::activated, this, [this] { ApplySelection(); });
    connect(editButton, &QPushButton::clicked, this,
            [this] { emit EditParameterRequested(parameterCombo->currentIndex()); });
    connect(gridLines, &QCheckBox::toggled, this,
            [this](bool on) { this->view.SetDrawGridLines(on); });
    connect(rescale, &QCheckBox::toggled, this, [this](bool on) {
        this->view.SetColourFromFilter(on);
        RefreshLegend();
    });
    connect(hideOutOfBounds, &QCheckBox::toggled, this,
            [this](bool on) { this->view.SetHideAboveGround(on); });
    connect(update, &QPushButton::clicked, this, [this] {
        CKORVADoc& doc = this->view.Document();
        doc.Execute(MakeZExaggerationCommand(doc, ParseZExaggeration(zEdit->text())));
    });
    connect(filterMin, &QLineEdit::editingFinished, this, [this] { OnFilterEdited(true); });
    connect(filterMax, &QLineEdit::editingFinished, this, [this] { OnFilterEdited(false); });
    connect(reset, &QPushButton::clicked, this, &ControlPanelView::ResetFilter);
    for (QListWidget* list : {rowList, columnList, layerList})
        connect(list, &QListWidget::itemSelectionChanged, this,
                &ControlPanelView::OnIndexListChanged);
    connect(legend, &TableCtrl::CellClicked, this, &ControlPanelView::OnLegendClicked);
    connect(playButton, &QPushButton::clicked, this, &ControlPanelView::OnPlay);
    connect(timer, &QTimer::timeout, this, &ControlPanelView::OnTick);
    connect(&view, &CKORVAView::ViewModeChanged, this, &ControlPanelView::OnViewModeChanged);
    // A panel may choose the parameter the view shows: the form shows the same.
    connect(&view, &CKORVAView::InputParameterChanged, this, [this](int p) {
        if (filling || DisplayKind() != 0 || p < 0 || p >= parameterCombo->count() ||
            p == parameterCombo->currentIndex())
            return;
        parameterCombo->setCurrentIndex(p);
        ApplySelection();
    });
    connect(&view.Document(), &CKORVADoc::ViewsUpdate, this, [this](int hint) {
        if (hint == 0)
            Refresh();
        else
            RefreshLegend();
    });
    Refresh();
}

int ControlPanelView::DisplayKind() const {
    return std::max(0, kindCombo->currentIndex());
}

int ControlPanelView::ParameterIndex() const {
    return parameterCombo->currentIndex();
}

int ControlPanelView::PeriodIndex() const {
    return periodCombo->currentIndex();
}

void ControlPanelView::SetDisplayKind(int kind) {
    if (kind < 0 || kind >= kindCombo->count() || kind == DisplayKind()) return;
    kindCombo->setCurrentIndex(kind);
    Refresh();
}

void ControlPanelView::OnViewModeChanged(int mode) {
    // Parameter editing shows input parameters; the output layer display
    // shows an output quantity, the first one when none was chosen.
    if (mode == ParameterEditMode) SetDisplayKind(0);
    if (mode == OutputLayerMode && view.Settings().OutputParameter < 0) SetDisplayKind(1);
}

bool ControlPanelView::ChosenRange(double& min, double& max) const {
    const GridData& grid = view.Document().Grid();
    const int p = parameterCombo->currentIndex();
    if (p < 0) return false;
    if (DisplayKind() == 0) {
        if (p >= grid.ParameterCount()) return false;
        min = grid.Parameter(p).minValue;
        max = grid.Parameter(p).maxValue;
        return true;
    }
    if (p >= static_cast<int>(grid.Outputs().gridOutputs.size())) return false;
    min = grid.Outputs().gridOutputs[static_cast<std::size_t>(p)].minimum;
    max = grid.Outputs().gridOutputs[static_cast<std::size_t>(p)].maximum;
    return true;
}

void ControlPanelView::Refresh() {
    const GridData& grid = view.Document().Grid();
    filling = true;
    const bool hasOutputs = !grid.Outputs().gridOutputs.empty();
    const int kind = hasOutputs ? DisplayKind() : 0;
    kindCombo->clear();
    kindCombo->addItem(QStringLiteral("Display Input Parameters"));
    if (hasOutputs) kindCombo->addItem(QStringLiteral("Display Output Parameters"));
    kindCombo->setCurrentIndex(kind);
    const int keep = parameterCombo->currentIndex();
    parameterCombo->clear();
    boundsMin.clear();
    boundsMax.clear();
    if (kind == 0) {
        for (int p = 0; p < grid.ParameterCount(); ++p) {
            parameterCombo->addItem(QString::fromStdString(grid.Parameter(p).name));
            boundsMin.push_back(grid.Parameter(p).minValue);
            boundsMax.push_back(grid.Parameter(p).maxValue);
        }
    } else {
        for (const KORVAOutputData& output : grid.Outputs().gridOutputs) {
            parameterCombo->addItem(QString::fromStdString(output.name));
            boundsMin.push_back(output.minimum);
            boundsMax.push_back(output.maximum);
        }
    }
    parameterCombo->setCurrentIndex(keep >= 0 && keep < parameterCombo->count() ? keep : 0);
    periodCombo->clear();
    if (hasOutputs)
        for (const KORVAOutputTimeData& time : grid.Outputs().gridOutputs.front().times)
            periodCombo->addItem(PeriodText(time));
    periodCombo->setEnabled(kind == 1);
    player.SetPeriods(periodCombo->count());
    playButton->setEnabled(player.CanPlay());
    editButton->setEnabled(kind == 0);
    zEdit->SetValue(grid.ZExaggeration());
    FillIndexLists();
    filling = false;
    ApplySelection();
}

void ControlPanelView::ApplySelection() {
    if (filling) return;
    const int p = parameterCombo->currentIndex();
    if (p >= 0 && p < static_cast<int>(boundsMin.size())) {
        filterMin->SetValue(boundsMin[static_cast<std::size_t>(p)]);
        filterMax->SetValue(boundsMax[static_cast<std::size_t>(p)]);
        view.SetFilter(boundsMin[static_cast<std::size_t>(p)],
                       boundsMax[static_cast<std::size_t>(p)]);
    }
    if (DisplayKind() == 0)
        view.SetInputParameter(p);
    else if (p >= 0 && periodCombo->currentIndex() >= 0)
        view.SetOutputParameter(p, periodCombo->currentIndex());
    RefreshLegend();
}

void ControlPanelView::OnFilterEdited(bool minimum) {
    const int p = parameterCombo->currentIndex();
    double min = 0.0, max = 0.0;
    if (p < 0 || p >= static_cast<int>(boundsMin.size()) || !ChosenRange(min, max)) return;
    XEdit* field = minimum ? filterMin : filterMax;
    std::vector<double>& stored = minimum ? boundsMin : boundsMax;
    const double typed = field->Value();
    if (typed == stored[static_cast<std::size_t>(p)]) return;
    const double value = ClampFilterField(minimum, typed, min, max);
    field->SetValue(value);
    stored[static_cast<std::size_t>(p)] = value;
    view.SetFilter(filterMin->Value(), filterMax->Value());
    RefreshLegend();
}

void ControlPanelView::ResetFilter() {
    const int p = parameterCombo->currentIndex();
    double min = 0.0, max = 0.0;
    if (p < 0 || p >= static_cast<int>(boundsMin.size()) || !ChosenRange(min, max)) return;
    boundsMin[static_cast<std::size_t>(p)] = min;
    boundsMax[static_cast<std::size_t>(p)] = max;
    filterMin->SetValue(min);
    filterMax->SetValue(max);
    view.SetFilter(min, max);
    RefreshLegend();
}

void ControlPanelView::FillIndexLists() {
    const GridData& grid = view.Document().Grid();
    if (grid.NumRows() == seenRows && grid.NumColumns() == seenColumns &&
        grid.NumLayers() == seenLayers)
        return;
    seenRows = grid.NumRows();
    seenColumns = grid.NumColumns();
    seenLayers = grid.NumLayers();
    const bool wasFilling = filling;
    filling = true;
    rowList->clear();
    rowList->addItems(IndexListEntries(seenRows));
    columnList->clear();
    columnList->addItems(IndexListEntries(seenColumns));
    layerList->clear();
    layerList->addItems(IndexListEntries(seenLayers));
    filling = wasFilling;
    view.SetIndexFilters({}, {}, {});
}

void ControlPanelView::OnIndexListChanged() {
    if (filling) return;
    const auto selected = [](QListWidget* list) {
        QStringList texts;
        for (const QListWidgetItem* item : list->selectedItems())
            texts << item->text();
        return IndexFilterFromSelection(texts);
    };
    view.SetIndexFilters(selected(rowList), selected(columnList), selected(layerList));
}

void ControlPanelView::RefreshLegend() {
    legendRows = BuildLegendRows(view.Document().Grid(), view.Settings(), DisplayKind(),
                                 parameterCombo->currentIndex());
    legend->SetRowCount(static_cast<int>(legendRows.size()) + 1);
    for (std::size_t n = 0; n < legendRows.size(); ++n) {
        const int row = static_cast<int>(n) + 1;
        legend->SetItemText(row, 0, legendRows[n].text);
        legend->SetItemBkColour(row, 0, legendRows[n].colour);
        legend->SetItemFgColour(row, 0, legendRows[n].textColour);
        legend->SetItemText(row, 1, legendRows[n].show);
        legend->SetItemState(row, 0, TableCtrl::CellReadOnly);
        legend->SetItemState(row, 1, TableCtrl::CellReadOnly);
    }
    legend->AutoSizeColumns();
}

void ControlPanelView::OnLegendClicked(int row, int column) {
    CKORVADoc& doc = view.Document();
    if (row == 0) {
        if (column == 1) {
            doc.Execute(MakeToggleAllShownCommand(doc));
            view.RefreshCells();
        }
        return;
    }
    const auto n = static_cast<std::size_t>(row - 1);
    if (n >= legendRows.size()) return;
    const LegendRow entry = legendRows[n];
    if (column == 1) {
        switch (entry.kind) {
        case LegendRow::Boundary:
            doc.Execute(
                MakeToggleBoundaryShownCommand(doc, entry.boundaryType, entry.boundaryIndex));
            break;
        case LegendRow::GroundMesh:
            view.SetShowGroundMesh(!view.Settings().ShowGroundMesh);
            break;
        case LegendRow::TimeSeriesCells:
            doc.Execute(MakeToggleTimeSeriesShownCommand(doc));
            break;
        case LegendRow::Value:
            return;
        }
        RefreshLegend();
        return;
    }
    if (entry.kind == LegendRow::GroundMesh) return; // it has no colour of its own
    const QColor chosen = QColorDialog::getColor(entry.colour, this);
    if (!chosen.isValid()) return;
    switch (entry.kind) {
    case LegendRow::Boundary:
        doc.SetBoundaryColor(entry.boundaryType, entry.boundaryIndex, chosen.red(), chosen.green(),
                             chosen.blue());
        break;
    case LegendRow::TimeSeriesCells:
        doc.Execute(MakeTimeSeriesColourCommand(
            doc, {chosen.red() / 255.0, chosen.green() / 255.0, chosen.blue() / 255.0}));
        break;
    case LegendRow::Value:
        view.SetValueColour(parameterCombo->currentIndex(), entry.value,
                            static_cast<uint32_t>(chosen.red()) |
                                (static_cast<uint32_t>(chosen.green()) << 8) |
                                (static_cast<uint32_t>(chosen.blue()) << 16));
        break;
    case LegendRow::GroundMesh:
        break;
    }
    RefreshLegend();
}

void ControlPanelView::OnPlay() {
    if (player.Playing()) {
        player.Stop();
        timer->stop();
        playButton->setText(QStringLiteral("Play"));
        return;
    }
    player.Start(std::max(0, periodCombo->currentIndex()));
    if (!player.Playing()) return;
    timer->start();
    playButton->setText(QStringLiteral("Stop"));
}

void ControlPanelView::OnTick() {
    const int period = player.Tick();
    periodCombo->setCurrentIndex(period);
    if (DisplayKind() == 1 && parameterCombo->currentIndex() >= 0)
        view.SetOutputParameter(parameterCombo->currentIndex(), period);
    if (!player.Playing()) {
        timer->stop();
        playButton->setText(QStringLiteral("Play"));
    }
}

} // namespace korva
