#include "renderoptions.h"

#include "model/griddata.h"

#include <cmath>

namespace korva {

namespace {

constexpr int MaxImageSide = 16384;

bool ParseNumbers(const QString& text, int count, std::vector<double>& out) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != count) return false;
    out.clear();
    for (const QString& part : parts) {
        bool ok = false;
        const double v = part.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v)) return false;
        out.push_back(v);
    }
    return true;
}

bool ParseIndex(const QString& text, int& out) {
    bool ok = false;
    out = text.toInt(&ok);
    return ok && out >= 0;
}

} // namespace

std::optional<RenderOptions> ParseRenderOptions(const QStringList& args, QString& error) {
    RenderOptions options;
    const auto fail = [&error](const QString& why) {
        error = why;
        return std::nullopt;
    };
    std::vector<double> numbers;
    QStringList positional;
    for (int n = 0; n < args.size(); ++n) {
        const QString& arg = args[n];
        const auto value = [&](QString& out) {
            if (n + 1 >= args.size()) return false;
            out = args[++n];
            return true;
        };
        QString v;
        if (!arg.startsWith(QLatin1String("--"))) {
            positional << arg;
        } else if (arg == QLatin1String("--rescale-legend")) {
            options.rescaleLegend = true;
        } else if (arg == QLatin1String("--show-above-ground")) {
            options.showAboveGround = true;
        } else if (arg == QLatin1String("--no-grid-lines")) {
            options.noGridLines = true;
        } else if (!value(v)) {
            return fail(arg + QStringLiteral(" needs a value"));
        } else if (arg == QLatin1String("--render")) {
            options.outputPath = v;
            const QString suffix = v.section(QLatin1Char('.'), -1).toLower();
            if (suffix != QLatin1String("png") && suffix != QLatin1String("jpg") &&
                suffix != QLatin1String("jpeg"))
                return fail(QStringLiteral("the image file must end in .png, .jpg or .jpeg: ") + v);
        } else if (arg == QLatin1String("--size")) {
            const QStringList wh = v.toLower().split(QLatin1Char('x'));
            bool okW = false, okH = false;
            if (wh.size() == 2) {
                options.width = wh[0].toInt(&okW);
                options.height = wh[1].toInt(&okH);
            }
            if (!okW || !okH || options.width < 1 || options.height < 1 ||
                options.width > MaxImageSide || options.height > MaxImageSide)
                return fail(QStringLiteral("--size wants WxH with each side from 1 to %1, not ")
                                .arg(MaxImageSide) +
                            v);
        } else if (arg == QLatin1String("--view")) {
            if (v == QLatin1String("3d"))
                options.view = RenderOptions::View::ThreeD;
            else if (v == QLatin1String("plan"))
                options.view = RenderOptions::View::Plan;
            else if (v == QLatin1String("section"))
                options.view = RenderOptions::View::Section;
            else
                return fail(QStringLiteral("--view wants 3d, plan or section, not ") + v);
        } else if (arg == QLatin1String("--slice")) {
            if (!ParseIndex(v, options.slice))
                return fail(QStringLiteral("--slice wants a number from 0, not ") + v);
        } else if (arg == QLatin1String("--parameter")) {
            options.parameter = v;
        } else if (arg == QLatin1String("--output")) {
            options.output = v;
        } else if (arg == QLatin1String("--time")) {
            if (!ParseIndex(v, options.time))
                return fail(QStringLiteral("--time wants a number from 0, not ") + v);
        } else if (arg == QLatin1String("--rotate")) {
            if (!ParseNumbers(v, 2, numbers))
                return fail(QStringLiteral("--rotate wants X,Z in degrees, not ") + v);
            options.rotateX = numbers[0];
            options.rotateZ = numbers[1];
        } else if (arg == QLatin1String("--zoom")) {
            if (!ParseNumbers(v, 4, numbers))
                return fail(QStringLiteral("--zoom wants four margins L,T,R,B, not ") + v);
            options.zoom = ZoomMargins{numbers[0], numbers[1], numbers[2], numbers[3]};
        } else if (arg == QLatin1String("--filter")) {
            if (!ParseNumbers(v, 2, numbers) || numbers[0] > numbers[1])
                return fail(QStringLiteral("--filter wants MIN,MAX with MIN <= MAX, not ") + v);
            options.filterMin = numbers[0];
            options.filterMax = numbers[1];
        } else if (arg == QLatin1String("--transparency")) {
            bool ok = false;
            options.transparency = v.toDouble(&ok);
            if (!ok || !(options.transparency >= 0.0 && options.transparency <= 1.0))
                return fail(QStringLiteral("--transparency wants a number from 0 to 1, not ") + v);
        } else {
            return fail(QStringLiteral("unknown option ") + arg);
        }
    }
    if (options.outputPath.isEmpty())
        return fail(QStringLiteral("expected --render OUT.png [options] PROJECT.kvp"));
    if (options.parameter && options.output)
        return fail(QStringLiteral("--parameter and --output cannot be used together"));
    if (positional.size() != 1)
        return fail(positional.isEmpty() ? QStringLiteral("no project file given")
                                         : QStringLiteral("one project file expected, not ") +
                                               positional.join(QLatin1Char(' ')));
    options.projectPath = positional.front();
    return options;
}

