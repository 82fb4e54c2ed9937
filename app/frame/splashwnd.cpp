#include "splashwnd.h"

#include "splashpicture.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

namespace korva {

CSplashWnd::CSplashWnd(QWidget* over)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      over_(over) {
    setObjectName("SplashWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(SplashWidth, SplashHeight);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::HideSplash);
    // Every event of the program passes here first, so any key or click closes it.
    qApp->installEventFilter(this);
}

CSplashWnd* CSplashWnd::ShowSplashScreen(QWidget* over) {
    auto* splash = new CSplashWnd(over);
    QRect area = over != nullptr && over->isVisible()
                     ? over->frameGeometry()
                     : QGuiApplication::primaryScreen()->geometry();
    splash->move(area.center() - splash->rect().center());
    splash->show();
    splash->raise();
    splash->timer_.start(DisplayMilliseconds);
    return splash;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, SplashPicture());
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        HideSplash();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CSplashWnd::HideSplash() {
    qApp->removeEventFilter(this);
    timer_.stop();
    close();
    if (over_ != nullptr) over_->update();
}

} // namespace korva
