// Takes the README's pictures: starts the program's windows on a demo folder,
// walks through them as a user would (choose a test, open the editor and the
// properties, take the test with one wrong answer, read the score log) and
// writes a PNG of each window, frame included, as the window manager drew it.
// The clock is fixed and the draw follows from it, so every run shows the
// same questions in the same order and the pictures change only when the
// windows do. Run by scripts/screenshots on a virtual X display.
#include "Accessibility.h"
#include "Controls.h"
#include "DetailedFeedbackWindow.h"
#include "FileListBox.h"
#include "HeaderRecord.h"
#include "IntroductionWindow.h"
#include "MainWindow.h"
#include "PropertiesWindow.h"
#include "Question.h"
#include "QuestionCountWindow.h"
#include "QuestionEditor.h"
#include "ScoreLogWindow.h"
#include "ScoreWindow.h"
#include "Services.h"
#include "SharedState.h"
#include "ShortFeedbackWindow.h"
#include "StartUp.h"
#include "TestRunWindow.h"
#include "TextRules.h"

#include <cstdio>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

namespace {

QString g_outDir;
QStringList g_written;
// "-de" and the like after each picture's name when the desktop's language
// has a catalogue (LANGUAGE=de scripts/screenshots), so that the English
// pictures stay as they are.
QString g_languageSuffix;
// The second run takes the test of the longest question.
bool g_longest = false;

class FixedClock : public platform::ClockBackend {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), QTime(10, 30, 0)); }
};

class Silence : public platform::SoundBackend {
public:
    bool isPlaying() const override { return false; }
    void start(const QString&) override {}
};

void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until the window is on screen and painted, then saves it with the
// frame the window manager drew round it. The frame is asked of the X server
// (by ImageMagick's import): the toolkit's idea of it lags behind when a
// window is hidden and shown again.
void shot(QWidget& w, const QString& name) {
    for (int i = 0; i < 100 && !(w.windowHandle() && w.windowHandle()->isExposed()); ++i)
        pause(50);
    w.raise();
    w.activateWindow();
    pause(400);
    const QString path = QDir(g_outDir).filePath(name + g_languageSuffix + QStringLiteral(".png"));
    if (QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-frame"), QStringLiteral("-window"),
                           QString::number(w.winId()), path}) != 0) {
        std::fprintf(stderr, "cannot take %s\n", qPrintable(path));
        std::_Exit(1);
    }
    g_written << path;
}

// A test of one question as long as a test holds: 500 characters, five
// choices of 200 and an explanation of 500, in ordinary words.
bool writeLongestTest(const QString& path) {
    storage::TestRecord rec;
    storage::fillNewHeader(rec, QStringLiteral("Demo Author"), QStringLiteral("demo"));
    if (!storage::shared::writeTestRecord(path, 1, rec).ok)
        return false;
    storage::Question q;
    q.kind = storage::QuestionKind::Multiple;
    q.text = QStringLiteral(
        "A hiker leaves the valley station at 7:40 in the morning and climbs the 1,250 "
        "metres to the summit hut at an average of 400 metres an hour, resting for ten "
        "minutes after every full hour of walking. At the hut she eats lunch for forty "
        "minutes, then comes down by the same path at twice her climbing speed, again "
        "resting ten minutes after each full hour. The last cable car leaves the valley "
        "at 16:30. Counting each rest, at what time is she back at the valley station, "
        "and does she need the cable car?");
    q.choices = {
        QStringLiteral(
            "At 13:42, with well over two hours to spare: the climb takes 3 hours 8 "
            "minutes, the rests 30 minutes, lunch 40 minutes, the descent 1 hour 34 minutes "
            "and its one rest 10 minutes, so she can walk down."),
        QStringLiteral(
            "At 12:32, because the rests on the way up do not count: she walks 3 hours 8 "
            "minutes up, has lunch for 40 minutes and walks down in 1 hour 34 minutes, "
            "which leaves her plenty of time for the cable car."),
        QStringLiteral(
            "At 14:42, since walking down at twice the speed still takes as long as the "
            "climb once all of the rests are added, so she reaches the station nearly two "
            "hours before the last cable car of the day goes."),
        QStringLiteral(
            "At 16:45, a quarter of an hour too late for the last cable car, because the "
            "ten-minute rests after every full hour of walking add up to far over an hour "
            "across the whole day on the long mountain path."),
        QStringLiteral(
            "It cannot be worked out from what is given, as the question does not say how "
            "long each of her rests on the way down lasts, nor whether she also rests at "
            "the summit hut before lunch or only afterwards.")};
    q.correct = 1;
    q.explanation = QStringLiteral(
        "Climbing 1,250 metres at 400 metres an hour takes 3.125 hours, or 3 hours 7.5 "
        "minutes, rounded to 3 hours 8 minutes; after each of the three full hours she "
        "rests ten minutes, 30 minutes in all. Lunch takes 40 minutes. The descent at "
        "800 metres an hour takes 1 hour 34 minutes, with one rest of ten minutes after "
        "its first hour. Adding 3:08, 0:30, 0:40, 1:34 and 0:10 to 7:40 gives 13:42, "
        "close to three hours before the last cable car at 16:30, so she is down long "
        "before it leaves and needs no lift.");
    storage::storeQuestion(rec, 1, q);
    return storage::shared::writeTestRecord(path, 2, rec).ok;
}

