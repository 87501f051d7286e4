// Benchmarks of the program's speed and memory, each reported as a ratio
// against a baseline measured in the same run (the machines are noisy).
//
//   quizdex_bench                 runs every benchmark, prints a Markdown table
//   quizdex_bench child MODE ...  one measured process (used by the above)
#include "Accessibility.h"
#include "AnswerFile.h"
#include "FileListBox.h"
#include "Fixtures.h"
#include "IntroductionWindow.h"
#include "LogRecord.h"
#include "MainWindow.h"
#include "MultiLineTextBox.h"
#include "QuestionCountWindow.h"
#include "QuestionEditor.h"
#include "RecordFile.h"
#include "ScoreLogWindow.h"
#include "ScoreWindow.h"
#include "Services.h"
#include "SharedState.h"
#include "TestRunWindow.h"
#include "TestSupport.h"
#include "WindowRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

std::int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

double median(std::vector<double> v) {
    return percentile(std::move(v), 0.5);
}

// Runs this program as `child MODE args` in `dir`; returns the child's reported
// time in ms (it prints the monotonic clock when ready) and its peak memory.
struct ChildResult {
    double ms = 0;
    double peakMb = 0;
};
ChildResult runChild(const char* self, const QString& dir, const QStringList& args) {
    const std::int64_t start = monotonicNs();
    int pipefd[2];
    if (::pipe(pipefd) != 0)
        std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipefd[1], STDOUT_FILENO);
        ::close(pipefd[0]);
        if (::chdir(QFile::encodeName(dir).constData()) != 0)
            ::_exit(1);
        std::vector<QByteArray> store;
        store.push_back(self);
        store.push_back("child");
        for (const QString& a : args)
            store.push_back(a.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& s : store)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        ::execv(self, argv.data());
        ::_exit(127);
    }
    ::close(pipefd[1]);
    char buf[64] = {};
    const ssize_t n = ::read(pipefd[0], buf, sizeof buf - 1);
    ::close(pipefd[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ChildResult r;
    if (n > 0)
        r.ms = static_cast<double>(std::atoll(buf) - start) / 1e6;
    r.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return r;
}

// In a child: report "ready" (the monotonic clock) once the event loop is idle.
void reportWhenIdle() {
    QTimer::singleShot(0, [] {
        std::printf("%lld\n", static_cast<long long>(monotonicNs()));
        std::fflush(stdout);
        ::_exit(0);
    });
}

// The editor's question box and moves, found by their control names.
struct Editor {
    MultiLineTextBox* question;
    QAbstractButton *next, *back, *first, *last;
};

// Opens `file` (in ./tests) in the question editor, as the edit door does.
Editor openEditor(const QString& file) {
    storage::shared::testsDir = storage::shared::defaultTestsDir();
    storage::shared::testPath = storage::shared::joinPath(storage::shared::testsDir, file);
    QuestionEditor& e = WindowRegistry::get<QuestionEditor>();
    e.present();
    const auto button = [&e](const char* name) {
        return testing::control<QAbstractButton>(&e, QLatin1String(name));
    };
    return {testing::control<MultiLineTextBox>(&e, QStringLiteral("txtQuestion")),
            button("Command1"), button("Command3"), button("Command7"), button("Command8")};
}

// Takes the whole test `file` through the main window's take door, answering
// every question; returns the milliseconds from the first question shown to
// the final score window. The pointer rests on "&Next", as for a candidate
// who clicks it, or away from the window, as for one who presses Enter.
enum class Pointer { OnNext, Away };
double takeWholeTest(const QString& file, Pointer pointer = Pointer::OnNext) {
    MainWindow& m = WindowRegistry::get<MainWindow>();
    m.present();
    testing::control<QCheckBox>(&m, QStringLiteral("Check1"))->setChecked(false);
    auto* testsToTake = testing::control<FileListBox>(&m, QStringLiteral("File2"));
    testsToTake->refresh();
    testsToTake->selectFile(file);
    testing::control<QLineEdit>(&m, QStringLiteral("txtName"))->setText(QStringLiteral("Bench"));
    double elapsed = 0;
    const auto button = [](QWidget& window, const char* name) {
        return testing::control<QPushButton>(&window, QLatin1String(name));
    };
    testing::whenModal<IntroductionWindow>(
        [button](IntroductionWindow& intro) { button(intro, "Command1")->click(); });
    testing::whenModal<QuestionCountWindow>(
        [button](QuestionCountWindow& n) { button(n, "Command1")->click(); });
    testing::whenModal<TestRunWindow>([&elapsed, pointer, button](TestRunWindow& t) {
        QPushButton* next = button(t, "Command1");
        auto* firstAnswer = testing::control<QRadioButton>(&t, QStringLiteral("answerA"));
        QCursor::setPos(pointer == Pointer::OnNext
                            ? next->mapToGlobal(next->rect().center())
                            : t.frameGeometry().bottomRight() + QPoint(20, 20));
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 200)
            QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        const int total = t.questionsToTake();
        for (int i = 0; i < total; ++i) {
            if (i == total - 1) {
                testing::whenModal<ScoreWindow>([&elapsed, &timer](ScoreWindow& s) {
                    elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
                    testing::control<QPushButton>(&s, QStringLiteral("Command1"))->click();
                });
            }
            firstAnswer->setChecked(true);
            next->click();
            // Answers come faster than any user's; the events they post are
            // handled now and then, as the event loop would between clicks,
            // so that the queue does not count as the program's memory.
            if (i % 100 == 99)
                QCoreApplication::processEvents();
        }
    });
    testing::control<QPushButton>(&m, QStringLiteral("Command4"))->click();
    return elapsed;
}

