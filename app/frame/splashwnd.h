#pragma once
// CSplashWnd: the picture shown over the main frame while the program
// starts. It closes itself after 4000 ms, or at once when the user presses a
// key or a mouse button anywhere in the program.
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace korva {

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int DisplayMilliseconds = 4000;
    // Shows the splash centred over over (or the screen); the window deletes
    // itself when it closes and then has over repainted.
    static CSplashWnd* ShowSplashScreen(QWidget* over);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashWnd(QWidget* over);
    void HideSplash();

    QPointer<QWidget> over_;
    QTimer timer_;
};

} // namespace korva
