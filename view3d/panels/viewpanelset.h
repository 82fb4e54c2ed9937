#pragma once
// The modeless panels of one 3D view, kept by kind: made on first use, then
// hidden and shown again, one editing panel at a time (PanelExcludes). It
// tells when a panel appears or goes, however that happened (a command, the
// panel's "Close", its title bar), so check marks can follow.
#include "view3d/viewpanelhost.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>

namespace korva {

class ViewPanelSet : public QObject {
    Q_OBJECT
public:
    explicit ViewPanelSet(QObject* parent = nullptr);
    // Deletes the panels: they work on the view that owns the set.
    ~ViewPanelSet() override;

    QWidget* Show(ViewPanel panel, const std::function<QWidget*()>& create);
    void Close(ViewPanel panel);
    bool IsShown(ViewPanel panel) const;
    QWidget* Panel(ViewPanel panel) const;
    void DeleteAll();

signals:
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget>& Slot(ViewPanel panel);

    std::array<QPointer<QWidget>, ViewPanelCount> panels;
};

} // namespace korva
