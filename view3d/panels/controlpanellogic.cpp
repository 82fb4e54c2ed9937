#include "controlpanellogic.h"

#include "model/griddata.h"
#include "model/packedcolor.h"
#include "view3d/scene/scenebuilder.h"

namespace korva {

double ClampFilterField(bool isMinimum, double typed, double min, double max) {
    if (typed < min || typed > max) return isMinimum ? min : max;
    return typed;
}

QStringList IndexListEntries(int n) {
    QStringList entries{QStringLiteral("all")};
    for (int i = 1; i <= n; ++i)
        entries << QString::number(i);
    return entries;
}

std::vector<int> IndexFilterFromSelection(const QStringList& selected) {
    std::vector<int> indices;
    for (const QString& entry : selected) {
        bool ok = false;
        const int n = entry.toInt(&ok);
        if (ok && n >= 1) indices.push_back(n - 1);
    }
    return indices;
}

double ParseZExaggeration(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v == 0.0) return 1.0;
    return v;
}

namespace {

QColor FromRgb(const RgbColor& c) {
    const auto byte = [](double v) { return static_cast<int>(std::clamp(v, 0.0, 1.0) * 255); };
    return QColor(byte(c[0]), byte(c[1]), byte(c[2]));
}

// Boundary rows: black text on light components, white on dark, per component.
QColor BoundaryTextColour(const RgbColor& c) {
    return QColor(c[0] > 0.5 ? 0 : 255, c[1] > 0.5 ? 0 : 255, c[2] > 0.5 ? 0 : 255);
}

QColor ValueTextColour(const QColor& c) {
    return QColor(c.red() <= 123 ? 255 : 0, c.green() <= 123 ? 255 : 0, c.blue() <= 123 ? 255 : 0);
}

QString YesNo(bool on) {
    return on ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

std::vector<LegendRow> BuildLegendRows(const GridData& grid, const ViewSettings& settings,
                                       int displayKind, int p) {
    std::vector<LegendRow> rows;
    for (int type = 0; type < BoundaryTypeCount; ++type) {
        const BoundaryTypeData& record = grid.Boundary(type);
        for (int i = 0; i < record.Count(); ++i) {
            const auto at = static_cast<std::size_t>(i);
            const RgbColor c{record.red[at], record.green[at], record.blue[at]};
            LegendRow row;
            row.kind = LegendRow::Boundary;
            row.text = QString::fromStdString(record.names[at]) + QStringLiteral(" (") +
                       QString::fromUtf8(BoundaryTypeName(type)) + QStringLiteral(")");
            row.colour = FromRgb(c);
            row.textColour = BoundaryTextColour(c);
            row.show = YesNo(record.displayed[at] != 0);
            row.boundaryType = type;
            row.boundaryIndex = i;
            rows.push_back(row);
        }
    }
    LegendRow ground;
    ground.kind = LegendRow::GroundMesh;
    ground.text = QStringLiteral("Ground Elevation Mesh");
    ground.colour = Qt::white;
    ground.textColour = Qt::black;
    ground.show = YesNo(settings.ShowGroundMesh);
    rows.push_back(ground);
    LegendRow series;
    series.kind = LegendRow::TimeSeriesCells;
    series.text = QStringLiteral("Cells with time series output");
    const RgbColor seriesColour{TimeSeriesCellColor[0], TimeSeriesCellColor[1],
                                TimeSeriesCellColor[2]};
    series.colour = FromRgb(seriesColour);
    series.textColour = BoundaryTextColour(seriesColour);
    series.show = YesNo(TimeSeriesDisplay != 0);
    rows.push_back(series);
    if (displayKind == 0) {
        for (const LegendEntry& entry : GetLegendEntries(grid, settings, p)) {
            LegendRow row;
            row.kind = LegendRow::Value;
            char text[32];
            std::snprintf(text, sizeof text, "%g", entry.value);
            row.text = QString::fromLatin1(text);
            row.colour = QColor(static_cast<int>(entry.colour & 0xff),
                                static_cast<int>((entry.colour >> 8) & 0xff),
                                static_cast<int>((entry.colour >> 16) & 0xff));
            row.textColour = ValueTextColour(row.colour);
            row.value = entry.value;
            rows.push_back(row);
        }
    }
    return rows;
}

int PeriodPlayer::Tick() {
    if (!playing) return period;
    ++period;
    if (period >= periods) {
        period = 0;
        playing = false;
    }
    return period;
}

} // namespace korva
