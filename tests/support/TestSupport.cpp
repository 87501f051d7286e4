#include "TestSupport.h"

#include "Accessibility.h"
#include "FileListBox.h"
#include "IntroductionWindow.h"
#include "MainWindow.h"
#include "QuestionCountWindow.h"
#include "RecordFile.h"
#include "SharedState.h"
#include "TestRunWindow.h"

#include <cstring>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace testing {

platform::Answer FakeMessageBoxes::show(const QString& text, bool yesNo) {
    shown.append(text);
    if (!answers.empty()) {
        const platform::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return yesNo ? platform::Answer::No : platform::Answer::Ok;
}

void FakeSound::start(const QString& file) {
    started.append(QFileInfo(file).fileName());
    m_playing = holds;
}

bool FakePrinter::print(const QImage& image) {
    if (!available)
        return false;
    printed.append(image);
    return true;
}

double FakeRandom::next() {
    if (values.empty())
        return m_fallback.next();
    const double v = values.front();
    values.pop_front();
    return v;
}

namespace {
Env* g_current = nullptr;
} // namespace

QObject* Env::scope() {
    return g_current ? g_current->m_scope.get() : &WindowRegistry::instance();
}

Env::Env() : m_oldCwd(QDir::currentPath()), m_outer(g_current) {
    platform::installAccessibility(); // as the program does at start
    g_current = this;
    WindowRegistry::destroyAll();
    QDir::setCurrent(m_dir.path());
    storage::shared::reset();
    auto b = std::make_unique<FakeMessageBoxes>();
    boxes = b.get();
    platform::setMessageBoxBackend(std::move(b));
    auto s = std::make_unique<FakeSound>();
    sound = s.get();
    platform::setSoundBackend(std::move(s));
    auto p = std::make_unique<FakePrinter>();
    printer = p.get();
    platform::setPrinterBackend(std::move(p));
    auto c = std::make_unique<FakeClock>();
    clock = c.get();
    platform::setClockBackend(std::move(c));
    auto r = std::make_unique<FakeRandom>();
    random = r.get();
    platform::setRandomBackend(std::move(r));
    WindowRegistry::setExitHandler([this] { ++exitRequests; });
    // Once a check has failed, no window opened afterwards waits for a user.
    QObject::connect(&WindowRegistry::instance(), &WindowRegistry::modalWaitStarted, m_scope.get(),
                     [](Window* form) {
                         if (QTest::currentTestFailed())
                             QTimer::singleShot(0, form, [form] { form->unload(); });
                     });
}

Env::~Env() {
    m_scope.reset();
    g_current = m_outer;
    WindowRegistry::destroyAll();
    IoFaults::clear();
    WindowRegistry::setExitHandler({});
    platform::resetBackends();
    storage::shared::reset();
    QDir::setCurrent(m_oldCwd);
}

QString Env::testsFile(const QString& name) const {
    return storage::shared::joinPath(storage::shared::defaultTestsDir(), name);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void Env::writeFile(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = QDir(m_dir.path()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeBytes(path, bytes);
}

QByteArray Env::readFile(const QString& relativePath) const {
    return fileBytes(QDir(m_dir.path()).filePath(relativePath));
}

Watchdog::Watchdog(unsigned seconds) {
    ::alarm(seconds);
}

Watchdog::~Watchdog() {
    ::alarm(0);
}

bool makeSpecialFile(const QString& path, SpecialFile kind) {
    QFile::remove(path);
    const QByteArray native = QFile::encodeName(path);
    if (kind == SpecialFile::Folder)
        return QDir().mkdir(path);
    if (kind == SpecialFile::Fifo)
        return ::mkfifo(native.constData(), 0666) == 0;
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, native.constData(), sizeof addr.sun_path - 1);
    const bool made = ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(s); // the socket's file stays
    return made;
}

void click(QAbstractButton* button) {
    if (!button) {
        QTest::qFail("no button to click", __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

namespace {
QWidget* keyboardTarget() {
    QWidget* target = focused();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        QTest::qFail("no window takes the keyboard", __FILE__, __LINE__);
    return target;
}
} // namespace

QWidget* focused() {
    // The program's active window takes the keyboard once the window system
    // has made it active. When a modal window closes, a window manager
    // activates the one below; the headless platform has none, so this does.
    QWidget* window = QApplication::activeModalWidget();
    if (!window)
        window = WindowRegistry::active();
    if (window && window->isVisible() && !window->isActiveWindow()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            QTest::qFail("the window never became active", __FILE__, __LINE__);
    }
    return QApplication::focusWidget();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget* target = keyboardTarget())
        QTest::keyClick(target, key, modifiers);
}

void type(const QString& text) {
    if (QWidget* target = keyboardTarget())
        QTest::keyClicks(target, text);
}

bool pressUntil(Qt::Key key, const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); ++i)
        press(key);
    return done();
}

MainWindow& readyToTake(const QString& test, const QString& candidate) {
    MainWindow& m = WindowRegistry::get<MainWindow>();
    m.present();
    control<QTabWidget>(&m, QStringLiteral("SSTab1"))->setCurrentIndex(2);
    control<FileListBox>(&m, QStringLiteral("File2"))->selectFile(test);
    QTest::keyClicks(control<QLineEdit>(&m, QStringLiteral("txtName")), candidate);
    return m;
}

namespace {
template <class W> void pressOkAfter(const std::function<void(W&)>& before) {
    whenModal<W>([before](W& w) {
        if (before)
            before(w);
        click(control<QPushButton>(&w, QStringLiteral("Command1")));
    });
}
} // namespace

void takeTest(MainWindow& m, const std::function<void(TestRunWindow&)>& run,
              const std::function<void(QuestionCountWindow&)>& count,
              const std::function<void(IntroductionWindow&)>& intro) {
    pressOkAfter<IntroductionWindow>(intro);
    pressOkAfter<QuestionCountWindow>(count);
    whenModal<TestRunWindow>(run);
    click(control<QPushButton>(&m, QStringLiteral("Command4")));
}

namespace {
// Parts that Qt builds inside its composite widgets are not controls of ours.
bool isToolkitPart(const QWidget* w) {
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QFocusFrame*>(w) ||
        (qobject_cast<const QScrollBar*>(w) && w->objectName().isEmpty()) ||
        w->inherits("QTabBar") || w->inherits("QStackedWidget"))
        return true;
    const QWidget* parent = w->parentWidget();
    return parent &&
           (parent->inherits("QStackedWidget") || parent->inherits("QTabBar") ||
            parent->inherits("QAbstractScrollArea") || parent->inherits("QAbstractSpinBox"));
}
} // namespace

QString spokenName(QObject* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QStringList unnamedControls(QWidget* window) {
    QStringList missing;
    const auto note = [&missing](const QWidget* w) {
        missing.append(QStringLiteral("%1 '%2'").arg(
            QString::fromLatin1(w->metaObject()->className()), w->objectName()));
    };
    if (!window->accessibleName().isEmpty() || spokenName(window) != window->windowTitle())
        note(window);
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (isToolkitPart(w))
            continue;
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        const auto* frame = qobject_cast<const QGroupBox*>(w);
        const bool showsText = (label && label->pixmap().isNull() && !label->text().isEmpty()) ||
                               (button && !button->text().isEmpty()) ||
                               (frame && !frame->title().isEmpty());
        const bool showsNothing = label && label->pixmap().isNull() && label->text().isEmpty();
        if (w->objectName().isEmpty() || (label && label->textFormat() != Qt::PlainText) ||
            (showsText && !w->accessibleName().isEmpty()) ||
            (!showsNothing && spokenName(w).trimmed().isEmpty()))
            note(w);
    }
    return missing;
}

} // namespace testing
