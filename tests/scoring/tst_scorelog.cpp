// The score log on disk: the entry a finished run appends, the way entries are
// read back into text, and appenders racing on one log.
#include "FileListBox.h"
#include "frmMain.h"
#include "frmScore.h"
#include "Module1.h"
#include "ScoreLog.h"
#include "TestSupport.h"

#include <cstring>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

namespace {

const char* const kWorkerFlag = "--append-worker";

QByteArray padded(const QByteArray& s, int width) {
    return s + QByteArray(width - s.size(), ' ');
}

QByteArray entryBytes(const QByteArray& test, const QByteArray& date, const QByteArray& time,
                      const QByteArray& score, std::int16_t questions) {
    return QByteArray(30, '\0') + padded(date, 10) + padded(time, 15) + padded(test, 50) +
           padded(score, 6) + char(questions & 0xFF) + char((questions >> 8) & 0xFF);
}

QString entryText(const QByteArray& bytes) {
    LogRecord r;
    r.setBytes(bytes);
    return scoring::entryText(r);
}

// Ends a run of MATH1 (passing score 75) under `candidate` and closes the
// score window as the candidate does; returns the candidate's bar caption.
QString finishRun(testing::Env& env, const QString& candidate, int toTake, int correct,
                  const QString& test = QStringLiteral("MATH1.tst")) {
    TestRecord header;
    header.setRaw(TestRecord::PassingScore, " 75");
    env.writeFile("tests/" + test, header.bytes());
    Module1::TestsDir = Module1::defaultTestsDir();
    Module1::TestPath = Module1::joinPath(Module1::TestsDir, test);
    Module1::CandidateName = candidate;
    QString caption;
    testing::whenModal<frmScore>([&caption](frmScore& w) {
        caption = w.barMyScore->text();
        testing::click(w.Command1);
    });
    scoring::finishRun(toTake, correct);
    return caption;
}

// Child process: appends `count` records tagged with its letter and sequence.
int appendWorker(const QString& path, char tag, int count) {
    RecordFile log(path, LogRecord::kSize);
    for (int i = 0; i < count; ++i) {
        QByteArray rec(LogRecord::kSize, tag);
        rec.replace(0, 6, QByteArray::number(i).rightJustified(6, '0'));
        if (!log.appendAtCount(rec))
            return 1;
    }
    return 0;
}

} // namespace

class TestScoreLog : public QObject {
    Q_OBJECT
private slots:
    void entryBytesAndText() {
        LogRecord rec;
        rec.setBytes(QByteArray(LogRecord::kSize, 'X')); // leftovers of a log read earlier
        scoring::fillEntry(rec, "MATH1", "12/5/98", "10:35:12 PM", 80, 10);
        QCOMPARE(rec.bytes(), entryBytes("MATH1", "12/5/98", "10:35:12 PM", "80", 10));
        QCOMPARE(scoring::entryText(rec),
                 QStringLiteral("TEST TAKEN  -> MATH1\r\nTIME TAKEN  -> 10:35:12 PM\r\n"
                                "DATE TAKEN  -> 12/5/98\r\n# QUESTIONS -> 10\r\n"
                                "TEST SCORE  -> 80%\r\n\r\n"));

        // long texts are cut to their fields, and show cut
        const QByteArray name = "A test whose name runs on well past fifty characters";
        scoring::fillEntry(rec, name, "Saturday, 5 December 1998", "22:35:12 Central European", 100,
                           300);
        QCOMPARE(rec.bytes(),
                 entryBytes(name.left(50), "Saturday, ", "22:35:12 Centra", "100", 300));
        QVERIFY(scoring::entryText(rec).contains("\r\nDATE TAKEN  -> Saturday,\r\n"));

        // only trailing blanks go: leading blanks and NULs show, as do negative counts
        QCOMPARE(
            entryText(entryBytes(" X", QByteArray("1\0", 2), "t", "", -2)),
            QString::fromLatin1("TEST TAKEN  ->  X\r\nTIME TAKEN  -> t\r\nDATE TAKEN  -> 1\0\r\n"
                                "# QUESTIONS -> -2\r\nTEST SCORE  -> %\r\n\r\n",
                                95));
    }

    void readingFollowsTheRoundedRecordCount() {
        testing::Env env;
        const QByteArray a = entryBytes("ALGEBRA", "1/2/99", "9:00:01 AM", "50", 4);
        const QByteArray b = entryBytes("MATH1", "12/5/98", "10:35:12 PM", "100", 10);
        const auto check = [&env](const QByteArray& bytes, const QString& text, bool ok = true) {
            env.writeFile("tests/x.log", bytes);
            const scoring::LogText log = scoring::readLog("tests/x.log");
            QCOMPARE(log.ok, ok);
            QCOMPARE(log.text, text);
        };
        check(a + b + a, entryText(a) + entryText(b) + entryText(a));
        QCOMPARE(Module1::LogRec.bytes(), a); // read through the shared record
        check({}, {});
        check(b + a.left(57), entryText(b) + entryText(a.left(57))); // 170 bytes: 2 entries
        check(b + a.left(56), entryText(b));                         // 169 bytes: 1 entry
        check(QByteArray(226, '\0'), entryText({}).repeated(2));
        QByteArray noise(5000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919) % 251);
        check(noise, [&] {
            QString t;
            for (int k = 0; k < 44; ++k)
                t += entryText(noise.mid(k * 113, 113));
            return t;
        }());

