#pragma once
// The command line of "korva --render": what to draw and how, read without
// touching a project or a display so every mistake is reported before either
// is opened.
#include "view3d/scene/viewsettings.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace korva {

struct RenderOptions {
    QString outputPath;
    QString projectPath;
    int width = 800;
    int height = 600;
    enum class View { ThreeD, Plan, Section } view = View::ThreeD;
    int slice = 0;
    std::optional<QString> parameter; // display name or code number
    std::optional<QString> output;    // quantity name or index
    int time = 0;
    std::optional<double> rotateX, rotateZ;
    std::optional<ZoomMargins> zoom;
    std::optional<double> filterMin, filterMax;
    bool rescaleLegend = false;
    bool showAboveGround = false;
    bool noGridLines = false;
    double transparency = 0.5;
};

// args are the program's arguments without the program name; "--render OUT"
// may stand anywhere among them. nullopt, with the reason in error, when they are not a valid
// render request.
std::optional<RenderOptions> ParseRenderOptions(const QStringList& args, QString& error);

// Applies options to settings for grid: view mode, slice, the parameter or
// output shown, camera and filters. False, with the reason in error, for a
// parameter or output that the project does not have, or a slice or time
// outside it.
bool ApplyRenderOptions(const RenderOptions& options, const GridData& grid, ViewSettings& settings,
                        QString& error);

} // namespace korva
