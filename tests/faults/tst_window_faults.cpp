// Faults met through the windows: writes that fail half-way, files that change
// under a run or a log view, and a run killed at any moment. Each gives its
// message, and every file keeps what it held.
#include "FileListBox.h"
#include "Form1.h"
#include "Form2.h"
#include "frmMain.h"
#include "frmNumOfQ.h"
#include "frmProperties.h"
#include "frmScore.h"
#include "frmTakeTest.h"
#include "frmTestBuild.h"
#include "LogRecord.h"
#include "Module1.h"
#include "RecordFile.h"
#include "Question.h"
#include "ScoreLog.h"
#include "TestHeader.h"
#include "TestSupport.h"
#include "TextBox.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>

namespace {

// A test of n true/false questions "Q1" .. "Qn", each answered TRUE, with no
// feedback windows; written by the editor's own record code.
QByteArray numberedTest(int n) {
    TestRecord rec;
    authoring::fillNewHeader(rec, QStringLiteral("o"), QStringLiteral("secret"));
    rec.setText(TestRecord::CorrectFeedback, QStringLiteral("0000"));
    rec.setText(TestRecord::IncorrectFeedback, QStringLiteral("0000"));
    rec.setText(TestRecord::PassingScore, authoring::passingScoreText(75));
    QByteArray out = rec.bytes();
    for (int k = 1; k <= n; ++k) {
        authoring::Question q;
        q.text = QStringLiteral("Q%1").arg(k);
        q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
        q.correct = 1;
        authoring::storeQuestion(rec, k, q);
        out += rec.bytes();
    }
    return out;
}

constexpr char kRunWorkerFlag[] = "--killed-run-worker";
constexpr int kQuestions = 3;

QString reason(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QStringList filesInTests() {
    return QDir(QStringLiteral("tests"))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QByteArray logEntry(const QString& test, int score, int questions) {
    LogRecord r;
    scoring::fillEntry(r, test, QStringLiteral("12/5/98"), QStringLiteral("10:35:12 PM"), score,
                       questions);
    return r.bytes();
}

// The main window on its "take" tab with `test` selected and `candidate` typed.
frmMain& readyToTake(const QString& test, const QString& candidate) {
    frmMain& m = Forms::get<frmMain>();
    m.Show();
    m.SSTab1->setCurrentIndex(2);
    m.File2->selectFile(test);
    QTest::keyClicks(m.txtName, candidate);
    return m;
}

// Presses "&Begin", passes the introduction and the count window, and runs
// `run` inside the run window's wait.
void takeTest(frmMain& m, const std::function<void(frmTakeTest&)>& run) {
    testing::whenModal<Form2>([](Form2& intro) { testing::click(intro.Command1); });
    testing::whenModal<frmNumOfQ>([](frmNumOfQ& n) { testing::click(n.Command1); });
    testing::whenModal<frmTakeTest>([run](frmTakeTest& t) {
        QPointer<frmTakeTest> guard(&t);
        run(t);
        if (guard && Forms::isLoaded<frmTakeTest>())
            guard->Unload(); // a failed check must not leave the run waiting
    });
    testing::click(m.Command4);
}

// Every question of the numbered tests is answered TRUE (labelA).
void answerTrue(frmTakeTest& t) {
    QTest::mouseClick(t.labelA, Qt::LeftButton);
    testing::click(t.Command1);
}

// The child of aKilledRunLeavesEveryFileAsItWas: takes Geo.tst in `dir` as
// "Ann", stopping at each marker until the parent sends a line.
int killedRunWorker(const QString& dir) {
    QDir::setCurrent(dir);
    Module1::reset();
    platform::setMessageBoxBackend(std::make_unique<testing::FakeMessageBoxes>());
    platform::setSoundBackend(std::make_unique<testing::FakeSound>());
    const auto pause = [](const char* marker) {
        std::printf("%s\n", marker);
        std::fflush(stdout);
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            std::_Exit(3);
    };
    frmMain& m = readyToTake(QStringLiteral("Geo.tst"), QStringLiteral("Ann"));
    testing::whenModal<Form2>([&](Form2& intro) {
        pause("intro");
        testing::click(intro.Command1);
    });
    testing::whenModal<frmNumOfQ>([](frmNumOfQ& n) { testing::click(n.Command1); });
    testing::whenModal<frmTakeTest>([&](frmTakeTest& t) {
        for (int q = 1; q <= kQuestions; ++q) {
            pause(QByteArray("q" + QByteArray::number(q)).constData());
            answerTrue(t);
        }
    });
    testing::whenModal<frmScore>([&](frmScore& s) {
        pause("score");
        testing::click(s.Command1);
    });
    testing::click(m.Command4);
    return 0;
}

// Runs the worker in `dir` and kills it with SIGKILL `delayMs` after it passes
// `marker` (at once while it waits there, for a negative delay).
bool killRunAt(const QString& dir, const QByteArray& marker, int delayMs) {
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QLatin1String(kRunWorkerFlag), dir});
    if (!p.waitForStarted())
        return false;
    while (p.state() == QProcess::Running) {
        if (!p.canReadLine() && !p.waitForReadyRead(30000))
            break;
        while (p.canReadLine()) {
            const QByteArray line = p.readLine().trimmed();
            if (line == marker && delayMs < 0) {
                ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
            } else {
                p.write("\n");
                p.waitForBytesWritten();
                if (line != marker)
                    continue;
                QThread::usleep(static_cast<unsigned long>(delayMs) * 1000);
                ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
            }
            p.waitForFinished();
            return p.exitStatus() == QProcess::CrashExit;
        }
    }
    p.kill();
    p.waitForFinished();
    return false; // never reached the marker
}

} // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT

