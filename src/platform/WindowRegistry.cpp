#include "WindowRegistry.h"

#include <algorithm>
#include <QApplication>

void WindowRegistry::LaterDeleter::operator()(Window* f) const {
    if (f)
        f->deleteLater();
}

WindowRegistry& WindowRegistry::instance() {
    static WindowRegistry* registry = new WindowRegistry(); // lives as long as the process
    return *registry;
}

WindowRegistry::~WindowRegistry() = default;

Window* WindowRegistry::active() {
    return instance().m_active.data();
}

void WindowRegistry::setActive(Window* window) {
    if (!window || m_active == window)
        return;
    m_active = window;
    m_history.erase(
        std::remove_if(m_history.begin(), m_history.end(),
                       [window](const QPointer<Window>& p) { return p.isNull() || p == window; }),
        m_history.end());
    m_history.emplace_back(window);
    QPointer<Window> guard(window);
    window->onActivated();
    if (guard)
        emit activated(window);
}

void WindowRegistry::userActivated(Window* window) {
    // The window system reports the user's own switches; a window blocked by a
    // modal one, or one on its way out, does not take over.
    if (!window->isVisible() || window->isUnloading())
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window)
        return;
    setActive(window);
}

void WindowRegistry::activateLatestVisible(Window* leaving) {
    if (m_active == leaving)
        m_active = nullptr;
    for (auto it = m_history.rbegin(); it != m_history.rend(); ++it) {
        Window* f = it->data();
        if (f && f != leaving && f->isVisible() && !f->isUnloading()) {
            setActive(f);
            return;
        }
    }
}

void WindowRegistry::forget(Window* window) {
    for (auto it = m_windows.begin(); it != m_windows.end(); ++it) {
        if (it->second.get() == window) {
            m_windows.erase(it);
            break;
        }
    }
    if (m_active == window)
        m_active = nullptr;
}

void WindowRegistry::unloadAll() {
    // Unloading changes the map, so the windows are collected first.
    std::vector<Window*> loaded;
    for (auto& [key, window] : m_windows)
        loaded.push_back(window.get());
    for (Window* window : loaded)
        window->unload();
}

void WindowRegistry::endProgram() {
    WindowRegistry& self = instance();
    self.unloadAll();
    if (self.m_exitHandler)
        self.m_exitHandler();
    else
        QCoreApplication::quit();
}

void WindowRegistry::setExitHandler(std::function<void()> handler) {
    instance().m_exitHandler = std::move(handler);
}

void WindowRegistry::destroyAll() {
    WindowRegistry& self = instance();
    self.unloadAll();
    self.m_windows.clear();
    self.m_history.clear();
    self.m_active = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