int childMain(int argc, char* argv[]) {
    const QString mode = QString::fromLocal8Bit(argv[2]);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (mode == QLatin1String("bare") || mode == QLatin1String("label")) {
        QWidget w;
        w.setFixedSize(443, 270);
        // One line of text: the font set-up every program that shows text pays.
        if (mode == QLatin1String("label"))
            (new QLabel(QStringLiteral("Quizdex"), &w))->move(10, 10);
        w.show();
        reportWhenIdle();
        return QApplication::exec();
    }
    if (mode == QLatin1String("startup")) {
        platform::installAccessibility(); // as the program starts
        WindowRegistry::get<MainWindow>().present();
        reportWhenIdle();
        return QApplication::exec();
    }
    if (mode == QLatin1String("editor") || mode == QLatin1String("run")) {
        testing::Env env; // fakes for the dialogs; the real clock and generator
        platform::setClockBackend(nullptr);
        platform::setRandomBackend(nullptr);
        // the fixture is written by the parent, into this working folder
        QDir::setCurrent(QString::fromLocal8Bit(argv[3]));
        const int questions = argc > 4 ? std::atoi(argv[4]) : 32766;
        if (questions != 32766) {
            fixtures::writeTest(QStringLiteral("tests/Sized.tst"), questions);
        }
        const QString file =
            questions != 32766 ? QStringLiteral("Sized.tst") : QStringLiteral("Big.tst");
        if (mode == QLatin1String("editor")) {
            const Editor e = openEditor(file);
            e.last->click();
            e.first->click();
        } else {
            std::fprintf(stderr, "run: %.0f ms\n", takeWholeTest(file));
        }
        std::printf("%lld\n", static_cast<long long>(monotonicNs()));
        std::fflush(stdout);
        ::_exit(0);
    }
    std::fprintf(stderr, "unknown child mode\n");
    return 2;
}

struct Row {
    QString what, measured, baseline, ratio, target;
};

void printTable(const std::vector<Row>& rows) {
    std::printf("| what | measured | baseline | ratio | target |\n|---|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %s | %s | %s | %s | %s |\n", qPrintable(r.what), qPrintable(r.measured),
                    qPrintable(r.baseline), qPrintable(r.ratio), qPrintable(r.target));
}