// One action per kind of modal window, run once its wait has begun; the
// windows open one another, so the tour is a set of these rather than a list.
std::vector<std::function<bool(Window*)>> g_onModal;
template <class T> void onModal(std::function<void(T&)> action) {
    g_onModal.push_back([action](Window* f) {
        T* w = qobject_cast<T*>(f);
        if (w)
            action(*w);
        return w != nullptr;
    });
}

// The named control of `window`, as automation finds it.
template <class T = QWidget> T* control(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

// Clicks the button `name` of `window`, as a user does.
void press(QWidget& window, const char* name) {
    control<QPushButton>(window, name)->click();
}

// The correct answer of the question on screen, found in the test by its text.
QString correctAnswer(TestRunWindow& t) {
    const QString shown = control<QLabel>(t, "lblQuestion")->text();
    const int records = storage::shared::testRecordCount(storage::shared::testPath).value();
    for (int n = 2; n <= records; ++n) {
        const storage::IoResult<storage::TestRecord> question =
            storage::shared::readTestRecord(storage::shared::testPath, n);
        if (question && question->text(storage::TestRecord::QuestionText) == shown)
            return storage::rightTrimmed(question->text(storage::TestRecord::CorrectAnswer));
    }
    return {};
}

// Picks an answer as a candidate does: by clicking its option, or typing it.
void answer(TestRunWindow& t, bool right) {
    const QString correct = correctAnswer(t);
    if (auto* box = t.findChild<QLineEdit*>(QStringLiteral("txtANswer")); box->isVisible()) {
        box->setText(right ? correct : QStringLiteral("I do not know"));
    } else {
        for (QChar letter : QStringLiteral("ABCDE")) {
            const auto* label = t.findChild<QLabel*>(QStringLiteral("label") + letter);
            const bool isCorrect =
                storage::rightTrimmed(label->text()).compare(correct, Qt::CaseInsensitive) == 0;
            if (label->isVisible() && isCorrect == right) {
                t.findChild<QRadioButton*>(QStringLiteral("answer") + letter)->click();
                break;
            }
        }
    }
    press(t, "Command1");
}

// The editor and its properties, opened through the edit door.
void tourEditing(MainWindow& m, QTabWidget* tabs) {
    onModal<QuestionEditor>([](QuestionEditor& e) {
        shot(e, QStringLiteral("editor"));
        press(e, "Command5"); // Edit test properties
        press(e, "Command2"); // Done
    });
    onModal<PropertiesWindow>([](PropertiesWindow& p) {
        shot(p, QStringLiteral("properties"));
        press(p, "Command2"); // Cancel
    });
    tabs->setCurrentIndex(1);
    control<FileListBox>(m, "File1")->selectFile(QStringLiteral("Sample.tst"));
    control<QLineEdit>(m, "txtCreator")->setText(QStringLiteral("Demo Author"));
    control<QLineEdit>(m, "txtPassword")->setText(QStringLiteral("demo"));
    press(m, "Command3");
}

// The windows of the next run, each answered as it opens: a question, the
// detailed feedback after one wrong answer, and the score.
void shootNextRun() {
    onModal<IntroductionWindow>([](IntroductionWindow& w) { press(w, "Command1"); });
    onModal<QuestionCountWindow>([](QuestionCountWindow& w) { press(w, "Command1"); });
    onModal<TestRunWindow>([](TestRunWindow& t) {
        shot(t, QLatin1String(g_longest ? "longest-question" : "question"));
        // One wrong answer first, for the detailed feedback; the rest right.
        for (bool right = false; !t.isUnloading(); right = true)
            answer(t, right);
    });
    onModal<DetailedFeedbackWindow>([](DetailedFeedbackWindow& w) {
        if (!g_written.join(' ').contains(QStringLiteral("feedback")) || g_longest)
            shot(w, QLatin1String(g_longest ? "longest-feedback" : "feedback"));
        press(w, "Command1");
    });
    onModal<ShortFeedbackWindow>([](ShortFeedbackWindow& w) { press(w, "Command1"); });
    onModal<ScoreWindow>([](ScoreWindow& w) {
        // the second run, answered wrong, shows the caption beside a bar too short for it
        shot(w, QLatin1String(g_longest ? "score-fail" : "score"));
        press(w, "Command1");
    });
}

void tour() {
    MainWindow& m = WindowRegistry::get<MainWindow>();
    m.present();
    auto* tabs = control<QTabWidget>(m, "SSTab1");

    tabs->setCurrentIndex(2);
    control<FileListBox>(m, "File2")->selectFile(QStringLiteral("Sample.tst"));
    control<QLineEdit>(m, "txtName")->setText(QStringLiteral("Ann"));
    shot(m, QStringLiteral("main-window"));

    tourEditing(m, tabs);
    shootNextRun();
    tabs->setCurrentIndex(2);
    press(m, "Command4");

    tabs->setCurrentIndex(3);
    control<FileListBox>(m, "File3")->selectFile(QStringLiteral("Ann.log"));
    press(m, "Command5");
    shot(WindowRegistry::get<ScoreLogWindow>(), QStringLiteral("score-log"));
    press(WindowRegistry::get<ScoreLogWindow>(), "Command1");

    // Once more with the longest question, answered wrong for the feedback.
    const QString longest = QStringLiteral("Longest.tst");
    if (!writeLongestTest(storage::shared::joinPath(storage::shared::testsDir, longest))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(longest));
        std::_Exit(1);
    }
    g_longest = true;
    tabs->setCurrentIndex(2);
    control<FileListBox>(m, "File2")->refresh();
    control<FileListBox>(m, "File2")->selectFile(longest);
    press(m, "Command4");
}

} // namespace

