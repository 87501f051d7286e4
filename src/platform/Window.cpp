#include "Window.h"

#include "WindowRegistry.h"

#include <algorithm>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace {
// Brings a window to the front; the headless platform has no stacking to change.
void bringToFront(QWidget* w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        w->raise();
    w->activateWindow();
}
} // namespace

Window::Window() : QWidget(nullptr, Qt::Dialog) {}

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
    } else if (registry.m_active == self || registry.m_active.isNull())
        registry.m_active = nullptr;
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
    const QRect area = screen->geometry();
    const QSize frame = frameGeometry().size();
    const float left = static_cast<float>(area.width() - frame.width()) / 2.0f;
    const float top = static_cast<float>(area.height() - frame.height()) / 2.0f;
    move(area.x() + static_cast<int>(left), area.y() + static_cast<int>(top));
}

void Window::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!m_unloading)
        titleBarClose();
}

bool Window::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        WindowRegistry::instance().userActivated(this);
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