QString ms(double v) {
    return QStringLiteral("%1 ms").arg(v, 0, 'f', v < 10 ? 2 : 0);
}
QString ratio(double a, double b) {
    return QStringLiteral("%1x").arg(b > 0 ? a / b : 0.0, 0, 'f', 2);
}

// The milliseconds a whole process takes; the benchmark stops when it fails.
double processMs(const QString& program, const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(args.join(QLatin1Char(' '))));
        std::exit(1);
    }
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// A school's results, 500 score logs of 100 entries, as CSV and as PDF, each
// a whole process of the tool, against reading the same logs (cat).
void benchClassResults(std::vector<Row>& rows) {
    const QTemporaryDir work;
    const QString school = work.filePath(QStringLiteral("school"));
    fixtures::writeClass(school, 500, 100, 10);
    QStringList logs = QDir(school).entryList({QStringLiteral("*.log")}, QDir::Files);
    for (QString& log : logs)
        log = QDir(school).filePath(log);
    const QString tool = QStringLiteral(QUIZDEX_TOOL);
    std::vector<double> read, csv, pdf;
    for (int i = 0; i < 5; ++i) {
        read.push_back(processMs(QStringLiteral("cat"), logs));
        for (auto [flag, times] : {std::pair{"--csv", &csv}, std::pair{"--pdf", &pdf}})
            times->push_back(
                processMs(tool, {QStringLiteral("results"), school, QLatin1String(flag),
                                 QStringLiteral("--force"), QStringLiteral("-o"),
                                 work.filePath(QStringLiteral("out"))}));
    }
    for (const auto& [what, times, target] :
         {std::tuple{"CSV", &csv, "under 1 s"}, std::tuple{"PDF", &pdf, "under 3 s"}})
        rows.push_back(
            {QStringLiteral("quizdex-tool results, %1, 500 logs of 100 entries").arg(what),
             ms(median(*times)), QStringLiteral("%1 (cat of the logs)").arg(ms(median(read))),
             ratio(median(*times), median(read)), QLatin1String(target)});
}

// Start-up: process start until the main window is shown and idle.
void benchStartUp(const char* self, const QString& work, std::vector<Row>& rows) {
    std::vector<double> app, bare, label;
    for (int i = 0; i < 15; ++i) {
        app.push_back(runChild(self, work, {QStringLiteral("startup")}).ms);
        bare.push_back(runChild(self, work, {QStringLiteral("bare")}).ms);
        label.push_back(runChild(self, work, {QStringLiteral("label")}).ms);
    }
    rows.push_back({QStringLiteral("start-up"), ms(median(app)), ms(median(bare)),
                    ratio(median(app), median(bare)), QStringLiteral("at most 1.3x")});
    rows.push_back({QStringLiteral("start-up, against the same window showing one label"),
                    ms(median(app)), ms(median(label)), ratio(median(app), median(label)),
                    QStringLiteral("report")});
}

// Peak memory: the editor on the largest test, and a run of it, against the
// bare program.
void benchPeakMemory(const char* self, const QString& work, std::vector<Row>& rows) {
    QDir(work).mkpath(QStringLiteral("tests"));
    fixtures::writeTest(QDir(work).filePath(QStringLiteral("tests/Big.tst")), 32766);
    const double bareMb = runChild(self, work, {QStringLiteral("bare")}).peakMb;
    for (const QString& mode : {QStringLiteral("editor"), QStringLiteral("run")}) {
        const ChildResult r = runChild(self, work, {mode, work});
        rows.push_back({QStringLiteral("peak memory, %1 on 32,766 questions")
                            .arg(mode == QLatin1String("editor") ? QStringLiteral("editor")
                                                                 : QStringLiteral("whole run")),
                        QStringLiteral("%1 MB").arg(r.peakMb, 0, 'f', 1),
                        QStringLiteral("%1 MB").arg(bareMb, 0, 'f', 1),
                        QStringLiteral("+%1 MB").arg(r.peakMb - bareMb, 0, 'f', 1),
                        QStringLiteral("at most +20 MB")});
    }
}

