// Faults met through the windows: failed writes, files changed under a run or a
// log view, a run killed at any moment. Every file keeps what it held.
#include "Accessibility.h"
#include "AnswerFile.h"
#include "FileListBox.h"
#include "IntroductionWindow.h"
#include "LogRecord.h"
#include "MainWindow.h"
#include "MultiLineTextBox.h"
#include "Question.h"
#include "QuestionCountWindow.h"
#include "QuestionEditor.h"
#include "RollbackJournal.h"
#include "ScoreLog.h"
#include "ScoreLogWindow.h"
#include "ScoreWindow.h"
#include "SharedState.h"
#include "TestHeader.h"
#include "TestRunWindow.h"
#include "TestSupport.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QtWidgets>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testing::SpecialFile;

namespace {

constexpr char kRunWorkerFlag[] = "--killed-run-worker";
constexpr int kQuestions = 3;

// A test of n true/false questions "Q1" .. "Qn", each answered TRUE, with no
// feedback windows.
QByteArray numberedTest(int n) {
    return testing::testFile({.password = u"secret"_s, .right = u"0000"_s, .wrong = u"0000"_s},
                             testing::numberedQuestions(n));
}

QByteArray logEntry(const QString& test, int score, int questions) {
    return testing::runEntry(test, QString::number(score), questions);
}

// Files named by their bytes, whatever their encoding.
void writeRaw(const QByteArray& path, const QByteArray& bytes) {
    QDir().mkpath(u"tests"_s);
    std::FILE* f = std::fopen(path.constData(), "wb");
    QVERIFY(f && std::fwrite(bytes.constData(), 1, bytes.size(), f) == size_t(bytes.size()));
    std::fclose(f);
}
QByteArray readRaw(const QByteArray& path) {
    QByteArray bytes(1 << 16, '\0');
    std::FILE* f = std::fopen(path.constData(), "rb");
    bytes.truncate(f ? qsizetype(std::fread(bytes.data(), 1, bytes.size(), f)) : 0);
    if (f)
        std::fclose(f);
    return bytes;
}

void answerTrue(TestRunWindow& t) {
    QTest::mouseClick(testing::control<QLabel>(&t, u"labelA"_s), Qt::LeftButton);
    testing::click(testing::control<QPushButton>(&t, u"Command1"_s));
}

// The child process of aKilledRunLeavesEveryFileAsItWas: takes Geo.tst in
// `dir` as "Ann" and kills itself with SIGKILL `delayMs` after passing `marker`.
int killedRunWorker(const QString& dir, const QByteArray& marker, int delayMs) {
    QDir::setCurrent(dir);
    platform::setMessageBoxBackend(std::make_unique<testing::FakeMessageBoxes>());
    platform::setSoundBackend(std::make_unique<testing::FakeSound>());
    const auto passing = [&](const QByteArray& here) {
        if (here != marker)
            return;
        std::thread killer([delayMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            ::kill(::getpid(), SIGKILL);
        });
        delayMs ? killer.detach() : killer.join(); // with no delay, exactly here
    };
    testing::closeWhenModal<ScoreWindow>([&](ScoreWindow&) { passing("score"); });
    testing::takeTest(testing::readyToTake(u"Geo.tst"_s, u"Ann"_s), [&](TestRunWindow& t) {
        for (int q = 1; q <= kQuestions; ++q) {
            passing("q" + QByteArray::number(q));
            if (marker == "entry" && q == kQuestions) { // the answers, a new file, down;
                storage::RollbackJournal appended; // then halfway through the entry's own bytes
                appended.newBytes = QByteArray(storage::LogRecord::kSize, '\0');
                IoFaults::current().killAfter = kQuestions * storage::AnswerRecord::kSize +
                                                appended.encode().size() +
                                                storage::LogRecord::kSize / 2;
            }
            answerTrue(t);
        }
    });
    ::pause(); // until killed
    return 0;
}

} // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT

