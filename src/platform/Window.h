#pragma once

#include <QWidget>

class QEventLoop;

// A window of the program. It is created through WindowRegistry::get<T>() with its
// design-time state, keeps that state while hidden, and is destroyed by
// unload(); the next reference builds it afresh.
class Window : public QWidget {
    Q_OBJECT
public:
    Window();
    ~Window() override;

    // Shows the window without blocking; it becomes the active window.
    void present();
    // Shows the window and waits until it is hidden or unloaded; meanwhile the
    // other windows take no input.
    void showModal();
    // Hides the window; a modal wait on it ends.
    void hideWindow();
    // Hides the window for a moment without ending its modal wait; present()
    // brings it back, still modal.
    void hideKeepingModal();
    // Destroys the window once control is back in the event loop; safe from
    // inside its own handlers.
    void unload();

    bool isUnloading() const { return m_unloading; }
    bool isInModalWait() const { return m_modalLoop != nullptr; }

    // Runs each time the window becomes the program's active window.
    virtual void onActivated() {}

protected:
    // Runs once, right after the window is created.
    virtual void onLoaded() {}
    // Runs just before the window is destroyed.
    virtual void onUnloading() {}
    // The title bar's close button: by default the window unloads. Windows with
    // a way out of their own take it instead.
    virtual void titleBarClose() { unload(); }

    // Moves the window to the centre of the screen, keeping its size; any
    // failure leaves it where it was.
    void centerOnScreen();

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
    friend class WindowRegistry;
    void endModalWait();

    QEventLoop* m_modalLoop = nullptr;
    bool m_modalDone = false;
    bool m_unloading = false;
    bool m_escapeCloses = false;
};
