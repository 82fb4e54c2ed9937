#include "ccolorbutton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace korva {

CColorButton::CColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setMinimumSize(48, 24);
}

void CColorButton::SetFaceColour(const QColor& colour) {
    face = colour;
    update();
}

void CColorButton::SetCaptionColour(const QColor& colour) {
    caption = colour;
    update();
}

void CColorButton::SetDisabledCaptionColour(const QColor& colour) {
    disabledCaption = colour;
    update();
}

void CColorButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect inside = rect().adjusted(4, 4, -4, -4);
    painter.fillRect(inside, face);
    painter.setPen(isEnabled() ? caption : disabledCaption);
    painter.drawText(inside, Qt::AlignCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inside;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace korva