private slots:
    void failedSavesKeepTheFileAndTheScreen() {
        testing::Env env;
        const QString geo = u"tests/Geo.tst"_s;
        env.writeFile(geo, numberedTest(2));
        storage::shared::testPath = env.testsFile(u"Geo.tst"_s);
        const QString saveFailed =
            u" could not be saved to \""_s + storage::shared::testPath + u"\":\r\n"_s;
        QuestionEditor& e = WindowRegistry::get<QuestionEditor>();
        e.present();
        auto* const number = testing::control<QLabel>(&e, u"lblQuestionNumber"_s);
        auto* const question = testing::control<MultiLineTextBox>(&e, u"txtQuestion"_s);
        auto* const next = testing::control<QAbstractButton>(&e, u"Command1"_s);
        // the disk fails mid-record: the message, the file and the screen as they were
        const auto saveFailing = [&](int err, int limit) {
            const QByteArray before = env.readFile(geo);
            const QString shownNumber = number->text();
            const QString typed = question->text();
            IoFaults::current() = {.writeLimit = limit, .writeErrno = err};
            testing::click(next);
            IoFaults::clear();
            QCOMPARE(env.boxes->shown.last(),
                     u"The question"_s + saveFailed + testing::systemText(err));
            QVERIFY(env.readFile(geo) == before && number->text() == shownNumber &&
                    question->text() == typed);
        };
        QTest::keyClick(question, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(question, u" changed"_s);
        saveFailing(ENOSPC, 1000); // rewritten in place

        // once the disk has room it goes down; a new question then fails to append
        testing::click(next);
        testing::click(next);
        QVERIFY(env.readFile(geo).size() == 3 * storage::TestRecord::kSize &&
                env.readFile(geo).contains("Q1 changed"));
        QTest::keyClicks(question, u"New?"_s);
        saveFailing(EIO, 2000);
        QVERIFY(env.boxes->shown.size() == 2 &&
                testing::namesIn(u"tests"_s) == QStringList({u"Geo.tst"_s}));
    }

    // Replaced by a folder, a FIFO or a socket, refused to the user, or behind a
    // damaged journal: each named in both views, the log's bytes kept.
    void logsThatCannotBeReadAreReportedInBothViews() {
        testing::Env env;
        const testing::Watchdog watchdog(120); // for a view that would wait on a FIFO
        env.writeFile(u"tests/Ann.log"_s, logEntry(u"GEO"_s, 50, 2));
        MainWindow& m = WindowRegistry::get<MainWindow>();
        m.present();
        testing::control<QTabWidget>(&m, u"SSTab1"_s)->setCurrentIndex(3);
        auto* logs = testing::control<FileListBox>(&m, u"File3"_s);
        const auto* preview = testing::control<QPlainTextEdit>(&m, u"Text4"_s);
        for (const SpecialFile kind :
             {SpecialFile::Folder, SpecialFile::Fifo, SpecialFile::Socket}) {
            env.writeFile(u"tests/Bob.log"_s, logEntry(u"MATH1"_s, 80, 10));
            logs->refresh();
            QVERIFY(logs->selectFile(u"Ann.log"_s));
            QVERIFY(!preview->toPlainText().isEmpty());
            env.boxes->shown.clear();

            QVERIFY(testing::makeSpecialFile(u"tests/Bob.log"_s, kind));
            const QListWidgetItem* bob = logs->findItems(u"Bob.log"_s, Qt::MatchExactly).value(0);
            QVERIFY(bob); // still listed as it was
            QTest::mouseClick(logs->viewport(), Qt::LeftButton, {},
                              logs->visualItemRect(bob).center());
            QCOMPARE(preview->toPlainText(), QString());
            testing::click(testing::control<QPushButton>(&m, u"Command5"_s));
            ScoreLogWindow& fullView = WindowRegistry::get<ScoreLogWindow>();
            QVERIFY(
                fullView.windowTitle() == u"Bob.log"_s &&
                testing::control<QPlainTextEdit>(&fullView, u"Text1"_s)->toPlainText().isEmpty());
            fullView.unload();
            QCOMPARE(env.boxes->shown, QStringList(2, scoring::logErrorMessage()));
            QCOMPARE(testing::namesIn(u"tests"_s), QStringList({u"Ann.log"_s, u"Bob.log"_s}));
            logs->refresh(); // and no longer listed
            QVERIFY(logs->findItems(u"Bob.log"_s, Qt::MatchExactly).isEmpty());
            QVERIFY(QDir(u"tests/Bob.log"_s).exists() ? QDir().rmdir(u"tests/Bob.log"_s)
                                                      : QFile::remove(u"tests/Bob.log"_s));
        }

        // refused to the user: said so, not called damaged; any other failure
        // keeps the message of a damaged or old log
        const QString denied = u"The score log could not be read from \"./tests/Ann.log\":\r\n"_s;
        for (const auto& [err, told] : {std::pair(EACCES, denied + testing::systemText(EACCES)),
                                        std::pair(EPERM, denied + testing::systemText(EPERM)),
                                        std::pair(EIO, scoring::logErrorMessage())}) {
            env.boxes->shown.clear();
            IoFaults::current().readOpenErrno = err;
            QVERIFY(logs->selectFile(u"Ann.log"_s));
            QCOMPARE(preview->toPlainText(), QString());
            testing::click(testing::control<QPushButton>(&m, u"Command5"_s));
            WindowRegistry::get<ScoreLogWindow>().unload();
            QCOMPARE(env.boxes->shown, QStringList(2, told));
        }
        IoFaults::clear();
        QCOMPARE(env.readFile(u"tests/Ann.log"_s), logEntry(u"GEO"_s, 50, 2));

        // a damaged journal of an interrupted save is named, not hidden behind
        // the damaged-log message
        env.boxes->shown.clear();
        env.writeFile(u"tests/Ann.log-journal"_s, QByteArray("QDXJRNL2").append(40, '\x7f'));
        QVERIFY(logs->selectFile(u"Ann.log"_s));
        const QString shown = env.boxes->shown.join('#');
        QVERIFY2(shown.startsWith(u"The score log could not be read from"_s) &&
                     shown.contains(u"Ann.log-journal"_s) && env.boxes->shown.size() == 1,
                 qPrintable(shown));
        QCOMPARE(env.readFile(u"tests/Ann.log"_s), logEntry(u"GEO"_s, 50, 2));
    }

    void testsReplacedByAFifoOrASocketAreRefusedAtBothDoors() {
        testing::Env env;
        const testing::Watchdog watchdog(120);
        MainWindow& m = WindowRegistry::get<MainWindow>();
        m.present();
        testing::control<QLineEdit>(&m, u"txtCreator"_s)->setText(u"o"_s);
        testing::control<QLineEdit>(&m, u"txtPassword"_s)->setText(u"secret"_s);
        testing::control<QLineEdit>(&m, u"txtName"_s)->setText(u"Ann"_s);
        auto* tabs = testing::control<QTabWidget>(&m, u"SSTab1"_s);
        auto* testsToEdit = testing::control<FileListBox>(&m, u"File1"_s);
        auto* testsToTake = testing::control<FileListBox>(&m, u"File2"_s);
        for (const SpecialFile kind : {SpecialFile::Fifo, SpecialFile::Socket}) {
            env.writeFile(u"tests/Geo.tst"_s, numberedTest(1));
            m.refreshLists();
            QVERIFY(testsToEdit->selectFile(u"Geo.tst"_s) && testsToTake->selectFile(u"Geo.tst"_s));
            QVERIFY(testing::makeSpecialFile(u"tests/Geo.tst"_s, kind));
            tabs->setCurrentIndex(1);
            testing::click(testing::control<QPushButton>(&m, u"Command3"_s));
            tabs->setCurrentIndex(2);
            testing::click(testing::control<QPushButton>(&m, u"Command4"_s));
            QCOMPARE(env.boxes->shown,
                     QStringList({u"The test could not be read from \"./tests/Geo.tst\":\r\n"
                                  u"Not a regular file"_s,
                                  u"Cannot read the test \"./tests/Geo.tst\":\r\n"
                                  u"Not a regular file"_s}));
            QVERIFY(!WindowRegistry::isLoaded<QuestionEditor>() &&
                    !WindowRegistry::isLoaded<TestRunWindow>() &&
                    testsToTake->findItems(u"Geo.tst"_s, Qt::MatchExactly).isEmpty());
            env.boxes->shown.clear();
            QVERIFY(QFile::remove(u"tests/Geo.tst"_s));
        }
    }

    void namesInAnotherCodePageAreListedAndOpenTheSameFile() {
        testing::Env env;
        const QByteArray geo = "tests/G\xE9o.tst"; // Latin-1, not UTF-8
        writeRaw(geo, numberedTest(1));
        writeRaw("tests/Ann\xE9.log", logEntry(u"GEO"_s, 50, 2));
        MainWindow& m = WindowRegistry::get<MainWindow>();
        m.present();
        auto* tabs = testing::control<QTabWidget>(&m, u"SSTab1"_s);
        auto* testsToEdit = testing::control<FileListBox>(&m, u"File1"_s);
        QCOMPARE(testsToEdit->item(0)->text(), u"G\uFFFDo.tst"_s);

        tabs->setCurrentIndex(1);
        QTest::mouseClick(testsToEdit->viewport(), Qt::LeftButton, {},
                          testsToEdit->visualItemRect(testsToEdit->item(0)).center());
        testing::control<QLineEdit>(&m, u"txtCreator"_s)->setText(u"o"_s);
        testing::control<QLineEdit>(&m, u"txtPassword"_s)->setText(u"secret"_s);
        testing::whenModal<QuestionEditor>([](QuestionEditor& e) {
            auto* const question = testing::control<MultiLineTextBox>(&e, u"txtQuestion"_s);
            QCOMPARE(question->text(), u"Q1"_s);
            QTest::keyClick(question, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(question, u" changed"_s);
            testing::click(testing::control<QAbstractButton>(&e, u"Command1"_s)); // Next >
            testing::click(testing::control<QAbstractButton>(&e, u"Command2"_s)); // Done
        });
        testing::click(testing::control<QPushButton>(&m, u"Command3"_s));
        QCOMPARE(readRaw(geo).mid(storage::TestRecord::kSize + 2, 10), QByteArray("Q1 changed"));

        tabs->setCurrentIndex(3);
        auto* logs = testing::control<FileListBox>(&m, u"File3"_s);
        QTest::mouseClick(logs->viewport(), Qt::LeftButton, {},
                          logs->visualItemRect(logs->item(0)).center());
        QCOMPARE(logs->item(0)->text(), u"Ann\uFFFD.log"_s);
        QVERIFY(testing::control<QPlainTextEdit>(&m, u"Text4"_s)
                    ->toPlainText()
                    .startsWith(u"TEST TAKEN  -> GEO\n"_s));
        QCOMPARE(env.boxes->shown, QStringList());
        // the toolkit's own file calls cannot remove them
        QVERIFY(::unlink(geo.constData()) == 0 && ::unlink("tests/Ann\xE9.log") == 0);
    }

    void runsMeetingFilesThatFailEndCleanly() {
        testing::Env env;
        const QByteArray test = numberedTest(kQuestions);
        const QByteArray log = logEntry(u"OLD"_s, 10, 5);
        const QString geo = u"tests/Geo.tst"_s;
        env.writeFile(geo, test);
        env.writeFile(u"tests/Gone.tst"_s, test);
        env.writeFile(u"tests/Ann.log"_s, log);
        MainWindow& m = testing::readyToTake(u"Gone.tst"_s, u"Ann"_s);

        // deleted after it was listed: refused before any question, and unlisted
        QVERIFY(QFile::remove(u"tests/Gone.tst"_s));
        testing::click(testing::control<QPushButton>(&m, u"Command4"_s));
        QCOMPARE(env.boxes->shown, {u"The test \"./tests/Gone.tst\" cannot be found."_s});
        auto* testsToTake = testing::control<FileListBox>(&m, u"File2"_s);
        QVERIFY(testsToTake->findItems(u"Gone.tst"_s, Qt::MatchExactly).isEmpty());

        // cut to its header and part of a question after the first answer:
        // the run ends with a message instead of asking empty questions
        testsToTake->selectFile(u"Geo.tst"_s);
        const QByteArray cut = test.left(storage::TestRecord::kSize + 1000);
        testing::takeTest(m, [&](TestRunWindow& t) {
            env.writeFile(geo, cut);
            answerTrue(t);
        });
        QVERIFY(!WindowRegistry::isLoaded<TestRunWindow>() &&
                !WindowRegistry::isLoaded<ScoreWindow>() && WindowRegistry::active() == &m);
        QCOMPARE(env.boxes->shown.last(),
                 u"The test \"./tests/Geo.tst\" lost questions while you were taking it.\r\n"
                 u"The test has ended without a score."_s);
        QVERIFY(env.readFile(geo) == cut && env.readFile(u"tests/Ann.log"_s) == log);

        // a log that refuses the entry: the message, then the score all the same
        env.writeFile(geo, test);
        bool scoreShown = false;
        testing::closeWhenModal<ScoreWindow>([&](ScoreWindow& s) {
            scoreShown = s.isVisible() && env.boxes->shown.size() == 3; // after the message
        });
        testing::takeTest(m, [&](TestRunWindow& t) {
            for (int q = 1; q < kQuestions; ++q)
                answerTrue(t);
            IoFaults::current().openErrno = EACCES;
            answerTrue(t);
        });
        QVERIFY(scoreShown);
        QCOMPARE(env.boxes->shown.last(),
                 u"Your score could not be added to the score log \"./tests/Ann.log\":\r\n"_s +
                     testing::systemText(EACCES));
        QCOMPARE(env.readFile(u"tests/Ann.log"_s), log);
        QCOMPARE(testing::namesIn(u"tests"_s),
                 QStringList({u"Ann.log"_s, u"Geo.tst"_s})); // no Gone.tst
    }

    void aKilledRunLeavesEveryFileAsItWas() {
        testing::Env env;
        const QByteArray test = numberedTest(kQuestions);
        const QByteArray log = logEntry(u"OLD"_s, 10, 5) + logEntry(u"OLDER"_s, 90, 7);
        env.writeFile(u"tests/Geo.tst"_s, test);
        // before the last answer nothing is written, after it all; during it
        // either, once the next start has undone an entry cut short
        const std::pair<QByteArray, int> points[] = {{"q1", 0}, {"q3", 0},    {"q3", 1},
                                                     {"q3", 3}, {"entry", 0}, {"score", 0}};
        for (const auto& [marker, delayMs] : points) {
            env.writeFile(u"tests/Ann.log"_s, log);
            QFile::remove(u"tests/Ann.answers"_s);
            QProcess p;
            p.start(QCoreApplication::applicationFilePath(),
                    {QLatin1String(kRunWorkerFlag), env.dir(), marker, QString::number(delayMs)});
            QVERIFY(p.waitForFinished() && p.exitStatus() == QProcess::CrashExit);
            WindowRegistry::get<MainWindow>().present();
            WindowRegistry::destroyAll();
            QCOMPARE(env.readFile(u"tests/Geo.tst"_s), test);
            const QByteArray now = env.readFile(u"tests/Ann.log"_s);
            if (marker != "q3")
                QCOMPARE(now != log, marker == "score");
            if (now != log) {                        // exactly one whole entry for the whole run
                QCOMPARE(now.left(log.size()), log); // test name, score and count after the date
                QCOMPARE(now.mid(log.size() + 55), logEntry(u"Geo"_s, 100, kQuestions).mid(55));
            }
            // the answers go down first; they count exactly when the entry is there
            const bool kept = QFile::exists(u"tests/Ann.answers"_s);
            QVERIFY(kept == (marker == "entry" || marker == "score") || marker == "q3");
            QCOMPARE(testing::namesIn(u"tests"_s),
                     (kept ? QStringList{u"Ann.answers"_s} : QStringList())
                         << u"Ann.log"_s << u"Geo.tst"_s);
            const auto runs = storage::answers::matchToEntries(
                scoring::readLog(u"tests/Ann.log"_s).value(),
                storage::answers::readFile(u"tests/Ann.answers"_s).value());
            QCOMPARE(runs.back().size() == kQuestions, now != log);
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::installAccessibility(); // as the program does at start
    if (argc == 5 && std::strcmp(argv[1], kRunWorkerFlag) == 0)
        return killedRunWorker(QString::fromLocal8Bit(argv[2]), argv[3], std::atoi(argv[4]));
    TestWindowFaults tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_window_faults.moc"
