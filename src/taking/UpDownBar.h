#pragma once

#include <QScrollBar>

// A small vertical scroll bar used as an up-down counter: the top arrow raises
// the count, the bottom arrow lowers it, one step at a time.
class UpDownBar : public QScrollBar {
    Q_OBJECT
public:
    explicit UpDownBar(QWidget* parent = nullptr);

    // The counter runs from `low` (bottom) to `high` (top).
    void setCountRange(int low, int high);
    int count() const { return -value(); }
    void setCount(int n) { setValue(-n); }
    int lowest() const { return -maximum(); }
    int highest() const { return -minimum(); }

signals:
    void countChanged(int count);
};
