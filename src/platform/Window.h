#pragma once

#include <QImage>
#include <QMargins>
#include <QWidget>

class QEventLoop;
class QScrollBar;

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

    // Lays the window out again by the design its controls were given (see
    // Layout.h). It happens by itself when the window is shown and when a text
    // changes while it shows.
    void relayout();
    // How large the laid-out design is; the window is smaller only where the
    // screen is, and then scrolls.
    QSize contentSize() const { return m_contentSize; }
    // Where the laid-out design lies in the window: scrolled, above and left of it.
    QRect contentRect() const { return QRect(-m_scrolled, m_contentSize); }
    // What is printed of the window: the whole design, scrolled or not.
    QImage wholeImage();

protected:
    // Runs once, right after the window is created.
    virtual void onLoaded() {}
    // Runs just before the window is destroyed.
    virtual void onUnloading() {}
    // The title bar's close button: by default the window unloads. Windows with
    // a way out of their own take it instead.
    virtual void titleBarClose() { unload(); }

    // The size of the window's design, in pixels. The window takes it and grows
    // from it with its texts, as far as the screen's free area allows: beyond
    // that, it scrolls.
    void setGivenSize(int width, int height);

    // Moves the window to the centre of the screen, keeping its size; any
    // failure leaves it where it was.
    void centerOnScreen();

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    // Enter presses the focused push button, or else the window's default
    // button, as in a dialog. Escape closes the window as its title bar's close
    // button does, in windows that allow it (see setEscapeCloses).
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // For windows whose close button is a plain way out, as Escape is in a
    // dialog; not where closing would throw away what the user typed.
    void setEscapeCloses(bool on) { m_escapeCloses = on; }

private:
    friend class WindowRegistry;
    void endModalWait();
    // The part of the screen's free area the window may take, its frame left out.
    QRect roomOnScreen() const;
    QMargins frameAllowance() const;
    // Sizes the window for a design of `content`, scroll bars where it does not fit.
    void fitToScreen(QSize content);
    QScrollBar* scrollBar(Qt::Orientation orientation);
    void scrollTo(QPoint offset);
    void scrollIntoView(QWidget* w);
    void keepOnScreen();

    QEventLoop* m_modalLoop = nullptr;
    bool m_modalDone = false;
    bool m_unloading = false;
    bool m_escapeCloses = false;

    QSize m_givenSize;
    QSize m_contentSize;
    QPoint m_scrolled;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
    QMargins m_frameUsed;
    bool m_layingOut = false;
};