// The companion tool on the largest test: exported, then imported back
// into a new test, each a whole process, against copying the test file.
void benchToolExchange(std::vector<Row>& rows) {
    const QString tool = QStringLiteral(QUIZDEX_TOOL);
    const QString big = QFileInfo(QStringLiteral("tests/Big.tst")).absoluteFilePath();
    const QString back = QFileInfo(QStringLiteral("tests/Back.tst")).absoluteFilePath();
    std::vector<double> copy;
    for (int i = 0; i < 5; ++i) {
        QFile::remove(back);
        copy.push_back(processMs(QStringLiteral("cp"), {big, back}));
    }
    for (const QString& format : {QStringLiteral("gift"), QStringLiteral("csv")}) {
        const QString file = QFileInfo(QStringLiteral("tests/Big.") + format).absoluteFilePath();
        std::vector<double> out, in;
        for (int i = 0; i < 5; ++i) {
            out.push_back(processMs(tool, {QStringLiteral("export"), QStringLiteral("--format"),
                                           format, big, QStringLiteral("-o"), file}));
            QFile::remove(back);
            in.push_back(processMs(tool, {QStringLiteral("import"), QStringLiteral("--format"),
                                          format, file, QStringLiteral("-o"), back,
                                          QStringLiteral("--owner"), QStringLiteral("Bench"),
                                          QStringLiteral("--password"), QStringLiteral("bench")}));
        }
        QFile::remove(back);
        const QString name =
            format == QLatin1String("gift") ? QStringLiteral("GIFT") : QStringLiteral("CSV");
        for (const auto& [what, times] :
             {std::pair{QStringLiteral("export"), &out}, std::pair{QStringLiteral("import"), &in}})
            rows.push_back({QStringLiteral("quizdex-tool %1, %2, 32,766 questions").arg(what, name),
                            ms(median(*times)),
                            QStringLiteral("%1 (cp of the test)").arg(ms(median(copy))),
                            ratio(median(*times), median(copy)), QStringLiteral("under 1 s")});
    }
}

