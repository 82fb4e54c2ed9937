#pragma once
// CColorButton: a push button that shows a colour as its face, with its
// caption in a caption colour (a disabled one when the button is disabled).
#include <QColor>
#include <QPushButton>

namespace korva {

class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(const QString& caption = {}, QWidget* parent = nullptr);
    void SetFaceColour(const QColor& colour);
    QColor FaceColour() const { return face; }
    void SetCaptionColour(const QColor& colour);
    void SetDisabledCaptionColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face = Qt::white;
    QColor caption = Qt::black;
    QColor disabledCaption = Qt::gray;
};

} // namespace korva
