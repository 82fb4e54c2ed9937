#pragma once

#include <QHeaderView>

namespace korva {

// The column heads of a table control. The record tables have long heads
// ("End of Stage 1 (days from planting)"); they wrap into a few lines instead
// of making a column as wide as its head, and the header grows to hold them.
class TableHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TableHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Widest a head may make its column before it wraps, in pixels.
    void SetWrapWidth(int pixels) { wrapWidth_ = pixels; }
    int WrapWidth() const { return wrapWidth_; }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int wrapWidth_ = 100;
};

} // namespace korva
