#include "FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>

// Watches the application's input and focus and puts the ring where it belongs.
class FocusFollower : public QObject {
public:
    explicit FocusFollower(QApplication* app) : QObject(app) {
        app->installEventFilter(this);
        connect(app, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { place(now); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::KeyPress && !m_keyboard) ||
            (type == QEvent::MouseButtonPress && m_keyboard)) {
            m_keyboard = type == QEvent::KeyPress;
            place(QApplication::focusWidget());
        }
        return false;
    }

private:
    void place(QWidget* focused) {
        // A window itself gets no ring; a control does.
        QWidget* target = m_keyboard && focused && !focused->isWindow() ? focused : nullptr;
        if (!m_ring) {
            if (!target)
                return;
            // The ring lives inside the window that has the focus and goes
            // with it; a new one is made when needed.
            m_ring = new FocusRing();
        }
        m_ring->follow(target);
    }

    QPointer<FocusRing> m_ring;
    bool m_keyboard = false;
};

void FocusRing::followFocus() {
    static bool following = false;
    if (following || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    following = true;
    new FocusFollower(qApp);
}

void FocusRing::follow(QWidget* focused) {
    setWidget(focused);
    if (widget())
        raise(); // above neighbours that overlap the margin; the inside is masked off
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    const bool handled = QFocusFrame::eventFilter(watched, event);
    // The frame puts itself under its control on these; the ring stays on top.
    if (watched == widget() &&
        (event->type() == QEvent::ZOrderChange || event->type() == QEvent::Show ||
         event->type() == QEvent::ParentChange))
        raise();
    return handled;
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
