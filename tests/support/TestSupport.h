#pragma once

#include "IoFaults.h"
#include "Records.h"
#include "Services.h"
#include "WindowRegistry.h"

#include <deque>
#include <functional>
#include <memory>
#include <QAbstractButton>
#include <QDateTime>
#include <QImage>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class IntroductionWindow;
class MainWindow;
class QuestionCountWindow;
class TestRunWindow;

namespace testing {

// The log entry a run of `test` writes at the fake clock's time.
QByteArray runEntry(const QString& test, const QString& score, int questions);

// Message boxes that answer from a queue (Yes/No boxes answer No when the queue
// is empty) and remember every text shown.
class FakeMessageBoxes : public platform::MessageBoxBackend {
public:
    platform::Answer show(const QString& text, bool yesNo) override;
    QStringList shown;
    std::deque<platform::Answer> answers;
};

// A sound player that records what it was asked to start; a started sound
// keeps playing until finish() when `holds` is set.
class FakeSound : public platform::SoundBackend {
public:
    bool isPlaying() const override { return m_playing; }
    void start(const QString& file) override;
    void finish() { m_playing = false; }
    QStringList started; // file names only
    bool holds = false;

private:
    bool m_playing = false;
};

// A printer that keeps the images it was given; `available` false acts as a
// machine without a printer.
class FakePrinter : public platform::PrinterBackend {
public:
    bool print(const QImage& image) override;
    QList<QImage> printed;
    bool available = true;
};

class FakeClock : public platform::ClockBackend {
public:
    QDateTime now() const override { return current; }
    QDateTime current = QDateTime(QDate(1998, 12, 5), QTime(22, 35, 12));
};

// Values from a list, then from the default generator.
class FakeRandom : public platform::RandomBackend {
public:
    double next() override;
    std::deque<double> values;

private:
    platform::DefaultRandom m_fallback;
};

// One test's world: a fresh temporary working folder, fakes for every
// service, fresh shared state, the accessibility the program installs at
// start, and no window left over from an earlier test.
class Env {
public:
    Env();
    ~Env();
    Env(const Env&) = delete;
    Env& operator=(const Env&) = delete;

    QString dir() const { return m_dir.path(); }
    // Lives as long as this Env: waits registered for windows that never came
    // end with the test that registered them.
    static QObject* scope();
    // Path of a file in the tests folder (relative to the working folder).
    QString testsFile(const QString& name) const;
    void writeFile(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relativePath) const;

    FakeMessageBoxes* boxes = nullptr;
    FakeSound* sound = nullptr;
    FakePrinter* printer = nullptr;
    FakeClock* clock = nullptr;
    FakeRandom* random = nullptr;
    int exitRequests = 0;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    std::unique_ptr<QObject> m_scope = std::make_unique<QObject>();
    Env* m_outer = nullptr;
};

// Ends the process (SIGALRM) if it is still alive `seconds` from now: a call
// that blocks for ever fails its test instead of hanging the run.
class Watchdog {
public:
    explicit Watchdog(unsigned seconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

// Things a reader must refuse without waiting on them.
enum class SpecialFile { Folder, Fifo, Socket };
// Puts a folder, a FIFO or a socket at `path`, in place of a file there.
bool makeSpecialFile(const QString& path, SpecialFile kind);

// Clicks a button as the user does.
void click(QAbstractButton* button);

// The keyboard as its user has it: keys go to the control with the focus (or
// the active window when no control has it). The first window must be active.
QWidget* focused();
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void type(const QString& text);
// Presses `key` until `done` holds, at most `limit` times; false when it never did.
bool pressUntil(Qt::Key key, const std::function<bool()>& done, int limit = 30);

// The named child control of `parent`; fails the test when it is missing.
template <class T> T* control(QObject* parent, const QString& name) {
    T* w = parent->findChild<T*>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

// Runs `action` once the window T is up and waiting modally (inside its wait),
// so that a test can act on a modal window that a click opened.
template <class T> void whenModal(std::function<void(T&)> action) {
    auto conn = std::make_shared<QMetaObject::Connection>();
    *conn =
        QObject::connect(&WindowRegistry::instance(), &WindowRegistry::modalWaitStarted,
                         Env::scope(), [conn, action](Window* form) {
                             T* target = qobject_cast<T*>(form);
                             if (!target)
                                 return;
                             QObject::disconnect(*conn);
                             QPointer<T> guard(target);
                             QTimer::singleShot(0, target, [guard, action] {
                                 if (guard)
                                     action(*guard);
                                 // a check that failed inside the window returns early: close
                                 // the window so that the test ends instead of waiting for ever
                                 if (guard && QTest::currentTestFailed() && guard->isInModalWait())
                                     guard->unload();
                             });
                         });
}

// Once the window T waits modally, runs `before` in it (when given), then
// presses its button `button`, "&Ok" unless named.
template <class T>
void closeWhenModal(std::function<void(T&)> before = {}, const char* button = "Command1") {
    whenModal<T>([before, button](T& w) {
        if (before)
            before(w);
        click(control<QAbstractButton>(&w, QLatin1String(button)));
    });
}

// The main window on its take tab with `test` chosen and `candidate` typed.
MainWindow& readyToTake(const QString& test, const QString& candidate);
// Presses "&Begin" on `m`, then "&Ok" in the introduction and the count window
// once `intro` and `count` have acted there; `run` acts inside the run.
void takeTest(MainWindow& m, const std::function<void(TestRunWindow&)>& run,
              const std::function<void(QuestionCountWindow&)>& count = {},
              const std::function<void(IntroductionWindow&)>& intro = {});

// Checks what assistive technology reads in `window` and lists the controls
// (and the window) that break a rule: every control carries its control name
// and is read by a non-empty name (a label that shows nothing reads nothing,
// as it looks); labels show plain text, never markup; the window, and every
// control that shows text of its own, has no set accessible name, so that it
// is read as what it shows now.
QStringList unnamedControls(QWidget* window);

// What assistive technology reads as the name of `w`.
QString spokenName(QObject* w);

// The controls of `window` whose text does not show whole at their font, as
// "name: text": a label's lines taller than it or a line wider, a caption
// wider than its button, check box, option, frame or row of tabs.
QStringList cutOffTexts(QWidget* window);

// Exactly `length` characters: ordinary words, or one unbroken word of the
// widest letter. `variant` starts the words elsewhere, for texts that must differ.
QString longestText(int length, bool unbroken, int variant = 0);

} // namespace testing