        QDir().mkpath("tests/folder.log");
        QVERIFY(!scoring::readLog("tests/folder.log").ok);
        QVERIFY(!scoring::readLog("tests/gone.log").ok);
        QVERIFY(!QFile::exists("tests/gone.log")); // reading never creates a log
        QCOMPARE(scoring::logErrorMessage(),
                 QStringLiteral("Error loading Log file. Your Log file(s) are either\r\n"
                                "corrupted, or you are trying to read log files \r\n"
                                "created before v1.4."));
    }

    void finishedRunsAppendInOrderUnderTheNameAsTyped() {
        testing::Env env;
        frmMain& main = Forms::get<frmMain>();
        main.Show();
        const QByteArray date = platform::dateText().toLatin1();
        const QByteArray time = platform::timeText().toLatin1();

        QCOMPARE(finishRun(env, "Ann", 100, 29),
                 QStringLiteral("Your Score =  29%     (FAIL)    "));
        QCOMPARE(Module1::FinalScore, 29);
        QCOMPARE(main.File3->item(0)->text(), QStringLiteral("Ann.log")); // listed at once
        env.clock->current = env.clock->current.addSecs(60);
        const QByteArray later = platform::timeText().toLatin1();
        QCOMPARE(finishRun(env, "Ann", 8, 8, "Geography.tst"),
                 QStringLiteral("Your Score =  100%     (PASS)    "));
        finishRun(env, "Ann", 0, 0); // a run that asked nothing still counts
        QCOMPARE(env.readFile("tests/Ann.log"), entryBytes("MATH1", date, time, "29", 100) +
                                                    entryBytes("Geography", date, later, "100", 8) +
                                                    entryBytes("MATH1", date, later, "0", 0));

        finishRun(env, "  Ann", 10, 5); // leading blanks: another log
        QCOMPARE(env.readFile("tests/  Ann.log").size(), 113);
        finishRun(env, "", 10, 5); // a name of blanks only
        QCOMPARE(env.readFile("tests/.log").size(), 113);
        QVERIFY(env.boxes->shown.isEmpty());

        // a name that would leave the tests folder writes nothing anywhere
        finishRun(env, "../Ann", 10, 5);
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().contains("\"./tests/../Ann.log\""));
        QVERIFY(!QFile::exists("Ann.log"));
    }

    void strayBytesFollowTheRoundingRuleAndSpareIsNuls() {
        testing::Env env;
        const QByteArray old = entryBytes("OLD", "1/1/99", "1:00:00", "10", 5);
        env.writeFile("tests/Bob.log", QByteArray(113, 'B'));
        QVERIFY(scoring::readLog("tests/Bob.log").ok); // the shared record now holds B's

        env.writeFile("tests/Ann.log", old + QByteArray(37, 'S')); // 150 bytes: 1 record
        finishRun(env, "Ann", 4, 3);
        QByteArray now = env.readFile("tests/Ann.log");
        QCOMPARE(now.size(), 226);
        QCOMPARE(now.left(113), old);
        QCOMPARE(now.mid(113), Module1::LogRec.bytes());
        QCOMPARE(now.mid(113, 30), QByteArray(30, '\0'));

        env.writeFile("tests/Ann.log", old + QByteArray(57, 'S')); // 170 bytes: 2 records
        finishRun(env, "Ann", 4, 3);
        now = env.readFile("tests/Ann.log");
        QCOMPARE(now.size(), 339);
        QCOMPARE(now.left(170), old + QByteArray(57, 'S'));
        QCOMPARE(now.mid(170, 56), QByteArray(56, '\0'));
        QCOMPARE(now.mid(226), Module1::LogRec.bytes());
    }

    void anUnwritableLogIsReportedAndTheScoreStillShown() {
        testing::Env env;
        QDir().mkpath("tests/Ann.log");
        QCOMPARE(finishRun(env, "Ann", 4, 3), QStringLiteral("Your Score =  75%     (PASS)    "));
        QCOMPARE(Module1::FinalScore, 75);
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().contains("\"./tests/Ann.log\""));
        QVERIFY(env.boxes->shown.first().endsWith(QString::fromLocal8Bit(std::strerror(EISDIR))));
        QVERIFY(QDir("tests/Ann.log").isEmpty());
    }

    void concurrentAppendersLoseNothing() {
        testing::Env env;
        QDir().mkpath("tests");
        const QString path = QDir::current().filePath("tests/race.log");
        constexpr int kWorkers = 4;
        constexpr int kEach = 150;
        std::vector<std::unique_ptr<QProcess>> workers;
        for (int w = 0; w < kWorkers; ++w) {
            workers.push_back(std::make_unique<QProcess>());
            workers.back()->start(
                QCoreApplication::applicationFilePath(),
                {kWorkerFlag, path, QString(QChar('A' + w)), QString::number(kEach)});
        }
        for (auto& p : workers) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        const QByteArray all = env.readFile("tests/race.log");
        QCOMPARE(all.size(), kWorkers * kEach * 113);
        QList<int> next(kWorkers, 0);
        for (qsizetype off = 0; off < all.size(); off += 113) {
            const QByteArray rec = all.mid(off, 113);
            const int w = rec.at(112) - 'A';
            QVERIFY(w >= 0 && w < kWorkers);
            QCOMPARE(rec.mid(6), QByteArray(107, char('A' + w))); // whole, not mixed
            QCOMPARE(rec.left(6).toInt(), next[w]++);             // each worker's in order
        }
        QCOMPARE(next, QList<int>(kWorkers, kEach));
    }
};

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], kWorkerFlag) == 0)
        return appendWorker(QString::fromLocal8Bit(argv[2]), argv[3][0], std::atoi(argv[4]));
    QApplication app(argc, argv);
    TestScoreLog tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_scorelog.moc"
