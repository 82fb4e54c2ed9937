#include "viewpanelset.h"

#include <QEvent>

namespace korva {

ViewPanelSet::ViewPanelSet(QObject* parent) : QObject(parent) {}

ViewPanelSet::~ViewPanelSet() {
    DeleteAll();
}

void ViewPanelSet::DeleteAll() {
    for (QPointer<QWidget>& panel : panels) {
        if (panel.isNull()) continue;
        panel->removeEventFilter(this);
        disconnect(panel.data(), nullptr, this, nullptr);
        delete panel.data();
    }
}

QPointer<QWidget>& ViewPanelSet::Slot(ViewPanel panel) {
    return panels[static_cast<std::size_t>(panel)];
}

QWidget* ViewPanelSet::Panel(ViewPanel panel) const {
    return panels[static_cast<std::size_t>(panel)].data();
}

bool ViewPanelSet::IsShown(ViewPanel panel) const {
    const QWidget* widget = Panel(panel);
    return widget != nullptr && widget->isVisible();
}

QWidget* ViewPanelSet::Show(ViewPanel panel, const std::function<QWidget*()>& create) {
    // The others go first: each leaves the view's mode as it closes, and the
    // new panel then sets its own.
    for (int other = 0; other < ViewPanelCount; ++other)
        if (PanelExcludes(panel, static_cast<ViewPanel>(other)))
            Close(static_cast<ViewPanel>(other));
    QPointer<QWidget>& slot = Slot(panel);
    if (slot.isNull()) {
        slot = create();
        if (slot.isNull()) return nullptr;
        slot->installEventFilter(this);
        connect(slot.data(), &QObject::destroyed, this, &ViewPanelSet::Changed);
    }
    slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

void ViewPanelSet::Close(ViewPanel panel) {
    if (QWidget* widget = Panel(panel); widget != nullptr && widget->isVisible()) widget->close();
}

bool ViewPanelSet::eventFilter(QObject* watched, QEvent* event) {
    // Told once the show or hide has finished, so listeners read the new state.
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        QMetaObject::invokeMethod(this, &ViewPanelSet::Changed, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

} // namespace korva
