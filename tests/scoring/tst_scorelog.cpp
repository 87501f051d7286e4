// The score log on disk: the entry a finished run appends, the way entries are
// read back into text, and appenders racing on one log.
#include "FileListBox.h"
#include "frmMain.h"
#include "frmScore.h"
#include "LogRecord.h"
#include "Module1.h"
#include "RecordFile.h"
#include "ScoreLog.h"
#include "TestSupport.h"
#include "TextRules.h"

#include <cstring>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

const char* const kWorkerFlag = "--append-worker";

QByteArray blanks(int n) {
    return QByteArray(n, ' ');
}
QByteArray padded(const QByteArray& s, int width) {
    return s + blanks(width - int(s.size()));
}

QByteArray entryBytes(const QByteArray& test, const QByteArray& date, const QByteArray& time,
                      const QByteArray& score, std::int16_t questions) {
    QByteArray b = QByteArray(30, '\0') + padded(date, 10) + padded(time, 15) + padded(test, 50) +
                   padded(score, 6);
    b.append(char(questions & 0xFF)).append(char((questions >> 8) & 0xFF));
    return b;
}

LogRecord recordOf(const QByteArray& bytes) {
    LogRecord r;
    r.setBytes(bytes);
    return r;
}

QString expectedEntry(const QString& test, const QString& time, const QString& date, int questions,
                      const QString& score) {
    return QStringLiteral("TEST TAKEN  -> %1\r\nTIME TAKEN  -> %2\r\nDATE TAKEN  -> %3\r\n"
                          "# QUESTIONS -> %4\r\nTEST SCORE  -> %5%\r\n\r\n")
        .arg(test, time, date, QString::number(questions), score);
}

// A test file whose header holds `passing` as its passing score.
void writeTest(testing::Env& env, const QString& name, const QByteArray& passing = " 75") {
    TestRecord header;
    header.setRaw(TestRecord::PassingScore, passing);
    env.writeFile(QStringLiteral("tests/") + name, header.bytes());
}

void prepareRun(testing::Env& env, const QString& testFile, const QString& candidate) {
    Module1::TestsDir = Module1::defaultTestsDir();
    Module1::TestPath = Module1::joinPath(Module1::TestsDir, testFile);
    Module1::CandidateName = candidate;
    writeTest(env, testFile);
}

// Ends a run and closes the score window as the candidate does; returns the
// score window's passing/failing caption.
QString finishAndClose(int toTake, int correct) {
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
        const QByteArray seq = QByteArray::number(i).rightJustified(6, '0');
        rec.replace(0, seq.size(), seq);
        if (!log.appendAtCount(rec))
            return 1;
    }
    return 0;
}

} // namespace

class TestScoreLog : public QObject {
    Q_OBJECT
private slots:
    void entryIsStoredByteForByte() {
        LogRecord rec;
        rec.setBytes(QByteArray(LogRecord::kSize, 'X')); // leftovers of a log read earlier
        scoring::fillEntry(rec, QStringLiteral("MATH1"), QStringLiteral("12/5/98"),
                           QStringLiteral("10:35:12 PM"), 80, 10);
        QCOMPARE(rec.bytes(), entryBytes("MATH1", "12/5/98", "10:35:12 PM", "80", 10));

        // long names, dates and times are cut to their fields; counts are 16-bit LE
        const QString longName =
            QStringLiteral("A test whose name runs on well past fifty characters");
        scoring::fillEntry(rec, longName, QStringLiteral("Saturday, 5 December 1998"),
                           QStringLiteral("22:35:12 Central European"), 100, 300);
        QCOMPARE(rec.bytes(), entryBytes(longName.left(50).toLatin1(), "Saturday, ",
                                         "22:35:12 Centra", "100", 300));
        QCOMPARE(rec.bytes().mid(111), QByteArray("\x2c\x01", 2));
    }

    void entryTextHasSixLinesTimeBeforeDate() {
        const LogRecord rec = recordOf(entryBytes("MATH1", "12/5/98", "10:35:12 PM", "80", 10));
        QCOMPARE(scoring::entryText(rec),
                 QStringLiteral("TEST TAKEN  -> MATH1\r\nTIME TAKEN  -> 10:35:12 PM\r\n"
                                "DATE TAKEN  -> 12/5/98\r\n# QUESTIONS -> 10\r\n"
                                "TEST SCORE  -> 80%\r\n\r\n"));
        // only trailing blanks go; leading blanks, NULs and negative counts show as stored
        QByteArray odd = entryBytes(" X", QByteArray("1\0", 2), "t", "", -2);
        QCOMPARE(scoring::entryText(recordOf(odd)),
                 expectedEntry(QStringLiteral(" X"), QStringLiteral("t"),
                               QString::fromLatin1("1\0", 2), -2, QString()));
    }

