#include "tableheader.h"

#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

namespace korva {

namespace {
constexpr int kTextMargin = 6; // each side of a head's text

// Heads wrap between words only: a unit such as "(m/day)" stays whole (a
// word joiner after each slash keeps the line breaker from splitting there).
QString Unbreakable(QString text) {
    text.replace(u'/', QStringLiteral("/\u2060"));
    return text;
}
} // namespace

TableHeader::TableHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setDefaultAlignment(Qt::AlignCenter);
    setSectionsClickable(true);
    setHighlightSections(true);
}

QSize TableHeader::sectionSizeFromContents(int logicalIndex) const {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (orientation() != Qt::Horizontal || !model()) return size;
    const QString text = Unbreakable(model()->headerData(logicalIndex, orientation()).toString());
    const QFontMetrics metrics(font());
    const int natural = metrics.boundingRect(QRect(0, 0, 100000, 100000), 0, text).width();
    const int width = std::min(natural, wrapWidth_);
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap | Qt::AlignCenter, text);
    size.setWidth(std::max(wrapped.width(), width) + 2 * kTextMargin);
    size.setHeight(std::max(size.height(), wrapped.height() + 2 * kTextMargin));
    return size;
}

void TableHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (orientation() != Qt::Horizontal || !model()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // The frame and the pressed/selected look come from the style; the text
    // is drawn wrapped over it.
    const QString text = Unbreakable(model()->headerData(logicalIndex, orientation()).toString());
    painter->save();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text.clear();
    if (selectionModel() && highlightSections() &&
        selectionModel()->columnIntersectsSelection(logicalIndex, rootIndex()))
        option.state |= QStyle::State_On;
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    // The style may leave the painter clipped to nothing once it is done.
    painter->restore();
    painter->save();
    painter->setClipRect(rect);
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(1, 2, -1, -2), Qt::TextWordWrap | Qt::AlignCenter, text);
    painter->restore();
}

} // namespace korva
