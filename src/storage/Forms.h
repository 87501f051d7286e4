#pragma once

#include <functional>
#include <map>
#include <memory>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <typeindex>
#include <vector>

class QEventLoop;

// A window of the program. It is created through Forms::get<T>() with its
// design-time state, keeps that state while hidden, and is destroyed by
// Unload(); the next reference builds it afresh.
class Form : public QWidget {
    Q_OBJECT
public:
    Form();
    ~Form() override;

    // Shows the window without blocking; it becomes the active window.
    void Show();
    // Shows the window and waits until it is hidden or unloaded; meanwhile the
    // other windows take no input.
    void ShowModal();
    // Hides the window; a modal wait on it ends.
    void Hide();
    // Hides the window for a moment without ending its modal wait; Show()
    // brings it back, still modal.
    void HideKeepingModal();
    // Destroys the window once control is back in the event loop; safe from
    // inside its own handlers.
    void Unload();

    bool isUnloading() const { return m_unloading; }
    bool isInModalWait() const { return m_modalLoop != nullptr; }

    // Runs each time the window becomes the program's active window.
    virtual void Form_Activate() {}

protected:
    // Runs once, right after the window is created.
    virtual void Form_Load() {}
    // Runs just before the window is destroyed.
    virtual void Form_Unload() {}
    // The title bar's close button: by default the window unloads. Windows with
    // a way out of their own take it instead.
    virtual void titleBarClose() { Unload(); }

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    // Enter presses the focused push button, or else the window's default
    // button, as in a dialog. Escape closes the window as its title bar's close
    // button does, in windows that allow it (see setEscapeCloses).
    void keyPressEvent(QKeyEvent* event) override;
    // For windows whose close button is a plain way out, as Escape is in a
    // dialog; not where closing would throw away what the user typed.
    void setEscapeCloses(bool on) { m_escapeCloses = on; }

private:
    friend class Forms;
    void endModalWait();

    QEventLoop* m_modalLoop = nullptr;
    bool m_modalDone = false;
    bool m_unloading = false;
    bool m_escapeCloses = false;
};

// The registry of windows: each window class exists at most once, and the
// registry knows which of them is the program's active window.
class Forms : public QObject {
    Q_OBJECT
public:
    static Forms& instance();

    // The one instance of T, created (and its Form_Load run) on first reference.
    template <class T> static T& get() {
        Forms& self = instance();
        const std::type_index key(typeid(T));
        auto it = self.m_forms.find(key);
        if (it != self.m_forms.end())
            return static_cast<T&>(*it->second);
        auto* form = new T();
        self.m_forms.emplace(key, FormPtr(form));
        static_cast<Form*>(form)->Form_Load();
        return *form;
    }
    // The instance of T if it is loaded, without creating it.
    template <class T> static T* find() {
        Forms& self = instance();
        auto it = self.m_forms.find(std::type_index(typeid(T)));
        return it == self.m_forms.end() ? nullptr : static_cast<T*>(it->second.get());
    }
    template <class T> static bool isLoaded() { return find<T>() != nullptr; }

    static Form* active();
    // Ends the program: every window is unloaded, then the exit handler runs.
    static void endProgram();
    // The last step of endProgram(); by default it quits the application.
    static void setExitHandler(std::function<void()> handler);
    // Destroys every window at once (end of main, between tests).
    static void destroyAll();

signals:
    // The window became the program's active window (after its Form_Activate).
    void activated(Form* form);
    // A modal window is on screen and its wait is about to begin.
    void modalWaitStarted(Form* form);

private:
    friend class Form;
    struct LaterDeleter {
        void operator()(Form* f) const;
    };
    using FormPtr = std::unique_ptr<Form, LaterDeleter>;

    Forms() = default;
    ~Forms() override;

    void setActive(Form* form);
    void forget(Form* form);
    void userActivated(Form* form);
    void activateLatestVisible(Form* leaving);

    std::map<std::type_index, FormPtr> m_forms;
    QPointer<Form> m_active;
    std::vector<QPointer<Form>> m_history;
    std::function<void()> m_exitHandler;
};
