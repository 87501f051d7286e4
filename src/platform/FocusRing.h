#pragma once

#include <QFocusFrame>

// A clear ring just outside the control that has the keyboard focus, shown
// while the keyboard is in use (from a key press until the next mouse press).
// The style's own marks are faint on some controls and missing on others
// (option buttons without a caption, scroll bars, labels). Being a focus
// frame, it is no control for assistive technology.
class FocusRing : public QFocusFrame {
    Q_OBJECT
public:
    // Starts following the application's focus; later calls do nothing.
    static void followFocus();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class FocusFollower;
    FocusRing() = default;
    void follow(QWidget* focused);
};