private slots:
    void failedSavesKeepTheFileAndTheScreen() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Geo.tst"),
                      numberedTest(2));
        Module1::TestPath = env.testsFile(QStringLiteral("Geo.tst"));
        const QString saveFailed = QStringLiteral("The question could not be saved to \"") +
                                   Module1::TestPath + QStringLiteral("\":\r\n");
        frmTestBuild& e = Forms::get<frmTestBuild>();
        e.Show();
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("Q1"));

        // an existing question rewritten in place, the disk filling up mid-record
        QByteArray before = env.readFile(QStringLiteral("tests/Geo.tst"));
        QTest::keyClick(e.txtQuestion, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e.txtQuestion, QStringLiteral(" changed"));
        IoFaults::current().writeLimit = 1000;
        IoFaults::current().writeErrno = ENOSPC;
        testing::click(e.Command1);
        QCOMPARE(env.boxes->shown, QStringList({saveFailed + reason(ENOSPC)}));
        QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), before);
        QCOMPARE(e.lblQuestionNumber->text(), QStringLiteral("1"));
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("Q1 changed"));

        // the same question goes down once the disk has room; then a new one
        // that cannot be appended leaves the file at its two questions
        IoFaults::clear();
        testing::click(e.Command1);
        testing::click(e.Command1);
        before = env.readFile(QStringLiteral("tests/Geo.tst"));
        QCOMPARE(before.size(), 3 * TestRecord::kSize);
        TestRecord q1;
        q1.setBytes(before.mid(TestRecord::kSize, TestRecord::kSize));
        QCOMPARE(q1.text(TestRecord::QuestionText), QStringLiteral("Q1 changed"));
        const QString number = e.lblQuestionNumber->text();
        QTest::keyClicks(e.txtQuestion, QStringLiteral("New?"));
        IoFaults::current().writeLimit = 2000;
        IoFaults::current().writeErrno = EIO;
        testing::click(e.Command1);
        QCOMPARE(env.boxes->shown.size(), 2);
        QCOMPARE(env.boxes->shown.last(), saveFailed + reason(EIO));
        QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), before);
        QCOMPARE(e.lblQuestionNumber->text(), number);
        QCOMPARE(e.txtQuestion->text(), QStringLiteral("New?"));

        // the properties window over the editor: its header write fails too
        IoFaults::clear();
        bool ran = false;
        testing::whenModal<frmProperties>([&](frmProperties& w) {
            ran = true;
            before = env.readFile(QStringLiteral("tests/Geo.tst")); // "New?" saved on the way
            w.txtOwner->setText(QStringLiteral("New owner"));
            IoFaults::current().writeLimit = 100;
            IoFaults::current().writeErrno = ENOSPC;
            testing::click(w.Command1);
            QVERIFY(!w.isUnloading());
            QCOMPARE(w.txtOwner->text(), QStringLiteral("New owner"));
            IoFaults::clear();
            w.Unload();
        });
        testing::click(e.Command5);
        QVERIFY(ran);
        QCOMPARE(before.size(), 4 * TestRecord::kSize);
        QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), before);
        QCOMPARE(env.boxes->shown.size(), 3);
        QCOMPARE(env.boxes->shown.last(),
                 QStringLiteral("The test's settings could not be saved to \"") +
                     Module1::TestPath + QStringLiteral("\":\r\n") + reason(ENOSPC));
        QCOMPARE(filesInTests(), QStringList({QStringLiteral("Geo.tst")}));
    }

    void aLogReplacedByAFolderIsReportedInBothViews() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Ann.log"), logEntry(QStringLiteral("GEO"), 50, 2));
        env.writeFile(QStringLiteral("tests/Bob.log"), logEntry(QStringLiteral("MATH1"), 80, 10));
        frmMain& m = Forms::get<frmMain>();
        m.Show();
        m.SSTab1->setCurrentIndex(3);
        QVERIFY(m.File3->selectFile(QStringLiteral("Ann.log")));
        QVERIFY(!m.Text4->toPlainText().isEmpty());

        QVERIFY(QFile::remove(QStringLiteral("tests/Bob.log")));
        QVERIFY(QDir().mkdir(QStringLiteral("tests/Bob.log")));
        const int row =
            m.File3->row(m.File3->findItems(QStringLiteral("Bob.log"), Qt::MatchExactly).value(0));
        QVERIFY(row >= 0); // still listed as it was
        QTest::mouseClick(m.File3->viewport(), Qt::LeftButton, {},
                          m.File3->visualItemRect(m.File3->item(row)).center());
        QCOMPARE(m.Text4->toPlainText(), QString());
        QCOMPARE(env.boxes->shown, QStringList({scoring::logErrorMessage()}));

        testing::click(m.Command5);
        Form1& f = Forms::get<Form1>();
        QCOMPARE(f.windowTitle(), QStringLiteral("Bob.log"));
        QCOMPARE(f.Text1->toPlainText(), QString());
        QCOMPARE(env.boxes->shown.size(), 2);
        QCOMPARE(env.boxes->shown.last(), scoring::logErrorMessage());
        QVERIFY(QDir(QStringLiteral("tests/Bob.log")).isEmpty());
        QCOMPARE(filesInTests(),
                 QStringList({QStringLiteral("Ann.log"), QStringLiteral("Bob.log")}));
    }

    void runsMeetingFilesThatFailEndCleanly() {
        testing::Env env;
        const QByteArray test = numberedTest(kQuestions);
        const QByteArray log = logEntry(QStringLiteral("OLD"), 10, 5);
        env.writeFile(QStringLiteral("tests/Geo.tst"), test);
        env.writeFile(QStringLiteral("tests/Ann.log"), log);
        frmMain& m = readyToTake(QStringLiteral("Geo.tst"), QStringLiteral("Ann"));

        // cut to its header and part of a question after the first answer:
        // the run ends with a message instead of asking empty questions
        const QByteArray cut = test.left(TestRecord::kSize + 1000);
        int asked = 0;
        takeTest(m, [&](frmTakeTest& t) {
            QVERIFY(!t.lblQuestion->text().isEmpty());
            env.writeFile(QStringLiteral("tests/Geo.tst"), cut);
            answerTrue(t);
            ++asked;
        });
        QCOMPARE(asked, 1);
        QVERIFY(!Forms::isLoaded<frmTakeTest>());
        QVERIFY(!Forms::isLoaded<frmScore>());
        QCOMPARE(Forms::active(), &m);
        QCOMPARE(env.boxes->shown,
                 QStringList({QStringLiteral("The test \"./tests/Geo.tst\" lost questions while "
                                             "you were taking it.\r\nThe test has ended without "
                                             "a score.")}));
        QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), cut);
        QCOMPARE(env.readFile(QStringLiteral("tests/Ann.log")), log);
        QCOMPARE(filesInTests(),
                 QStringList({QStringLiteral("Ann.log"), QStringLiteral("Geo.tst")}));

        // a log that refuses the entry: the message, then the score all the same
        env.writeFile(QStringLiteral("tests/Geo.tst"), test);
        bool scoreShown = false;
        testing::whenModal<frmScore>([&](frmScore& s) {
            scoreShown = s.isVisible();
            QCOMPARE(env.boxes->shown.size(), 2); // the message came first
            testing::click(s.Command1);
        });
        takeTest(m, [&](frmTakeTest& t) {
            for (int q = 1; q < kQuestions; ++q)
                answerTrue(t);
            IoFaults::current().openErrno = EACCES;
            answerTrue(t);
        });
        QVERIFY(scoreShown);
        QCOMPARE(Module1::FinalScore, 100);
        QCOMPARE(env.boxes->shown.last(),
                 QStringLiteral("Your score could not be added to the score log "
                                "\"./tests/Ann.log\":\r\n") +
                     reason(EACCES));
        QCOMPARE(env.readFile(QStringLiteral("tests/Ann.log")), log);
        QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), test);
        QCOMPARE(filesInTests(),
                 QStringList({QStringLiteral("Ann.log"), QStringLiteral("Geo.tst")}));
    }

    void aKilledRunLeavesEveryFileAsItWas() {
        testing::Env env;
        const QByteArray test = numberedTest(kQuestions);
        const QByteArray log =
            logEntry(QStringLiteral("OLD"), 10, 5) + logEntry(QStringLiteral("OLDER"), 90, 7);
        env.writeFile(QStringLiteral("tests/Geo.tst"), test);

        struct Point {
            QByteArray marker;
            int delayMs; // < 0: killed while waiting at the marker
        };
        const Point points[] = {{"intro", -1}, {"q1", -1}, {"q2", 0},    {"q3", 0},
                                {"q3", 1},     {"q3", 3},  {"score", -1}};
        int withEntry = 0;
        for (const Point& point : points) {
            env.writeFile(QStringLiteral("tests/Ann.log"), log);
            QVERIFY2(killRunAt(env.dir(), point.marker, point.delayMs), point.marker.constData());
            QCOMPARE(env.readFile(QStringLiteral("tests/Geo.tst")), test);
            const QByteArray now = env.readFile(QStringLiteral("tests/Ann.log"));
            if (now != log) {
                // the whole run was scored: exactly one whole new entry
                QCOMPARE(now.size(), log.size() + LogRecord::kSize);
                QCOMPARE(now.left(log.size()), log);
                LogRecord entry;
                entry.setBytes(now.mid(log.size()));
                QCOMPARE(entry.text(LogRecord::TestTaken), QStringLiteral("Geo"));
                QCOMPARE(entry.text(LogRecord::TestScore), QStringLiteral("100"));
                QCOMPARE(entry.numQuestions(), std::int16_t(kQuestions));
                ++withEntry;
            }
            if (point.marker != "q3") // before the last answer nothing is written, after it all
                QCOMPARE(now != log, point.marker == "score");
            QCOMPARE(filesInTests(),
                     QStringList({QStringLiteral("Ann.log"), QStringLiteral("Geo.tst")}));
        }
        QVERIFY(withEntry >= 1);
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kRunWorkerFlag) == 0) {
        QApplication app(argc, argv);
        return killedRunWorker(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    TestWindowFaults tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_window_faults.moc"