int main(int argc, char* argv[]) {
    startup::identifyApplication();
    QApplication app(argc, argv);
    platform::installAccessibility();
    if (argc != 3) {
        std::fprintf(stderr, "usage: quizdex_screenshots DEMO-FOLDER OUTPUT-FOLDER\n");
        return 2;
    }
    g_outDir = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    if (const QString problem = startup::enterFolder(QString::fromLocal8Bit(argv[1]));
        !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(platform::ui::defaultFont());
    if (const QString language = startup::installTranslations(); !language.isEmpty())
        g_languageSuffix = QLatin1Char('-') + language;
    // Large fonts (QT_FONT_DPI=192) scale the whole desktop by two.
    if (QGuiApplication::primaryScreen()->devicePixelRatio() >= 2)
        g_languageSuffix += QStringLiteral("-192dpi");

    // The icon as installed, from the build's own rendering of it.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(QUIZDEX_ICON_DIR "/%1x%1/org.quizdex.Quizdex.png").arg(size));
    QApplication::setWindowIcon(icon);
    platform::setClockBackend(std::make_unique<FixedClock>());
    platform::setSoundBackend(std::make_unique<Silence>());

    QObject::connect(&WindowRegistry::instance(), &WindowRegistry::modalWaitStarted,
                     [](Window* form) {
                         QPointer<Window> guard(form);
                         QTimer::singleShot(0, form, [guard] {
                             for (const auto& action : g_onModal)
                                 if (guard && action(guard))
                                     return;
                         });
                     });
    // A message box or a window the tour does not know would wait for ever.
    QTimer::singleShot(120000, [] {
        std::fprintf(stderr, "the tour got stuck; pictures so far: %s\n",
                     qPrintable(g_written.join(QStringLiteral(", "))));
        std::_Exit(1);
    });
    QTimer::singleShot(0, [] {
        tour();
        WindowRegistry::endProgram();
    });
    const int rc = QApplication::exec();
    WindowRegistry::destroyAll();
    platform::resetBackends();
    for (const QString& path : g_written)
        std::printf("%s\n", qPrintable(path));
    return rc;
}
