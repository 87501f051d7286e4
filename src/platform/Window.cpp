#include "Window.h"

#include "WindowRegistry.h"

#include "Layout.h"
#include "TextLabel.h"

#include <algorithm>
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QWindow>

namespace {
// Brings a window to the front; the headless platform has no stacking to change.
void bringToFront(QWidget* w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        w->raise();
    w->activateWindow();
}
} // namespace

Window::Window() : QWidget(nullptr, Qt::Dialog) {
    // The control that takes the focus comes into view, however it got it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this)
            scrollIntoView(now);
    });
}

Window::~Window() {
    endModalWait();
}

void Window::present() {
    show();
    bringToFront(this);
    WindowRegistry::instance().setActive(this);
}

void Window::showModal() {
    if (m_modalLoop) { // already waiting: just bring it back
        present();
        return;
    }
    QPointer<Window> self(this);
    QPointer<Window> caller = WindowRegistry::active();
    WindowRegistry& registry = WindowRegistry::instance();

    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    m_modalLoop = &loop;
    m_modalDone = false;
    show();
    bringToFront(this);
    registry.setActive(this);
    // Activation, and whoever hears of the wait, may already have closed the
    // window: a wait begun then would never end.
    if (self && !m_modalDone) {
        emit registry.modalWaitStarted(this);
        if (self && !m_modalDone)
            loop.exec(QEventLoop::DialogExec);
    }
    if (self) {
        m_modalLoop = nullptr;
        setWindowModality(Qt::NonModal);
    }
    // The window that showed this one is active again; its activation runs,
    // and it takes the keyboard back even where no window manager hands it on.
    if (caller && caller != self && caller->isVisible() && !caller->isUnloading()) {
        bringToFront(caller);
        registry.setActive(caller);
    } else if (registry.m_active == self || registry.m_active.isNull()) {
        // Nobody to go back to: no window stays active in the registry's eyes.
        registry.m_active = nullptr;
    }
}

void Window::hideWindow() {
    const bool wasModal = m_modalLoop != nullptr;
    endModalWait();
    hide();
    if (!wasModal && WindowRegistry::active() == this)
        WindowRegistry::instance().activateLatestVisible(this);
}

void Window::hideKeepingModal() {
    hide();
}

void Window::unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    onUnloading();
    const bool wasModal = m_modalLoop != nullptr;
    endModalWait();
    hide();
    WindowRegistry& registry = WindowRegistry::instance();
    if (!wasModal && registry.m_active == this)
        registry.activateLatestVisible(this);
    registry.forget(this); // deletes later; the next reference builds a new one
}

void Window::endModalWait() {
    m_modalDone = true;
    if (m_modalLoop)
        m_modalLoop->exit(0);
}

void Window::centerOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize frame = frameGeometry().size();
    const float left = static_cast<float>(area.width() - frame.width()) / 2.0f;
    const float top = static_cast<float>(area.height() - frame.height()) / 2.0f;
    move(area.x() + std::max(0, static_cast<int>(left)),
         area.y() + std::max(0, static_cast<int>(top)));
}

// ---- Layout and scrolling

void Window::setGivenSize(int width, int height) {
    m_givenSize = m_contentSize = QSize(width, height);
    setFixedSize(m_givenSize);
}

void Window::relayout() {
    if (m_givenSize.isEmpty() || m_layingOut)
        return;
    m_layingOut = true;
    ensurePolished();
    const int height = platform::ui::layOutChildren(this, m_givenSize.height(), m_scrolled);
    m_contentSize = QSize(m_givenSize.width(), height);
    fitToScreen(m_contentSize);
    m_layingOut = false;
    if (!isVisible())
        return;
    // A window placed by the program, or already on the screen, stays on it
    // whole; the window manager places the others.
    const QWindow* handle = windowHandle();
    if (testAttribute(Qt::WA_Moved) || (handle && handle->isExposed()))
        keepOnScreen();
    if (QWidget* focused = focusWidget())
        scrollIntoView(focused);
}

QMargins Window::frameAllowance() const {
    if (windowFlags() & Qt::FramelessWindowHint)
        return {};
    if (const QWindow* handle = windowHandle(); handle && !handle->frameMargins().isNull())
        return handle->frameMargins();
    // Until the window manager has framed the window: about a title bar and borders.
    return QMargins(4, 32, 4, 4);
}

QRect Window::roomOnScreen() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().marginsRemoved(frameAllowance()) : QRect();
}

void Window::fitToScreen(QSize content) {
    m_frameUsed = frameAllowance();
    const QSize room = roomOnScreen().isValid() ? roomOnScreen().size() : content;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // A bar across the bottom narrows the height, and one down the side the
    // width; so each bar is looked at again once the other is known.
    bool down = content.height() > room.height();
    bool across = content.width() + (down ? bar : 0) > room.width();
    down = down || content.height() + (across ? bar : 0) > room.height();
    across = across || content.width() + (down ? bar : 0) > room.width();
    const QSize size(std::min(content.width() + (down ? bar : 0), room.width()),
                     std::min(content.height() + (across ? bar : 0), room.height()));
    if (minimumSize() != size || maximumSize() != size)
        setFixedSize(size);
    const QSize view(size.width() - (down ? bar : 0), size.height() - (across ? bar : 0));
    const auto fitBar = [&](Qt::Orientation o, bool needed) {
        if (!needed) {
            if (QScrollBar* b = o == Qt::Horizontal ? m_hBar : m_vBar) {
                b->setValue(0);
                b->hide();
            }
            return;
        }
        QScrollBar* b = scrollBar(o);
        const bool horizontal = o == Qt::Horizontal;
        b->setRange(0,
                    horizontal ? content.width() - view.width() : content.height() - view.height());
        b->setPageStep(horizontal ? view.width() : view.height());
        b->setGeometry(horizontal ? QRect(0, view.height(), view.width(), bar)
                                  : QRect(view.width(), 0, bar, view.height()));
        b->show();
        b->raise();
    };
    fitBar(Qt::Horizontal, across);
    fitBar(Qt::Vertical, down);
}

