#include "UpDownBar.h"

#include <algorithm>

// A vertical bar's top end is its minimum; holding the negated count puts the
// largest count at the top, so the top arrow counts up.
UpDownBar::UpDownBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setSingleStep(1);
    setPageStep(1);
    setCountRange(1, 1);
    connect(this, &QScrollBar::valueChanged, this, [this](int v) { emit countChanged(-v); });
}

void UpDownBar::setCountRange(int low, int high) {
    setRange(-std::max(low, high), -std::min(low, high));
}
