#include "splashpicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace korva {

namespace {

// A block of soil layers seen at an angle, with a crop row on top and the
// water table in blue: what the program models.
void DrawSoilBlock(QPainter& p) {
    const QPointF origin(300, 120);
    const double width = 200, depth = 70, layer = 28;
    const QColor layers[] = {QColor(120, 90, 55), QColor(150, 115, 70), QColor(175, 145, 95),
                             QColor(95, 130, 175), QColor(70, 105, 155)};
    const QPointF skew(-60, 45);
    p.setPen(QPen(QColor(40, 30, 20), 1));
    // Top face: the field with its crop rows.
    QPolygonF top(
        {origin, origin + QPointF(width, 0), origin + QPointF(width, 0) + skew, origin + skew});
    p.setBrush(QColor(105, 160, 70));
    p.drawPolygon(top);
    p.setPen(QPen(QColor(60, 120, 40), 2));
    for (int i = 1; i < 8; ++i) {
        const double t = i / 8.0;
        p.drawLine(origin + QPointF(width * t, 0), origin + QPointF(width * t, 0) + skew);
    }
    p.setPen(QPen(QColor(40, 30, 20), 1));
    for (int i = 0; i < 5; ++i) {
        const QPointF a = origin + skew + QPointF(0, layer * i);
        const QPointF b = a + QPointF(width, 0);
        p.setBrush(layers[i]);
        p.drawPolygon(QPolygonF({a, b, b + QPointF(0, layer), a + QPointF(0, layer)}));
        const QPointF c = origin + QPointF(width, layer * i);
        p.setBrush(layers[i].darker(125));
        p.drawPolygon(QPolygonF({b, c, c + QPointF(0, layer), b + QPointF(0, layer)}));
    }
    Q_UNUSED(depth);
}

} // namespace

QPixmap SplashPicture() {
    QPixmap pixmap(SplashWidth, SplashHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, SplashHeight);
    sky.setColorAt(0.0, QColor(28, 62, 110));
    sky.setColorAt(1.0, QColor(120, 170, 210));
    p.fillRect(pixmap.rect(), sky);
    DrawSoilBlock(p);

    p.setPen(Qt::white);
    QFont title = p.font();
    title.setPixelSize(64);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(32, 40, 260, 80), Qt::AlignLeft | Qt::AlignVCenter, "KORVA");
    QFont text = p.font();
    text.setPixelSize(15);
    text.setBold(false);
    p.setFont(text);
    p.drawText(QRect(34, 120, 250, 80), Qt::AlignLeft | Qt::TextWordWrap,
               "Soil water, salt transport and crop growth of irrigated land");
    text.setPixelSize(12);
    p.setFont(text);
    p.setPen(QColor(230, 240, 250));
    p.drawText(QRect(34, SplashHeight - 44, 480, 20), Qt::AlignLeft, "Halvor Group");
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

} // namespace korva
