#include "toolicons.h"

#include "app/document/commandids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace korva {

namespace {

constexpr int Size = 32; // drawn large, scaled down by the toolbar

QIcon Draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void Page(QPainter& p) {
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(20, 3, 20, 9);
    p.drawLine(20, 9, 26, 9);
}

// A little layered block: the model grid.
void Grid(QPainter& p, const QColor& top) {
    p.setBrush(top);
    p.drawRect(4, 8, 24, 18);
    p.drawLine(4, 14, 28, 14);
    p.drawLine(4, 20, 28, 20);
    p.drawLine(12, 8, 12, 26);
    p.drawLine(20, 8, 20, 26);
}

void Magnifier(QPainter& p, const QString& sign) {
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(QColor(40, 40, 40), 4));
    p.drawLine(19, 19, 28, 28);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(8, 12, 17, 12);
    if (sign == "+") p.drawLine(12, 8, 12, 17);
}

void Letter(QPainter& p, const QString& text, const QColor& fill) {
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 4, 4);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(16);
    p.setFont(font);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, text);
}

} // namespace

QIcon ApplicationIcon() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(42, 30, 20), 1));
        p.setBrush(QColor(105, 160, 70));
        p.drawPolygon(QPolygonF({QPointF(7, 8), QPointF(29, 8), QPointF(23, 14), QPointF(1, 14)}));
        const QColor layers[] = {QColor(120, 90, 55), QColor(150, 115, 74), QColor(95, 130, 175)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(layers[i]);
            p.drawRect(QRectF(1, 14 + 4 * i, 22, 4));
        }
        p.setBrush(QColor(90, 74, 56));
        p.drawPolygon(
            QPolygonF({QPointF(23, 14), QPointF(29, 8), QPointF(29, 20), QPointF(23, 26)}));
    });
}

QIcon ToolIcon(const QString& id) {
    using namespace cmd;
    if (id == FileNew) return Draw([](QPainter& p) { Page(p); });
    if (id == FileOpen)
        return Draw([](QPainter& p) {
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(3, 9, 24, 18);
            p.drawLine(3, 9, 10, 5);
            p.drawLine(10, 5, 16, 9);
        });
    if (id == FileSave)
        return Draw([](QPainter& p) {
            p.setBrush(QColor(70, 110, 180));
            p.drawRect(4, 4, 24, 24);
            p.setBrush(Qt::white);
            p.drawRect(9, 4, 14, 9);
            p.drawRect(8, 18, 16, 10);
        });
    if (id == DataConstants)
        return Draw([](QPainter& p) { Letter(p, "K", QColor(255, 240, 200)); });
    if (id == GridParameterPanel) return Draw([](QPainter& p) { Grid(p, QColor(120, 190, 120)); });
    if (id == GridBoundaryPanel)
        return Draw([](QPainter& p) {
            Grid(p, Qt::white);
            p.setPen(QPen(QColor(200, 40, 40), 3));
            p.setBrush(Qt::NoBrush);
            p.drawRect(4, 8, 24, 18);
        });
    if (id == GridAssignOutput)
        return Draw([](QPainter& p) {
            Grid(p, Qt::white);
            p.setBrush(QColor(0, 170, 0));
            p.drawRect(12, 14, 8, 6);
        });
    if (id == GridParameterColors)
        return Draw([](QPainter& p) {
            QLinearGradient ramp(4, 0, 28, 0);
            ramp.setColorAt(0, Qt::red);
            ramp.setColorAt(1, Qt::green);
            p.setBrush(ramp);
            p.drawRect(4, 8, 24, 16);
        });
    if (id == GridDisplayOutput)
        return Draw([](QPainter& p) {
            p.setBrush(Qt::white);
            p.drawRect(3, 4, 26, 24);
            p.setPen(QPen(QColor(30, 90, 200), 2));
            p.drawPolyline(
                QPolygon({QPoint(6, 24), QPoint(12, 14), QPoint(18, 19), QPoint(26, 8)}));
        });
    if (id == GridMouseZoom) return Draw([](QPainter& p) { Magnifier(p, "+"); });
    if (id == GridZoomOut) return Draw([](QPainter& p) { Magnifier(p, "-"); });
    if (id == GridRestoreZoom)
        return Draw([](QPainter& p) {
            p.setBrush(Qt::NoBrush);
            p.drawRect(5, 5, 22, 22);
            p.drawRect(11, 11, 10, 10);
            p.drawLine(5, 5, 11, 11);
            p.drawLine(27, 27, 21, 21);
        });
    if (id == GridViewControl)
        return Draw([](QPainter& p) {
            p.setBrush(QColor(200, 200, 200));
            p.drawEllipse(QRectF(5, 5, 22, 22));
            p.drawArc(QRectF(9, 12, 14, 8), 0, 16 * 360);
            p.drawLine(16, 5, 16, 27);
        });
    if (id == GridRun)
        return Draw([](QPainter& p) {
            p.setBrush(QColor(40, 160, 60));
            p.drawPolygon(QPolygon({QPoint(8, 5), QPoint(27, 16), QPoint(8, 27)}));
        });
    return {};
}

} // namespace korva
