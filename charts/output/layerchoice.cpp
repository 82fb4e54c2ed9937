#include "layerchoice.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

namespace korva::charts {

void FillLayerChoice(QComboBox& box, int layerCount) {
    const QSignalBlocker quiet(box);
    const int current = std::max(0, box.currentIndex());
    box.clear();
    for (int k = 1; k <= layerCount; ++k)
        box.addItem(QString::number(k));
    box.setCurrentIndex(std::min(current, box.count() - 1));
}

} // namespace korva::charts
