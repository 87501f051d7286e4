#pragma once

#include "Window.h"

#include <functional>
#include <map>
#include <memory>
#include <QObject>
#include <QPointer>
#include <typeindex>
#include <vector>

// The registry of windows: each window class exists at most once, and the
// registry knows which of them is the program's active window.
class WindowRegistry : public QObject {
    Q_OBJECT
public:
    static WindowRegistry& instance();

    // The one instance of T, created (and its onLoaded run) on first reference.
    template <class T> static T& get() {
        WindowRegistry& self = instance();
        const std::type_index key(typeid(T));
        auto it = self.m_windows.find(key);
        if (it != self.m_windows.end())
            return static_cast<T&>(*it->second);
        auto* window = new T();
        self.m_windows.emplace(key, WindowPtr(window));
        static_cast<Window*>(window)->onLoaded();
        return *window;
    }
    // The instance of T if it is loaded, without creating it.
    template <class T> static T* find() {
        WindowRegistry& self = instance();
        auto it = self.m_windows.find(std::type_index(typeid(T)));
        return it == self.m_windows.end() ? nullptr : static_cast<T*>(it->second.get());
    }
    template <class T> static bool isLoaded() { return find<T>() != nullptr; }

    static Window* active();
    // Ends the program: every window is unloaded, then the exit handler runs.
    static void endProgram();
    // The last step of endProgram(); by default it quits the application.
    static void setExitHandler(std::function<void()> handler);
    // Destroys every window at once (end of main, between tests).
    static void destroyAll();

signals:
    // The window became the program's active window (after its onActivated).
    void activated(Window* window);
    // A modal window is on screen and its wait is about to begin.
    void modalWaitStarted(Window* window);

private:
    friend class Window;
    struct LaterDeleter {
        void operator()(Window* f) const;
    };
    using WindowPtr = std::unique_ptr<Window, LaterDeleter>;

    WindowRegistry() = default;
    ~WindowRegistry() override;

    void setActive(Window* window);
    void forget(Window* window);
    void userActivated(Window* window);
    void activateLatestVisible(Window* leaving);
    void unloadAll();

    std::map<std::type_index, WindowPtr> m_windows;
    QPointer<Window> m_active;
    std::vector<QPointer<Window>> m_history;
    std::function<void()> m_exitHandler;
};