    void readingFollowsTheRoundedRecordCount() {
        testing::Env env;
        const QByteArray a = entryBytes("ALGEBRA", "1/2/99", "9:00:01 AM", "50", 4);
        const QByteArray b = entryBytes("MATH1", "12/5/98", "10:35:12 PM", "100", 10);
        const QString textA = expectedEntry("ALGEBRA", "9:00:01 AM", "1/2/99", 4, "50");
        const QString textB = expectedEntry("MATH1", "10:35:12 PM", "12/5/98", 10, "100");

        env.writeFile("tests/three.log", a + b + a);
        scoring::LogText log = scoring::readLog("tests/three.log");
        QVERIFY(log.ok);
        QCOMPARE(log.text, textA + textB + textA);
        QCOMPARE(Module1::LogRec.bytes(), a); // read through the shared record

        env.writeFile("tests/empty.log", {});
        log = scoring::readLog("tests/empty.log");
        QVERIFY(log.ok);
        QCOMPARE(log.text, QString());

        // 57 stray bytes make one more entry, 56 do not
        env.writeFile("tests/170.log", b + a.left(57));
        log = scoring::readLog("tests/170.log");
        QVERIFY(log.ok);
        QCOMPARE(log.text, textB + scoring::entryText(recordOf(a.left(57))));
        env.writeFile("tests/169.log", b + a.left(56));
        QCOMPARE(scoring::readLog("tests/169.log").text, textB);

        env.writeFile("tests/nuls.log", QByteArray(226, '\0'));
        log = scoring::readLog("tests/nuls.log");
        QVERIFY(log.ok);
        QCOMPARE(log.text.count(QStringLiteral("TEST TAKEN  -> ")), 2);
        QVERIFY(log.text.startsWith(QStringLiteral("TEST TAKEN  -> ") + QString(50, QChar(0)) +
                                    "\r\n"));

        QByteArray noise(5000, '\0');
        QRandomGenerator gen(7);
        for (char& c : noise)
            c = char(gen.bounded(256));
        env.writeFile("tests/noise.log", noise);
        log = scoring::readLog("tests/noise.log");
        QVERIFY(log.ok);
        QCOMPARE(log.text.count(QStringLiteral("\r\n# QUESTIONS -> ")), 44);
    }

    void unreadableLogsFailAndKeepWhatWasRead() {
        testing::Env env;
        QDir().mkpath("tests/folder.log");
        scoring::LogText log = scoring::readLog("tests/folder.log");
        QVERIFY(!log.ok);
        QCOMPARE(log.text, QString());

        log = scoring::readLog("tests/gone.log");
        QVERIFY(!log.ok);
        QVERIFY(!QFile::exists("tests/gone.log")); // reading never creates a log

        QCOMPARE(scoring::logErrorMessage(),
                 QStringLiteral("Error loading Log file. Your Log file(s) are either\r\n"
                                "corrupted, or you are trying to read log files \r\n"
                                "created before v1.4."));

        // One record past the 16-bit counter: the entries it can count are
        // shown, and the read fails. Built in one pass, so it opens at once.
        const QByteArray one = entryBytes("BIG", "1/1/00", "0:00:00", "7", 1);
        env.writeFile("tests/big.log", one.repeated(32768));
        QElapsedTimer timer;
        timer.start();
        log = scoring::readLog("tests/big.log");
        const qint64 ms = timer.elapsed();
        qInfo("32,768 records read in %lld ms", ms);
        QVERIFY(!log.ok);
        QCOMPARE(log.text.size(), scoring::entryText(recordOf(one)).size() * 32767);
        QVERIFY(ms < 5000);
    }

    void finishedRunsAppendInOrderAndShowTheScore() {
        testing::Env env;
        frmMain& main = Forms::get<frmMain>();
        main.Show();
        prepareRun(env, "MATH1.tst", "Ann");
        writeTest(env, "Geography.tst");
        const QByteArray date = platform::dateText().toLatin1();
        const QByteArray time = platform::timeText().toLatin1();

        QCOMPARE(finishAndClose(100, 29), QStringLiteral("Your Score =  29%     (FAIL)    "));
        QCOMPARE(Module1::FinalScore, 29);
        QCOMPARE(main.File3->count(), 1); // the new log shows in the list
        QCOMPARE(main.File3->item(0)->text(), QStringLiteral("Ann.log"));

        Module1::TestPath = Module1::joinPath(Module1::TestsDir, "Geography.tst");
        env.clock->current = env.clock->current.addSecs(60);
        QCOMPARE(finishAndClose(8, 8), QStringLiteral("Your Score =  100%     (PASS)    "));
        QCOMPARE(env.readFile("tests/Ann.log"),
                 entryBytes("MATH1", date, time, "29", 100) +
                     entryBytes("Geography", date, platform::timeText().toLatin1(), "100", 8));

        // a run that asked nothing still leaves an entry
        QCOMPARE(finishAndClose(0, 0), QStringLiteral("Your score =   (FAIL)    "));
        QCOMPARE(env.readFile("tests/Ann.log").mid(226),
                 entryBytes("Geography", date, platform::timeText().toLatin1(), "0", 0));
        QVERIFY(env.boxes->shown.isEmpty());
    }