namespace {

int FindParameter(const GridData& grid, const QString& name) {
    for (int p = 0; p < grid.ParameterCount(); ++p)
        if (QString::fromStdString(grid.Parameter(p).name).compare(name, Qt::CaseInsensitive) == 0)
            return p;
    int code = -1;
    if (ParseIndex(name, code)) return grid.ParameterIndexOfCode(code);
    return -1;
}

int FindOutput(const GridData& grid, const QString& name) {
    const auto& outputs = grid.Outputs().gridOutputs;
    for (std::size_t q = 0; q < outputs.size(); ++q)
        if (QString::fromStdString(outputs[q].name).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(q);
    int index = -1;
    if (ParseIndex(name, index) && index < static_cast<int>(outputs.size())) return index;
    return -1;
}

} // namespace

bool ApplyRenderOptions(const RenderOptions& options, const GridData& grid, ViewSettings& settings,
                        QString& error) {
    const bool threeD = options.view == RenderOptions::View::ThreeD;
    double lo = 0.0, hi = 0.0;
    if (options.output) {
        const int q = FindOutput(grid, *options.output);
        if (q < 0) {
            error = QStringLiteral("the project has no output quantity ") + *options.output;
            return false;
        }
        const KORVAOutputData& output = grid.Outputs().gridOutputs[static_cast<std::size_t>(q)];
        if (options.time >= static_cast<int>(output.times.size())) {
            error = QStringLiteral("output %1 has %2 output times; --time %3 is past them")
                        .arg(QString::fromStdString(output.name))
                        .arg(output.times.size())
                        .arg(options.time);
            return false;
        }
        settings.OutputParameter = q;
        settings.OutputTimePeriod = options.time;
        settings.InputParameter = -1;
        lo = output.minimum;
        hi = output.maximum;
    } else {
        int p = 0;
        if (options.parameter) {
            p = FindParameter(grid, *options.parameter);
            if (p < 0) {
                error = QStringLiteral("the project has no parameter ") + *options.parameter;
                return false;
            }
        }
        settings.InputParameter = p < grid.ParameterCount() ? p : -1;
        settings.OutputParameter = -1;
        if (settings.InputParameter >= 0) {
            lo = grid.Parameter(p).minValue;
            hi = grid.Parameter(p).maxValue;
        }
    }
    if (threeD) {
        settings.ViewMode = Display3D;
        settings.CurrentSlice = -1;
    } else {
        settings.ViewMode = options.output ? OutputLayerMode : ParameterEditMode;
        settings.PlanOrientation = options.view == RenderOptions::View::Plan;
        const int slices = settings.PlanOrientation ? grid.NumLayers() : grid.NumRows();
        if (options.slice >= slices) {
            error = QStringLiteral("--slice %1 is past the grid's %2 %3")
                        .arg(options.slice)
                        .arg(slices)
                        .arg(settings.PlanOrientation ? QStringLiteral("layers")
                                                      : QStringLiteral("rows"));
            return false;
        }
        settings.CurrentSlice = options.slice;
    }
    settings.FilterMin = options.filterMin.value_or(lo);
    settings.FilterMax = options.filterMax.value_or(hi);
    settings.ColourFromFilter = options.rescaleLegend;
    settings.HideAboveGround = !options.showAboveGround;
    settings.DrawGridLines = !options.noGridLines;
    settings.OutputTransparency = options.transparency;
    if (options.rotateX) settings.RotationX = *options.rotateX;
    if (options.rotateZ) settings.RotationZ = *options.rotateZ;
    if (options.zoom) settings.CurrentZoom() = *options.zoom;
    return true;
}

} // namespace korva
