#include "chartscenebuilder.h"

#include "chartcodes.h"
#include "chartmodel.h"
#include "datelabels.h"
#include "drawntext.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHorizontalBarSeries>
#include <QHorizontalPercentBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPercentBarSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace korva::plot {

namespace {

QColor PaletteColor(int code) {
    return QColor::fromRgb(kPaletteRgb[std::clamp(code, 0, kPaletteSize - 1)]);
}

Qt::PenStyle LinePattern(int code) {
    switch (code) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle FillPattern(int code) {
    static constexpr Qt::BrushStyle styles[kPatternCount] = {
        Qt::SolidPattern, Qt::HorPattern,   Qt::VerPattern,      Qt::CrossPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::DiagCrossPattern};
    return code >= 0 && code < kPatternCount ? styles[code] : Qt::SolidPattern;
}

QScatterSeries::MarkerShape SymbolShape(int code) {
    switch (((code % kSymbolCount) + kSymbolCount) % kSymbolCount) {
    case 1:
        return QScatterSeries::MarkerShapeRectangle;
    case 2:
        return QScatterSeries::MarkerShapeTriangle;
    case 3:
        return QScatterSeries::MarkerShapeStar;
    case 4:
        return QScatterSeries::MarkerShapePentagon;
    case 5:
        return QScatterSeries::MarkerShapeRotatedRectangle;
    default:
        return QScatterSeries::MarkerShapeCircle;
    }
}

QFont FontOf(const ChartModel& m, int slot) {
    QFont font(DrawnText(m.ListText("FName", slot)));
    font.setPointSizeF(std::clamp(m.ListInt("FSize", slot), 4, 96));
    int style = m.ListInt("FStyle", slot);
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    return font;
}

constexpr int kMaxColouredBars = 256;

bool IsBarType(int type) {
    return type == kGraphBar || type == kGraphBar3D || type == kGraphHorizontalBar;
}

// One group (main or overlay) as the builder lays it out.
struct Group {
    bool overlay = false;
    int type = kGraphLine;
    int style = 0;
    std::vector<int> sets; // set numbers drawn
    const char* dataName = "Data";
    const char* xName = "XPos";
};

bool IsPlainNumberFormat(const std::string& format);

// The axis's printf format: the page's when it is one plain number
// conversion, else the shortest form.
QString LabelFormat(const std::string& format) {
    return IsPlainNumberFormat(format) ? QString::fromStdString(format) : QStringLiteral("%g");
}

class Builder {
public:
    Builder(const ChartModel& m, QChart& chart) : m_(m), chart_(chart) {}

    BuiltChart Build() {
        Clear();
        ApplyLook();
        const int type = m_.Int("GraphType");
        Group main;
        main.type = type;
        main.style = m_.Int("GraphStyle");
        for (int s = 0; s < m_.NumSets(); ++s)
            main.sets.push_back(s);
        if (type == kGraphPie || type == kGraphPie3D) {
            chart_.setPlotAreaBackgroundPen(Qt::NoPen);
            BuildPie();
            FinishLegend();
            return std::move(built_);
        }
        if (type == kGraphNone) {
            FinishLegend();
            return std::move(built_);
        }
        Group overlay;
        overlay.overlay = true;
        overlay.type = m_.Int("OverlayGraphType");
        if (overlay.type == kGraphPie || overlay.type == kGraphPie3D || overlay.type == kGraphNone)
            overlay.type = kGraphLine;
        overlay.style = m_.Int("OverlayGraphStyle");
        overlay.dataName = "OverlayData";
        overlay.xName = "OverlayXPos";
        if (m_.Int("OverlayGraph") != 0)
            for (int s = 0; s < m_.NumSets(); ++s)
                if (m_.SetWritten("OverlayData", s)) overlay.sets.push_back(s);
        horizontal_ = type == kGraphHorizontalBar;
        built_.horizontalBars = horizontal_;

        xyMode_ = type == kGraphScatter;
        if (!IsBarType(type))
            for (int s : main.sets)
                xyMode_ = xyMode_ || m_.SetWritten("XPos", s);
        MakeAxes(main, overlay);
        AddGroup(main, yLeft_);
        if (!overlay.sets.empty())
            AddGroup(overlay,
                     m_.Int("OverlayGraph") == kOverlayRight && yRight_ ? yRight_ : yLeft_);
        AddLimitLines();
        FinishAxes();
        FinishLegend();
        return std::move(built_);
    }

private:
    void Clear() {
        chart_.removeAllSeries();
        const auto axes = chart_.axes();
        for (QAbstractAxis* axis : axes) {
            chart_.removeAxis(axis);
            delete axis;
        }
        // Qt Charts drops the drawn items of removed series and axes later,
        // from the event loop; the chart is reused at once, so drop them now.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void ApplyLook() {
        chart_.setAnimationOptions(QChart::NoAnimation);
        chart_.setBackgroundRoundness(0);
        chart_.setDropShadowEnabled(false);
        chart_.setMargins(QMargins(6, 6, 18, 6)); // room for the last X label
        chart_.setBackgroundBrush(PaletteColor(m_.BackgroundColor(kBackgroundChart)));
        chart_.setBackgroundPen(Qt::NoPen);
        chart_.setPlotAreaBackgroundVisible(true);
        chart_.setPlotAreaBackgroundBrush(PaletteColor(m_.BackgroundColor(kBackgroundPlot)));
        chart_.setPlotAreaBackgroundPen(QPen(PaletteColor(m_.ForegroundColor(kForegroundText)), 1));
        chart_.setTitle(DrawnText(m_.Txt("GraphTitle")));
        chart_.setTitleFont(FontOf(m_, kFontTitle));
        chart_.setTitleBrush(PaletteColor(m_.ForegroundColor(kForegroundText)));
    }

    // The Y value of set s at point p, or random demonstration data.
    double Value(const Group& g, int set, int point) const {
        if (m_.Int("RandomData") != 0) {
            unsigned h = static_cast<unsigned>(set * 7919 + point * 104729 + (g.overlay ? 31 : 0));
            h = (h ^ 61) ^ (h >> 16);
            h *= 9;
            h ^= h >> 4;
            h *= 0x27d4eb2d;
            h ^= h >> 15;
            return 10 + (h % 900) / 10.0;
        }
        return m_.PointValue(g.dataName, set, point);
    }

    double XOf(const Group& g, int set, int point) const {
        if (xyMode_ && (m_.SetWritten(g.xName, set) || m_.Int("GraphType") == kGraphScatter))
            return m_.PointValue(g.xName, set, point);
        return point;
    }

    void Include(double y, double& lo, double& hi) {
        if (!std::isfinite(y)) return;
        lo = std::min(lo, y);
        hi = std::max(hi, y);
    }

    // Range of the values a group shows (stacked sums where it stacks).
    void GroupRange(const Group& g, double& lo, double& hi) {
        const int P = m_.NumPoints();
        bool stacked = (IsBarType(g.type) && g.style == kStyleStacked) ||
                       (g.type == kGraphArea && g.style == 0);
        bool percent = (IsBarType(g.type) || g.type == kGraphArea) && g.style == kStylePercent;
        if (percent) {
            Include(0, lo, hi);
            Include(100, lo, hi);
            return;
        }
        if (IsBarType(g.type) || g.type == kGraphArea) Include(0, lo, hi);
        for (int p = 0; p < P; ++p) {
            double pos = 0, neg = 0;
            for (int s : g.sets) {
                double v = Value(g, s, p);
                if (stacked)
                    (v >= 0 ? pos : neg) += v;
                else
                    Include(v, lo, hi);
            }
            if (stacked) {
                Include(pos, lo, hi);
                Include(neg, lo, hi);
            }
        }
    }

    void XRange(const Group& g, double& lo, double& hi) {
        for (int s : g.sets)
            for (int p = 0; p < m_.NumPoints(); ++p)
                Include(XOf(g, s, p), lo, hi);
    }

    QValueAxis* ValueAxis(int axisIndex, double lo, double hi, bool fromZero) {
        auto* axis = new QValueAxis;
        int style = m_.AxisInt(axisIndex, "YAxisStyle");
        double fixedLo = m_.AxisDbl(axisIndex, "YAxisMin"),
               fixedHi = m_.AxisDbl(axisIndex, "YAxisMax");
        if (style == kAxisFixed && fixedLo < fixedHi) {
            axis->setRange(fixedLo, fixedHi);
        } else {
            if (style == kAxisFromZero || fromZero) Include(0, lo, hi);
            if (!(lo <= hi)) lo = 0, hi = 1;
            if (lo == hi) lo -= 1, hi += 1;
            axis->setRange(lo, hi);
            axis->applyNiceNumbers();
        }
        int ticks = m_.AxisInt(axisIndex, "YAxisTicks");
        if (ticks > 0) axis->setTickCount(std::min(ticks, 50) + 1);
        int minor = m_.AxisInt(axisIndex, "YAxisMinorTicks");
        if (minor > 0) axis->setMinorTickCount(std::min(minor, 20));
        axis->setLabelFormat(LabelFormat(m_.Txt("LabelYFormat")));
        return axis;
    }

    void StyleAxis(QAbstractAxis* axis, const std::string& title, bool grid) {
        QColor fg = PaletteColor(m_.ForegroundColor(kForegroundText));
        axis->setTitleText(DrawnText(title));
        axis->setTitleFont(FontOf(m_, kFontOtherTitles));
        axis->setTitleBrush(fg);
        axis->setLabelsFont(FontOf(m_, kFontLabels));
        axis->setLabelsBrush(fg);
        axis->setLabelsVisible(m_.Int("Labels") != 0);
        axis->setLinePen(QPen(fg, 1));
        axis->setGridLineVisible(grid);
        axis->setMinorGridLineVisible(false);
        QPen gridPen(PaletteColor(m_.ForegroundColor(kForegroundGrid)), 1,
                     LinePattern(m_.Int("GridLineStyle")));
        axis->setGridLinePen(gridPen);
    }

    // The X labels in point-number mode: Label texts, dates, or numbers.
    QCategoryAxis* CategoryXAxis(bool bars) {
        auto* axis = new QCategoryAxis;
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        const int P = m_.NumPoints();
        double lo = bars ? -0.5 : 0, hi = bars ? P - 0.5 : std::max(P - 1, 1);
        if (m_.Int("XAxisStyle") == kAxisFixed && m_.Dbl("XAxisMin") < m_.Dbl("XAxisMax")) {
            lo = m_.Dbl("XAxisMin") - 1; // given in point numbers 1 .. NumPoints
            hi = m_.Dbl("XAxisMax") - 1;
        }
        if (m_.Int("RangeMax") > m_.Int("RangeMin") && m_.Int("RangeMin") >= 0) {
            lo = m_.Int("RangeMin") - (bars ? 0.5 : 0.0);
            hi = m_.Int("RangeMax") - (bars ? 0.5 : 0.0);
        }
        axis->setRange(lo, hi);
        axis->setStartValue(lo);

        std::vector<QString> labels(P);
        bool anyLabel = false;
        for (int p = 0; p < P; ++p) {
            const std::string& t = m_.SetText("Label", p);
            labels[p] = DrawnText(t);
            anyLabel = anyLabel || !t.empty();
        }
        int xType = m_.Int("LabelXType");
        auto start = ParseDateFields(m_.Txt("LabelXDateStart"), true);
        std::string format = DateFormat(anyLabel);
        if (!format.empty()) {
            auto inc =
                ParseDateFields(m_.Txt("LabelXDateInc"), false).value_or(DateFields{0, 0, 1});
            for (int p = 0; p < P; ++p)
                labels[p] = DrawnText(FormatDate(DateOfPoint(*start, inc, p), format));
        } else if (!anyLabel || xType == kXLabelNumbers) {
            for (int p = 0; p < P; ++p)
                labels[p] = QString::number(p + 1);
        }
        // Thin the labels so that they never overlap.
        QFontMetrics metrics(FontOf(m_, kFontLabels));
        int widest = 1;
        for (const auto& l : labels)
            widest = std::max(widest, metrics.horizontalAdvance(l) + 8);
        double visible = std::max(1.0, hi - lo);
        double room = std::max(50.0, m_.Int("Width") * 0.8);
        int every = std::max<int>(1, m_.Int("LabelEvery"));
        while (visible / every * widest > room && every < P)
            every *= 2;
        for (int p = 0; p < P; p += every) {
            if (p < lo - 0.5 || p > hi + 0.5) continue;
            // Category labels must be distinct; invisible marks keep equal texts apart.
            QString text = labels[p];
            while (axis->categoriesLabels().contains(text))
                text += QChar(0x200B);
            axis->append(text, p);
        }
        return axis;
    }

    QValueAxis* NumericXAxis(const Group& main, const Group& overlay) {
        auto* axis = new QValueAxis;
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        XRange(main, lo, hi);
        if (!overlay.sets.empty()) XRange(overlay, lo, hi);
        if (m_.Int("XAxisStyle") == kAxisFixed && m_.Dbl("XAxisMin") < m_.Dbl("XAxisMax")) {
            axis->setRange(m_.Dbl("XAxisMin"), m_.Dbl("XAxisMax"));
        } else {
            if (m_.Int("XAxisStyle") == kAxisFromZero) Include(0, lo, hi);
            if (!(lo <= hi)) lo = 0, hi = 1;
            if (lo == hi) lo -= 1, hi += 1;
            axis->setRange(lo, hi);
            axis->applyNiceNumbers();
        }
        if (m_.Int("RangeMax") > m_.Int("RangeMin"))
            axis->setRange(m_.Int("RangeMin"), m_.Int("RangeMax"));
        int ticks = std::abs(m_.Int("XAxisTicks"));
        if (ticks > 0) axis->setTickCount(std::min(ticks, 50) + 1);
        int minor = std::abs(m_.Int("XAxisMinorTicks"));
        if (minor > 0) axis->setMinorTickCount(std::min(minor, 20));
        axis->setLabelFormat(LabelFormat(m_.Txt("LabelXFormat")));
        return axis;
    }

    // Date format of the X labels, or empty when the labels are not dates.
    std::string DateFormat(bool anyLabel) const {
        int xType = m_.Int("LabelXType");
        bool dates = xType == kXLabelDate || xType == kXLabelDateTime || (xType == 0 && !anyLabel);
        if (!dates || !ParseDateFields(m_.Txt("LabelXDateStart"), true)) return {};
        std::string format = m_.Txt("LabelXFormat");
        // A date format longer than any real one would make every label as long.
        if (IsBlank(format) || format.size() > kMaxFormatBytes)
            format = xType == kXLabelDateTime ? "m/d/yy hh:nn" : "m/d/yy";
        return format;
    }

    // X axis of charts drawn at X positions: numbers, or with a date start
    // the dates start + X × increment (X rounded to whole steps).
    QAbstractAxis* XYAxis(const Group& main, const Group& overlay) {
        QValueAxis* numbers = NumericXAxis(main, overlay);
        std::string format = DateFormat(false);
        if (format.empty()) return numbers;
        auto start = *ParseDateFields(m_.Txt("LabelXDateStart"), true);
        auto inc = ParseDateFields(m_.Txt("LabelXDateInc"), false).value_or(DateFields{0, 0, 1});
        auto* axis = new QCategoryAxis;
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        double lo = numbers->min(), hi = numbers->max();
        int steps = std::max(1, numbers->tickCount() - 1);
        delete numbers;
        axis->setRange(lo, hi);
        axis->setStartValue(lo);
        for (int i = 0; i <= steps; ++i) {
            double v = lo + (hi - lo) * i / steps;
            long point = std::isfinite(v) && std::fabs(v) < 1e9 ? std::lround(v) : 0;
            QString text = DrawnText(FormatDate(DateOfPoint(start, inc, point), format));
            while (axis->categoriesLabels().contains(text))
                text += QChar(0x200B);
            axis->append(text, v);
        }
        return axis;
    }

    void MakeAxes(const Group& main, const Group& overlay) {
        int gridStyle = m_.Int("GridStyle");
        bool hGrid = gridStyle & kGridHorizontal, vGrid = gridStyle & kGridVertical;
        QAbstractAxis* x = xyMode_
                               ? XYAxis(main, overlay)
                               : CategoryXAxis(IsBarType(main.type) ||
                                               (!overlay.sets.empty() && IsBarType(overlay.type)));
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        GroupRange(main, lo, hi);
        bool rightAxis = m_.Int("OverlayGraph") == kOverlayRight && !overlay.sets.empty();
        if (!overlay.sets.empty() && !rightAxis) GroupRange(overlay, lo, hi);
        QAbstractAxis* y;
        if (main.type == kGraphLogLine) {
            auto* log = new QLogValueAxis;
            double plo = std::numeric_limits<double>::infinity(), phi = -plo;
            for (int s : main.sets)
                for (int p = 0; p < m_.NumPoints(); ++p) {
                    double v = Value(main, s, p);
                    if (v > 0) Include(v, plo, phi);
                }
            if (m_.AxisInt(0, "YAxisStyle") == kAxisFixed && m_.AxisDbl(0, "YAxisMin") > 0 &&
                m_.AxisDbl(0, "YAxisMin") < m_.AxisDbl(0, "YAxisMax")) {
                plo = m_.AxisDbl(0, "YAxisMin");
                phi = m_.AxisDbl(0, "YAxisMax");
            }
            if (!(plo < phi)) plo = 1, phi = 10;
            log->setBase(10);
            log->setRange(std::pow(10, std::floor(std::log10(plo))),
                          std::pow(10, std::ceil(std::log10(phi))));
            y = log;
        } else {
            y = ValueAxis(0, lo, hi, false);
        }
        QAbstractAxis* bottom = horizontal_ ? y : x;
        QAbstractAxis* left = horizontal_ ? x : y;
        // Grid lines run across the axis that carries them: the bottom axis's are vertical.
        StyleAxis(bottom, m_.Txt("BottomTitle"), vGrid);
        StyleAxis(left, m_.Txt("LeftTitle"), hGrid);
        chart_.addAxis(bottom, Qt::AlignBottom);
        chart_.addAxis(left, Qt::AlignLeft);
        xAxis_ = x;
        yLeft_ = y;
        built_.xAxis = x;
        built_.yAxis = y;
        if (horizontal_) return;
        if (rightAxis || !m_.Txt("RightTitle").empty()) {
            QAbstractAxis* right;
            if (rightAxis) {
                double rlo = std::numeric_limits<double>::infinity(), rhi = -rlo;
                GroupRange(overlay, rlo, rhi);
                right = ValueAxis(1, rlo, rhi, false);
            } else {
                auto* mirror = new QValueAxis;
                if (auto* v = qobject_cast<QValueAxis*>(y)) {
                    mirror->setRange(v->min(), v->max());
                    mirror->setTickCount(v->tickCount());
                }
                right = mirror;
            }
            StyleAxis(right, m_.Txt("RightTitle"), false);
            chart_.addAxis(right, Qt::AlignRight);
            yRight_ = right;
        }
    }

    void Attach(QAbstractSeries* series, QAbstractAxis* y) {
        chart_.addSeries(series);
        series->attachAxis(xAxis_);
        series->attachAxis(y);
    }

    void HideMarker(QAbstractSeries* series) {
        for (QLegendMarker* marker : chart_.legend()->markers(series))
            marker->setVisible(false);
    }

    // Colour, legend and pattern index of set s of a group.
    int EntryOf(const Group& g, int s) const { return g.overlay ? m_.NumSets() + s : s; }

    // An overlay set without a colour or symbol of its own takes the
    // overlay group's OverlayColor and OverlaySymbol.
    QColor SetColour(const Group& g, int s) const {
        int entry = EntryOf(g, s);
        if (g.overlay && !m_.SetEntryWritten("Color", entry))
            return PaletteColor(m_.Int("OverlayColor"));
        return PaletteColor(m_.SetInt("Color", entry));
    }

    int SetSymbol(const Group& g, int s) const {
        int entry = EntryOf(g, s);
        if (g.overlay && !m_.SetEntryWritten("Symbol", entry)) return m_.Int("OverlaySymbol");
        return m_.SetInt("Symbol", entry);
    }

    QPen LinePen(const Group& g, int s, QColor colour) const {
        bool thick = m_.Int(g.overlay ? "OverlayThickLines" : "ThickLines") != 0;
        QPen pen(colour, thick ? 3.0 : 1.6);
        bool patterned = m_.Int(g.overlay ? "OverlayPatternedLines" : "PatternedLines") != 0;
        int pattern = m_.SetInt("Pattern", EntryOf(g, s));
        if (g.overlay && s == g.sets.front() && m_.Int("OverlayPattern") != 0)
            pattern = m_.Int("OverlayPattern"), patterned = true;
        if (patterned) pen.setStyle(LinePattern(pattern));
        return pen;
    }

    void AddGroup(const Group& g, QAbstractAxis* y) {
        if (IsBarType(g.type))
            AddBars(g, y);
        else if (g.type == kGraphArea)
            AddAreas(g, y);
        else
            AddLines(g, y);
    }

    void AddLines(const Group& g, QAbstractAxis* y) {
        const int P = m_.NumPoints();
        bool scatter = g.type == kGraphScatter;
        bool lines = scatter ? (g.style & kStyleLines) : !(g.style & kStyleNoLines);
        bool symbols = scatter || !lines || (g.style & kStyleSymbols);
        bool log = g.type == kGraphLogLine;
        int symbolSize = std::clamp<int>(m_.Int("SymbolSize"), 2, 40);
        for (int s : g.sets) {
            int entry = EntryOf(g, s);
            QColor colour = SetColour(g, s);
            QString name = DrawnText(m_.SetText("Legend", entry));
            QList<QPointF> pts;
            for (int p = 0; p < P; ++p) {
                double v = Value(g, s, p);
                if (!std::isfinite(v) || (log && v <= 0)) continue;
                QPointF pt(XOf(g, s, p), v);
                pts.append(pt);
                Remember(g, s, p, v, pt);
            }
            QAbstractSeries* first = nullptr;
            if (lines) {
                auto* line = new QLineSeries;
                line->setName(name);
                line->setPen(LinePen(g, s, colour));
                line->replace(pts);
                Attach(line, y);
                first = line;
            }
            if (symbols) {
                auto* marks = new QScatterSeries;
                marks->setName(name);
                marks->setColor(colour);
                marks->setBorderColor(colour);
                marks->setMarkerShape(SymbolShape(SetSymbol(g, s)));
                marks->setMarkerSize(symbolSize);
                marks->replace(pts);
                Attach(marks, y);
                if (first)
                    HideMarker(marks);
                else
                    first = marks;
            }
            SetSeries(first, name);
        }
    }

    void AddAreas(const Group& g, QAbstractAxis* y) {
        const int P = m_.NumPoints();
        std::vector<double> base(P, 0.0), total(P, 0.0);
        if (g.style == kStylePercent)
            for (int p = 0; p < P; ++p)
                for (int s : g.sets)
                    total[p] += std::fabs(Value(g, s, p));
        for (int s : g.sets) {
            int entry = EntryOf(g, s);
            QColor colour = SetColour(g, s);
            auto* upper = new QLineSeries;
            auto* lower = new QLineSeries;
            for (int p = 0; p < P; ++p) {
                double v = Value(g, s, p);
                if (!std::isfinite(v)) v = 0;
                if (g.style == kStylePercent) v = total[p] > 0 ? std::fabs(v) * 100 / total[p] : 0;
                double from = g.style == 1 ? 0.0 : base[p];
                double x = XOf(g, s, p);
                lower->append(x, from);
                upper->append(x, from + v);
                Remember(g, s, p, v, QPointF(x, from + v));
                if (g.style != 1) base[p] += v;
            }
            auto* area = new QAreaSeries(upper, lower);
            // The area series does not own its edges; without a parent they
            // would outlive every chart drawn.
            upper->setParent(area);
            lower->setParent(area);
            area->setName(DrawnText(m_.SetText("Legend", entry)));
            QColor fill = colour;
            if (g.style == 1) fill.setAlpha(170); // areas from zero overlap: let the back ones show
            area->setBrush(QBrush(fill, FillPattern(m_.SetInt("Pattern", entry))));
            area->setPen(QPen(colour.darker(130), 1));
            Attach(area, y);
            SetSeries(area, area->name());
        }
    }

    void AddBars(const Group& g, QAbstractAxis* y) {
        const int P = m_.NumPoints();
        const double width = std::clamp(1.0 - m_.Int("Bar2dGap") / 100.0, 0.1, 1.0);
        const bool stacked = g.style == kStyleStacked, percent = g.style == kStylePercent;
        // One set with colours per point: each bar becomes its own stacked set.
        // Each bar set holds every point, so this costs points²: beyond
        // kMaxColouredBars the bars are too thin to tell colours apart anyway.
        bool perPoint =
            g.sets.size() == 1 && !g.overlay && !stacked && !percent && P <= kMaxColouredBars;
        if (perPoint) {
            perPoint = false;
            for (int p = 1; p < P && p < m_.PerSetCount(); ++p)
                perPoint = perPoint || m_.SetEntryWritten("Color", p);
        }
        QAbstractBarSeries* series = nullptr;
        if (horizontal_) {
            if (stacked || perPoint)
                series = new QHorizontalStackedBarSeries;
            else if (percent)
                series = new QHorizontalPercentBarSeries;
            else
                series = new QHorizontalBarSeries;
        } else {
            if (stacked || perPoint)
                series = new QStackedBarSeries;
            else if (percent)
                series = new QPercentBarSeries;
            else
                series = new QBarSeries;
        }
        series->setBarWidth(width);
        std::vector<double> pos(P, 0.0), neg(P, 0.0), total(P, 0.0);
        if (percent)
            for (int p = 0; p < P; ++p)
                for (int s : g.sets)
                    total[p] += std::fabs(Value(g, s, p));
        const int count = static_cast<int>(g.sets.size());
        if (perPoint) {
            int s = g.sets.front();
            for (int p = 0; p < P; ++p) {
                auto* set = new QBarSet(QString());
                QColor colour = PaletteColor(m_.SetInt("Color", p));
                set->setColor(colour);
                set->setBorderColor(colour.darker(130));
                for (int q = 0; q < P; ++q)
                    set->append(q == p ? Value(g, s, p) : 0.0);
                series->append(set);
                double v = Value(g, s, p);
                RememberBar(g, s, p, v,
                            QRectF(QPointF(p - width / 2, std::min(0.0, v)),
                                   QPointF(p + width / 2, std::max(0.0, v))));
            }
            Attach(series, y);
            for (auto& pt : built_.points)
                if (!pt.series) pt.series = series;
            for (QLegendMarker* marker : chart_.legend()->markers(series))
                marker->setVisible(false);
            if (!m_.SetText("Legend", s).empty()) {
                auto markers = chart_.legend()->markers(series);
                if (!markers.isEmpty()) {
                    markers.front()->setVisible(true);
                    markers.front()->setLabel(DrawnText(m_.SetText("Legend", s)));
                }
            }
            anyLegend_ = anyLegend_ || !m_.SetText("Legend", s).empty();
            return;
        }
        for (int k = 0; k < count; ++k) {
            int s = g.sets[k];
            int entry = EntryOf(g, s);
            QColor colour = SetColour(g, s);
            auto* set = new QBarSet(DrawnText(m_.SetText("Legend", entry)));
            set->setBrush(QBrush(colour, FillPattern(m_.SetInt("Pattern", entry))));
            set->setBorderColor(colour.darker(130));
            for (int p = 0; p < P; ++p) {
                double v = Value(g, s, p);
                if (!std::isfinite(v)) v = 0;
                set->append(v);
                QRectF bar;
                if (stacked || percent) {
                    double shown = percent ? (total[p] > 0 ? std::fabs(v) * 100 / total[p] : 0) : v;
                    double& base = shown >= 0 ? pos[p] : neg[p];
                    bar =
                        QRectF(QPointF(p - width / 2, base), QPointF(p + width / 2, base + shown));
                    base += shown;
                } else {
                    double left = p - width / 2 + k * width / count;
                    bar = QRectF(QPointF(left, std::min(0.0, v)),
                                 QPointF(left + width / count, std::max(0.0, v)));
                }
                RememberBar(g, s, p, v, bar.normalized());
            }
            series->append(set);
            anyLegend_ = anyLegend_ || !set->label().isEmpty();
        }
        Attach(series, y);
        for (auto& pt : built_.points)
            if (!pt.series) pt.series = series;
        for (QLegendMarker* marker : chart_.legend()->markers(series))
            if (marker->label().isEmpty()) marker->setVisible(false);
    }

    void AddLimitLines() {
        if (m_.Int("LimitLines") == 0) return;
        double lo = 0, hi = 0;
        if (auto* v = qobject_cast<QValueAxis*>(xAxis_)) lo = v->min(), hi = v->max();
        if (auto* c = qobject_cast<QCategoryAxis*>(xAxis_)) lo = c->min(), hi = c->max();
        const char* values[] = {"LimitLowValue", "LimitHighValue"};
        const char* labels[] = {"LimitLowLabel", "LimitHighLabel"};
        for (int i = 0; i < 2; ++i) {
            auto* line = new QLineSeries;
            line->setName(DrawnText(m_.Txt(labels[i])));
            line->setPen(
                QPen(PaletteColor(kColorRed), 1.2, LinePattern(m_.Int("LimitLinePattern"))));
            line->append(lo, m_.Dbl(values[i]));
            line->append(hi, m_.Dbl(values[i]));
            Attach(line, yLeft_);
            if (line->name().isEmpty())
                HideMarker(line);
            else
                anyLegend_ = true;
        }
    }

    void BuildPie() {
        built_.pie = true;
        const int P = m_.NumPoints();
        auto* pie = new QPieSeries;
        pie->setPieSize(built_.pieSize);
        double total = 0;
        for (int p = 0; p < P; ++p) {
            double v = Value(Group{}, 0, p);
            if (std::isfinite(v) && v > 0) total += v;
        }
        double angle = 0;
        bool labels = m_.Int("DataLabels") != 0 || m_.Int("GraphStyle") != 0;
        for (int p = 0; p < P; ++p) {
            double v = Value(Group{}, 0, p);
            if (!std::isfinite(v) || v <= 0) continue;
            std::string name = m_.SetText("Label", p);
            if (name.empty()) name = m_.SetText("Legend", p);
            auto* slice = new QPieSlice(DrawnText(name), v);
            QColor colour = PaletteColor(m_.SetInt("Color", p));
            slice->setBrush(QBrush(colour, FillPattern(m_.SetInt("Pattern", p))));
            slice->setPen(QPen(colour.darker(130), 1));
            if (labels) {
                QString text = m_.Int("GraphStyle") != 0
                                   ? QString::number(v * 100 / total, 'f', 1) + " %"
                                   : FormatNumber(v, m_.Txt("DataLabelFormat"));
                if (!name.empty()) text = DrawnText(name) + ": " + text;
                slice->setLabel(text);
                slice->setLabelVisible(true);
                slice->setLabelFont(FontOf(m_, kFontLabels));
            }
            pie->append(slice);
            anyLegend_ = anyLegend_ || !name.empty();
            PlottedPoint pt;
            pt.point = p;
            pt.value = v;
            pt.shape = PlottedPoint::Shape::Slice;
            pt.sliceStart = angle;
            pt.sliceSpan = v * 360 / total;
            angle += pt.sliceSpan;
            built_.points.push_back(pt);
        }
        chart_.addSeries(pie);
        for (auto& pt : built_.points)
            pt.series = pie;
        if (labels) {
            // Slice labels show the values; the legend keeps the plain names.
            const auto markers = chart_.legend()->markers(pie);
            int i = 0;
            for (int p = 0; p < P && i < markers.size(); ++p) {
                double v = Value(Group{}, 0, p);
                if (!std::isfinite(v) || v <= 0) continue;
                std::string name = m_.SetText("Label", p);
                if (name.empty()) name = m_.SetText("Legend", p);
                markers[i++]->setLabel(DrawnText(name));
            }
        }
    }

    void FinishAxes() {
        if (auto* c = qobject_cast<QCategoryAxis*>(xAxis_)) c->setStartValue(c->min());
    }

    void FinishLegend() {
        QLegend* legend = chart_.legend();
        int pos = m_.Int("LegendPos");
        legend->setVisible(pos != kLegendHidden && anyLegend_);
        switch (pos) {
        case kLegendLeft:
            legend->setAlignment(Qt::AlignLeft);
            break;
        case kLegendTop:
            legend->setAlignment(Qt::AlignTop);
            break;
        case kLegendBottom:
        case kLegendBottomAlt:
            legend->setAlignment(Qt::AlignBottom);
            break;
        default:
            legend->setAlignment(Qt::AlignRight);
        }
        legend->setFont(FontOf(m_, kFontLegend));
        legend->setLabelColor(PaletteColor(m_.ForegroundColor(kForegroundText)));
        // A legend in the chart's own colour needs no box of its own; a box
        // beside the plot area would cover half of the last X label.
        const QColor box = PaletteColor(m_.BackgroundColor(kBackgroundLegend));
        legend->setBackgroundVisible(box != PaletteColor(m_.BackgroundColor(kBackgroundChart)));
        legend->setBrush(box);
        legend->setPen(Qt::NoPen);
        legend->setShowToolTips(false);
    }

    void Remember(const Group& g, int s, int p, double v, QPointF at) {
        PlottedPoint pt;
        pt.set = s;
        pt.overlay = g.overlay;
        pt.point = p;
        pt.value = v;
        pt.anchor = at;
        pending_.push_back(pt);
    }

    void RememberBar(const Group& g, int s, int p, double v, QRectF bar) {
        PlottedPoint pt;
        pt.set = s;
        pt.overlay = g.overlay;
        pt.point = p;
        pt.value = v;
        pt.shape = PlottedPoint::Shape::Bar;
        pt.bar = bar;
        pt.anchor = QPointF(bar.center().x(), v >= 0 ? bar.bottom() : bar.top());
        if (horizontal_) pt.anchor = QPointF(pt.anchor.y(), pt.anchor.x());
        built_.points.push_back(pt);
    }

    // Gives the points remembered for the last set their series.
    void SetSeries(QAbstractSeries* series, const QString& name) {
        for (auto& pt : pending_) {
            pt.series = series;
            built_.points.push_back(pt);
        }
        pending_.clear();
        if (!series) return;
        if (name.isEmpty())
            HideMarker(series);
        else
            anyLegend_ = true;
    }

    const ChartModel& m_;
    QChart& chart_;
    BuiltChart built_;
    std::vector<PlottedPoint> pending_;
    QAbstractAxis* xAxis_ = nullptr;
    QAbstractAxis* yLeft_ = nullptr;
    QAbstractAxis* yRight_ = nullptr;
    bool xyMode_ = false;
    bool horizontal_ = false;
    bool anyLegend_ = false;
};

// True when format is text around exactly one %[flags][width][.precision]
// conversion of e, f, g, E, F or G (and %% pairs).
bool IsPlainNumberFormat(const std::string& format) {
    if (format.size() > kMaxFormatBytes) return false; // a label is never that long
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        ++i;
        while (i < format.size() &&
               std::string_view("-+ #0").find(format[i]) != std::string_view::npos)
            ++i;
        int digits = 0;
        while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
            ++i, ++digits;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])))
                ++i, ++digits;
        }
        if (digits > 4 || i >= format.size() ||
            std::string_view("efgEFG").find(format[i]) == std::string_view::npos)
            return false;
        ++conversions;
    }
    return conversions == 1;
}

} // namespace

