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
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTabBar>
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

QByteArray runEntry(const QString& test, const QString& score, int questions) {
    return logEntry({test, platform::dateText(), platform::timeText(), score, questions});
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

void takeTest(MainWindow& m, const std::function<void(TestRunWindow&)>& run,
              const std::function<void(QuestionCountWindow&)>& count,
              const std::function<void(IntroductionWindow&)>& intro) {
    closeWhenModal<IntroductionWindow>(intro);
    closeWhenModal<QuestionCountWindow>(count);
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

namespace {
// What of `w`'s own text does not show whole at its font, or "" when it all shows.
QString overflow(QWidget* w) {
    const QFontMetrics fm(w->font());
    QString text;
    int room = w->width() - 6; // a button's frame and a little air each side
    if (auto* label = qobject_cast<QLabel*>(w)) {
        text = label->pixmap().isNull() ? label->text() : QString();
        const QRect r = label->contentsRect();
        room = r.width();
        if (label->wordWrap() && !text.isEmpty()) {
            // Lines break between words; a word wider than a line breaks too.
            const int align = int(label->alignment());
            QRect need =
                fm.boundingRect(QRect(0, 0, r.width(), 100000), Qt::TextWordWrap | align, text);
            if (need.width() > r.width())
                need = fm.boundingRect(QRect(0, 0, r.width(), 100000), Qt::TextWrapAnywhere | align,
                                       text);
            return need.height() <= r.height() + 1 && need.width() <= r.width() ? QString() : text;
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        text = QString(button->text()).replace(QLatin1String("&&"), QLatin1String("\x01"));
        text.remove(QLatin1Char('&')).replace(QLatin1Char('\x01'), QLatin1Char('&'));
        const bool check = qobject_cast<QCheckBox*>(w);
        if (check || qobject_cast<QRadioButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(w);
            room = w->style()
                       ->subElementRect(check ? QStyle::SE_CheckBoxContents
                                              : QStyle::SE_RadioButtonContents,
                                        &option, w)
                       .width();
        }
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        text = frame->title();
        room = w->width() - 4;
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        // The captions' row, each tab as wide as its caption asks, within the container.
        return tabs->tabBar()->sizeHint().width() <= tabs->width() ? QString() : tabs->tabText(0);
    }
    return text.isEmpty() || fm.horizontalAdvance(text) <= room ? QString() : text;
}
} // namespace

QStringList cutOffTexts(QWidget* window) {
    QStringList out;
    window->ensurePolished();
    if (auto* laidOut = qobject_cast<Window*>(window))
        laidOut->relayout(); // as it is when shown
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->ensurePolished();
        if (const QString text = overflow(w); !text.isEmpty())
            out << w->objectName() + QStringLiteral(": ") + text;
    }
    return out;
}

QString longestText(int length, bool unbroken, int variant) {
    if (unbroken) {
        QString word(length, QLatin1Char('W'));
        if (variant > 0)
            word[0] = QChar(u'A' + variant);
        return word;
    }
    static const QStringList words =
        QStringLiteral(
            "Which of these statements about the water cycle, as it was described in the "
            "chapter on weather and climate, holds true for a mountain lake in summer, "
            "considering evaporation, condensation, precipitation and the runoff that "
            "carries minerals downhill into rivers, wetlands and eventually the ocean?")
            .split(QLatin1Char(' '));
    QString text;
    for (qsizetype i = variant; text.size() < length; ++i)
        text += words[i % words.size()] + QLatin1Char(' ');
    text.truncate(length);
    // A blank at the end would be trimmed away by the files' fixed fields.
    if (text.endsWith(QLatin1Char(' ')))
        text[length - 1] = QLatin1Char('s');
    return text;
}

} // namespace testing