// Score log views: selecting the largest log until the preview holds its text,
// and "Full &View" until the full view holds it; against setting the same,
// already built text into the same widget.
void benchLogViews(std::vector<Row>& rows) {
    MainWindow& m = WindowRegistry::get<MainWindow>();
    m.present();
    testing::control<QTabWidget>(&m, QStringLiteral("SSTab1"))->setCurrentIndex(3);
    auto* fullViewButton = testing::control<QPushButton>(&m, QStringLiteral("Command5"));
    auto* logs = testing::control<FileListBox>(&m, QStringLiteral("File3"));
    auto* preview = testing::control<QPlainTextEdit>(&m, QStringLiteral("Text4"));
    logs->refresh();
    std::vector<double> mini, miniBase, full, fullBase;
    for (int i = 0; i < 15; ++i) {
        logs->selectFile(QStringLiteral("One.log"));
        QElapsedTimer t;
        t.start();
        logs->selectFile(QStringLiteral("Big.log"));
        mini.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        const QString text = preview->toPlainText();
        preview->clear();
        t.restart();
        preview->setPlainText(text);
        miniBase.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);

        t.restart();
        fullViewButton->click();
        full.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        ScoreLogWindow& f = WindowRegistry::get<ScoreLogWindow>();
        auto* entries = testing::control<QPlainTextEdit>(&f, QStringLiteral("Text1"));
        if (entries->toPlainText() != text) { // else the row would time an empty view
            std::fprintf(stderr, "the full view does not show Big.log\n");
            std::exit(1);
        }
        entries->clear();
        t.restart();
        entries->setPlainText(text);
        fullBase.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        testing::control<QPushButton>(&f, QStringLiteral("Command1"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    rows.push_back({QStringLiteral("score log view, miniature (32,767 entries)"), ms(median(mini)),
                    ms(median(miniBase)), ratio(median(mini), median(miniBase)),
                    QStringLiteral("at most 1.5x")});
    rows.push_back({QStringLiteral("score log view, full view (32,767 entries)"), ms(median(full)),
                    ms(median(fullBase)), ratio(median(full), median(fullBase)),
                    QStringLiteral("at most 1.5x")});
    WindowRegistry::destroyAll();
}

// Editor moves on the largest test against the same moves on a small one.
void benchEditorMoves(std::vector<Row>& rows) {
    auto moves = [](const QString& file, std::vector<double>& next, std::vector<double>& back,
                    std::vector<double>& last) {
        const Editor e = openEditor(file);
        QElapsedTimer t;
        for (int i = 0; i < 101; ++i) {
            t.start();
            e.next->click();
            next.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            t.restart();
            e.back->click();
            back.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            t.restart();
            e.last->click();
            last.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            e.first->click();
        }
        WindowRegistry::destroyAll();
    };
    std::vector<double> bn, bb, bl, sn, sb, sl;
    moves(QStringLiteral("Big.tst"), bn, bb, bl);
    moves(QStringLiteral("Small.tst"), sn, sb, sl);
    const std::pair<const char*, std::pair<std::vector<double>*, std::vector<double>*>> cases[] = {
        {"\"Next >\"", {&bn, &sn}}, {"\"< Back\"", {&bb, &sb}}, {"\">>\"", {&bl, &sl}}};
    for (const auto& [name, v] : cases)
        rows.push_back(
            {QStringLiteral("editor move %1 (32,766 vs 3 questions)").arg(QLatin1String(name)),
             ms(median(*v.first)), ms(median(*v.second)),
             ratio(median(*v.first), median(*v.second)), QStringLiteral("at most 1.2x")});
}

// A move after an edit saves the question, flushed to disk with its
// journal (an unchanged question is not written again): against one frame
// of a 60 Hz screen.
void benchEditedMove(std::vector<Row>& rows) {
    // The fixtures' own megabytes go to disk first: a flush would carry them.
    ::sync();
    const Editor e = openEditor(QStringLiteral("Big.tst"));
    std::vector<double> edited;
    QElapsedTimer t;
    for (int i = 0; i < 101; ++i) {
        e.question->setText(QStringLiteral("Edited %1").arg(i));
        t.start();
        e.next->click();
        edited.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        e.back->click();
    }
    WindowRegistry::destroyAll();
    constexpr double kFrameMs = 1000.0 / 60;
    rows.push_back({QStringLiteral("editor move \"Next >\" after an edit, its save flushed "
                                   "(32,766 questions; 9 in 10 moves within)"),
                    QStringLiteral("%1 (%2)").arg(ms(median(edited)), ms(percentile(edited, 0.9))),
                    QStringLiteral("one frame, 16.7 ms"), ratio(median(edited), kFrameMs),
                    QStringLiteral("well under 1x")});
}

// A score log entry appended as a finished run does (locked, journalled,
// flushed), against the same entry written with one plain write, as
// before the journal.
void benchLogAppend(std::vector<Row>& rows) {
    const QString path = QStringLiteral("tests/Append.log");
    const QByteArray entry = fixtures::logEntry(1);
    std::vector<double> flushed, plain;
    QElapsedTimer t;
    for (int i = 0; i < 101; ++i) {
        t.start();
        storage::RecordFile(path, storage::LogRecord::kSize).appendAtCount(entry);
        flushed.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        const int fd = ::open("tests/Plain.log", O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        const bool written = fd >= 0 && ::write(fd, entry.constData(), entry.size()) > 0;
        if (fd >= 0)
            ::close(fd);
        plain.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (!written)
            std::exit(1);
    }
    rows.push_back(
        {QStringLiteral("score log entry appended with its journal and flushes "
                        "(9 in 10 within)"),
         QStringLiteral("%1 (%2)").arg(ms(median(flushed)), ms(percentile(flushed, 0.9))),
         QStringLiteral("%1 one plain write").arg(ms(median(plain))),
         ratio(median(flushed), median(plain)), QStringLiteral("report")});
}

// A whole run: every question of the largest test drawn and shown, per
// question against a 100-question test.
// A run's end as a finished run writes it: its answers, then its entry,
// each locked, journalled and flushed; against one frame of a 60 Hz screen.
void benchRunEnd(std::vector<Row>& rows) {
    for (const int questions : {30, 100}) {
        std::vector<storage::answers::Given> answers;
        for (int k = 0; k < questions; ++k)
            answers.push_back({k + 2, 0x9E3779B9u * unsigned(k), 1 + k % 5,
                               QStringLiteral("Answer %1").arg(k), k % 3 != 0});
        storage::LogRecord entry;
        entry.setBytes(fixtures::logEntry(1));
        entry.setNumQuestions(static_cast<std::int16_t>(questions));
        const QString log = QStringLiteral("tests/End%1.log").arg(questions);
        std::vector<double> ends;
        QElapsedTimer t;
        for (int i = 0; i < 101; ++i) {
            t.start();
            if (!storage::answers::appendRun(log, entry, answers).entry)
                std::exit(1);
            ends.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        rows.push_back(
            {QStringLiteral("a run's end: %1 answers, then the log entry, each with its journal "
                            "and flushes (9 in 10 within)")
                 .arg(questions),
             QStringLiteral("%1 (%2)").arg(ms(median(ends)), ms(percentile(ends, 0.9))),
             QStringLiteral("one frame, 16.7 ms"), ratio(median(ends), 1000.0 / 60),
             QStringLiteral("well under 1x")});
    }
}

void benchWholeRun(std::vector<Row>& rows) {
    const double big = takeWholeTest(QStringLiteral("Big.tst"));
    WindowRegistry::destroyAll();
    const double bigAway = takeWholeTest(QStringLiteral("Big.tst"), Pointer::Away);
    WindowRegistry::destroyAll();
    const double hundred = takeWholeTest(QStringLiteral("Hundred.tst"));
    WindowRegistry::destroyAll();
    rows.push_back(
        {QStringLiteral("whole run, 32,766 questions (per question)"),
         QStringLiteral("%1 (%2 us)").arg(ms(big)).arg(big * 1000 / 32766, 0, 'f', 1),
         QStringLiteral("%1 us per question (100 questions)").arg(hundred * 1000 / 100, 0, 'f', 1),
         ratio(big / 32766, hundred / 100), QStringLiteral("report; under 2 s in all")});
    rows.push_back(
        {QStringLiteral("whole run, 32,766 questions, pointer away from the window"),
         QStringLiteral("%1 (%2 us)").arg(ms(bigAway)).arg(bigAway * 1000 / 32766, 0, 'f', 1),
         QStringLiteral("pointer on \"&Next\" above"), ratio(bigAway, big),
         QStringLiteral("report; under 2 s in all")});
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], "child") == 0)
        return childMain(argc, argv);

    const QByteArray self =
        QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    argv[0] = const_cast<char*>(self.constData());
    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("tests"));
    std::vector<Row> rows;

    benchStartUp(argv[0], work.path(), rows);
    benchPeakMemory(argv[0], work.path(), rows);

    // In-process benchmarks, on the real windows with the test fakes.
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::Env env;
    platform::setClockBackend(nullptr);
    platform::setRandomBackend(nullptr);
    QDir().mkpath(QStringLiteral("tests"));
    fixtures::writeTest(QStringLiteral("tests/Big.tst"), 32766);
    fixtures::writeTest(QStringLiteral("tests/Small.tst"), 3);
    fixtures::writeTest(QStringLiteral("tests/Hundred.tst"), 100);
    fixtures::writeLog(QStringLiteral("tests/Big.log"), 32767);
    fixtures::writeLog(QStringLiteral("tests/One.log"), 1);
    storage::shared::testsDir = storage::shared::defaultTestsDir();

    benchToolExchange(rows);
    benchClassResults(rows);
    benchLogViews(rows);
    benchEditorMoves(rows);
    benchEditedMove(rows);
    benchLogAppend(rows);
    benchRunEnd(rows);
    benchWholeRun(rows);

    printTable(rows);
    return 0;
}