QScrollBar* Window::scrollBar(Qt::Orientation orientation) {
    QScrollBar*& bar = orientation == Qt::Horizontal ? m_hBar : m_vBar;
    if (!bar) {
        // Not a stop of its own: Tab reaches every control, and each comes into view.
        bar = new QScrollBar(orientation, this);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(fontMetrics().height());
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            scrollTo(QPoint(m_hBar && m_hBar->isVisibleTo(this) ? m_hBar->value() : 0,
                            m_vBar && m_vBar->isVisibleTo(this) ? m_vBar->value() : 0));
        });
    }
    return bar;
}

void Window::scrollTo(QPoint offset) {
    const QPoint by = m_scrolled - offset;
    if (by.isNull())
        return;
    m_scrolled = offset;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && platform::ui::isPlaced(w))
            w->move(w->pos() + by);
    }
}

void Window::scrollIntoView(QWidget* w) {
    if (m_layingOut || w == this)
        return;
    // Of a text, what its lines cover: a short question in a wide box needs
    // no sideways scroll, which would hide what lies to its left.
    const auto* label = qobject_cast<const TextLabel*>(w);
    const QRect r = (label ? label->textExtent() : w->rect()).translated(w->mapTo(this, QPoint()));
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool down = m_vBar && m_vBar->isVisibleTo(this);
    const bool across = m_hBar && m_hBar->isVisibleTo(this);
    // A control larger than the view shows its beginning, a button its
    // caption, in its middle. Down the window, it moves as little as it takes,
    // so that the reader keeps their place; sideways, as far left as still
    // shows the control, so that what stands to its left (the question's
    // number beside it) stays in view wherever it can.
    const bool fromMiddle = qobject_cast<QAbstractButton*>(w) != nullptr;
    const auto follow = [fromMiddle](QScrollBar* scrollBar, bool shown, int start, int end,
                                     int viewEnd, bool leftmost) {
        if (!shown)
            return;
        const int value = scrollBar->value();
        const bool larger = end - start > viewEnd;
        if (larger && fromMiddle)
            scrollBar->setValue(value + (start + end - viewEnd) / 2);
        else if (leftmost)
            scrollBar->setValue(larger ? value + start : std::max(0, value + end - viewEnd));
        else if (start < 0)
            scrollBar->setValue(value + start);
        else if (end > viewEnd)
            scrollBar->setValue(value + std::min(end - viewEnd, start));
    };
    follow(m_hBar, across, r.left(), r.right() + 1, width() - (down ? bar : 0), true);
    follow(m_vBar, down, r.top(), r.bottom() + 1, height() - (across ? bar : 0), false);
}

void Window::keepOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect outer = geometry().marginsAdded(frameAllowance());
    QPoint by;
    by.rx() = std::max(area.left() - outer.left(), std::min(0, area.right() - outer.right()));
    by.ry() = std::max(area.top() - outer.top(), std::min(0, area.bottom() - outer.bottom()));
    if (!by.isNull())
        move(pos() + by);
}

QImage Window::wholeImage() {
    const bool scrolls = (m_hBar && !m_hBar->isHidden()) || (m_vBar && !m_vBar->isHidden());
    if (!scrolls)
        return grab().toImage();
    // The design unscrolled, each control where it stands in it.
    const qreal ratio = devicePixelRatio();
    QImage image(m_contentSize * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(backgroundRole()));
    QPainter painter(&image);
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && !w->isHidden() && platform::ui::isPlaced(w))
            w->render(&painter, w->pos() + m_scrolled);
    }
    return image;
}

void Window::showEvent(QShowEvent* event) {
    // Frames and boxes of controls hear of their texts' changes; the window
    // lays itself out again then.
    for (QWidget* w : findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        if (parent != this && platform::ui::isPlaced(w))
            parent->installEventFilter(this);
    }
    relayout();
    QWidget::showEvent(event);
}

void Window::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // Framed now: the frame as the window manager drew it may differ from the guess.
    if (isVisible() && frameAllowance() != m_frameUsed)
        relayout();
}

void Window::wheelEvent(QWheelEvent* event) {
    if (m_vBar && m_vBar->isVisibleTo(this))
        QCoreApplication::sendEvent(m_vBar, event);
    else
        QWidget::wheelEvent(event);
}

bool Window::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && watched != this)
        QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
    return QWidget::eventFilter(watched, event);
}

void Window::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!m_unloading)
        titleBarClose();
}

bool Window::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        WindowRegistry::instance().userActivated(this);
    if (event->type() == QEvent::LayoutRequest)
        relayout();
    return QWidget::event(event);
}

void Window::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_escapeCloses) {
        event->accept();
        if (!m_unloading)
            titleBarClose();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto usable = [this](const QPushButton* b) {
        return b && b->window() == this && b->isVisible() && b->isEnabled();
    };
    auto* target = qobject_cast<QPushButton*>(focusWidget());
    if (!usable(target)) {
        target = nullptr;
        for (QPushButton* b : findChildren<QPushButton*>()) {
            if (b->isDefault() && usable(b)) {
                target = b;
                break;
            }
        }
    }
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    target->click();
}
