#pragma once
// The modeless panels a 3D view owns, as the command handlers of every
// library see them (the view implements ViewPanelHost; a handler finds it
// with dynamic_cast on the command context's view).
//
// Each of the first five panels puts the view in a mouse mode of its own, so
// one of them is shown at a time: showing one closes the other four and the
// grid edit dialog first. The camera control has no mode and stays.
#include <functional>

class QWidget;

namespace korva {

enum class ViewPanel {
    ParameterControl,  // "Display parameter control panel" (mode 1)
    BoundaryControl,   // "Display boundary control panel" (mode 2)
    TimeSeriesOutput,  // "Assign output parameters for a cell." (mode 3)
    OutputParameters,  // "Change parameter colors." (mode 8)
    TimeSeriesDisplay, // "Display output parameters at a cell." (mode 7)
    GridEdit,          // the grid edit dialog (modes 0 and 4)
    CameraControl,     // "Displays camera control"
};
inline constexpr int ViewPanelCount = 7;

// Whether showing panel `shown` closes panel `other` first.
inline bool PanelExcludes(ViewPanel shown, ViewPanel other) {
    const auto editing = [](ViewPanel p) {
        return p != ViewPanel::GridEdit && p != ViewPanel::CameraControl;
    };
    if (shown == other || !editing(shown)) return false;
    return editing(other) || other == ViewPanel::GridEdit;
}

class ViewPanelHost {
public:
    virtual ~ViewPanelHost() = default;
    // Made by create on first use, then hidden and shown again; the panels it
    // excludes are closed first. Returns the panel (null when create gave none).
    virtual QWidget* ShowPanel(ViewPanel panel, const std::function<QWidget*()>& create) = 0;
    virtual void ClosePanel(ViewPanel panel) = 0;
    virtual bool PanelShown(ViewPanel panel) const = 0;
    // The panel if it was made (shown or hidden), else null.
    virtual QWidget* Panel(ViewPanel panel) const = 0;
};

// A panel command pressed again while its panel is up closes it (the menu
// item and the toolbar button carry a check mark while it is shown).
inline QWidget* TogglePanel(ViewPanelHost& host, ViewPanel panel,
                            const std::function<QWidget*()>& create) {
    if (host.PanelShown(panel)) {
        host.ClosePanel(panel);
        return nullptr;
    }
    return host.ShowPanel(panel, create);
}

} // namespace korva