QString FormatNumber(double value, const std::string& format) {
    if (!format.empty() && IsPlainNumberFormat(format)) {
        char buf[256];
        std::snprintf(buf, sizeof buf, format.c_str(), value);
        return QString::fromUtf8(buf);
    }
    return QString::number(value, 'g', 15);
}

BuiltChart ChartSceneBuilder::Build(const ChartModel& model, QChart& chart) {
    return Builder(model, chart).Build();
}

QPointF ChartSceneBuilder::PixelOf(QChart& chart, const PlottedPoint& p, QPointF data) {
    return chart.mapToPosition(data, p.series);
}

QPolygonF ChartSceneBuilder::HotSpot(QChart& chart, const BuiltChart& built, const PlottedPoint& p,
                                     int markerRadius) {
    if (p.shape == PlottedPoint::Shape::Slice) {
        QRectF area = chart.plotArea();
        double radius = std::min(area.width(), area.height()) * built.pieSize / 2;
        QPointF centre = area.center();
        QPolygonF poly;
        poly << centre;
        int steps = std::max(2, static_cast<int>(p.sliceSpan / 10) + 1);
        for (int i = 0; i <= steps; ++i) {
            double a = (p.sliceStart + p.sliceSpan * i / steps) * M_PI / 180;
            poly << QPointF(centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a));
        }
        return poly;
    }
    if (p.shape == PlottedPoint::Shape::Bar) {
        QRectF bar = p.bar;
        QPointF a = built.horizontalBars ? QPointF(bar.top(), bar.left()) : bar.topLeft();
        QPointF b = built.horizontalBars ? QPointF(bar.bottom(), bar.right()) : bar.bottomRight();
        QRectF rect =
            QRectF(chart.mapToPosition(a, p.series), chart.mapToPosition(b, p.series)).normalized();
        if (rect.height() < 2) rect.adjust(0, -1, 0, 1);
        return QPolygonF(rect);
    }
    QPointF c = chart.mapToPosition(p.anchor, p.series);
    QPolygonF circle;
    circle << c << QPointF(c.x() + markerRadius, c.y());
    return circle; // centre and a point on the edge: a circle
}

} // namespace korva::plot