    void theNameAsTypedPicksTheLog() {
        testing::Env env;
        prepareRun(env, "MATH1.tst", "  Ann");
        finishAndClose(10, 5);
        QCOMPARE(env.readFile("tests/  Ann.log").size(), 113);
        QVERIFY(!QFile::exists("tests/Ann.log"));

        Module1::CandidateName = QString(); // a name of blanks only, trimmed
        finishAndClose(10, 5);
        QCOMPARE(env.readFile("tests/.log").size(), 113);

        // a name that would leave the tests folder writes nothing anywhere
        Module1::CandidateName = "../Ann";
        finishAndClose(10, 5);
        QCOMPARE(env.boxes->shown.size(), 1);
        QVERIFY(env.boxes->shown.first().contains("./tests/../Ann.log"));
        QVERIFY(!QFile::exists("Ann.log"));
    }

    void strayBytesFollowTheRoundingRule() {
        testing::Env env;
        prepareRun(env, "MATH1.tst", "Ann");
        const QByteArray old = entryBytes("OLD", "1/1/99", "1:00:00", "10", 5);
        const QByteArray stray(57, 'S');

        env.writeFile("tests/Ann.log", old + stray.left(37)); // 150 bytes: 1 record
        finishAndClose(4, 3);
        QByteArray now = env.readFile("tests/Ann.log");
        QCOMPARE(now.size(), 226);
        QCOMPARE(now.left(113), old);
        QCOMPARE(now.mid(113, 30), QByteArray(30, '\0'));
        QCOMPARE(recordOf(now.mid(113)).text(LogRecord::TestScore), QStringLiteral("75"));

        env.writeFile("tests/Ann.log", old + stray); // 170 bytes: 2 records
        finishAndClose(4, 3);
        now = env.readFile("tests/Ann.log");
        QCOMPARE(now.size(), 339);
        QCOMPARE(now.left(170), old + stray);
        QCOMPARE(now.mid(170, 56), QByteArray(56, '\0'));
        QCOMPARE(recordOf(now.mid(226)).text(LogRecord::TestTaken), QStringLiteral("MATH1"));
    }

    void spareIsNulsEvenAfterReadingAnotherLog() {
        testing::Env env;
        prepareRun(env, "MATH1.tst", "Ann");
        env.writeFile("tests/Bob.log", QByteArray(113, 'B'));
        QVERIFY(scoring::readLog("tests/Bob.log").ok);
        QCOMPARE(Module1::LogRec.raw(LogRecord::Spare), QByteArray(30, 'B'));
        finishAndClose(4, 3);
        QCOMPARE(env.readFile("tests/Ann.log").left(30), QByteArray(30, '\0'));
    }

    void anUnwritableLogIsReportedAndLeftAlone() {
        testing::Env env;
        prepareRun(env, "MATH1.tst", "Ann");
        QDir().mkpath("tests/Ann.log");
        bool scoreShown = false;
        testing::whenModal<frmScore>([&](frmScore& w) {
            scoreShown = w.isVisible();
            testing::click(w.Command1);
        });
        scoring::finishRun(4, 3);
        QVERIFY(scoreShown);
        QCOMPARE(Module1::FinalScore, 75);
        QCOMPARE(env.boxes->shown.size(), 1);
        const QString msg = env.boxes->shown.first();
        QVERIFY(msg.contains("\"./tests/Ann.log\""));
        QVERIFY(msg.contains(QString::fromLocal8Bit(std::strerror(EISDIR))));

        // a full log: the entries it holds stay as they are
        QDir("tests").rmdir("Ann.log");
        const QByteArray full = QByteArray(113, 'F').repeated(32767);
        env.writeFile("tests/Ann.log", full);
        finishAndClose(4, 3);
        QCOMPARE(env.boxes->shown.size(), 2);
        QVERIFY(env.boxes->shown.last().contains("\"./tests/Ann.log\""));
        QVERIFY(env.readFile("tests/Ann.log") == full);
    }

    void concurrentAppendersLoseNothing() {
        testing::Env env;
        QDir().mkpath("tests");
        const QString path = QDir::current().filePath("tests/race.log");
        constexpr int kWorkers = 4;
        constexpr int kEach = 150;
        std::vector<std::unique_ptr<QProcess>> workers;
        for (int w = 0; w < kWorkers; ++w) {
            auto p = std::make_unique<QProcess>();
            p->start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(kWorkerFlag), path, QString(QChar('A' + w)),
                      QString::number(kEach)});
            workers.push_back(std::move(p));
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
