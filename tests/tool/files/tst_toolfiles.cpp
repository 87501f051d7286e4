// Tests and score logs checked, and repaired without losing a byte: damaged
// files as kills and other writers leave them, and names that are not UTF-8.
#include "IoFaults.h"
#include "RecordFile.h"
#include "ToolFiles.h"
#include "ToolRun.h"

#include <csignal>
#include <fcntl.h>
#include <QDir>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using storage::Question;
using storage::QuestionKind;
using namespace toolrun;

class TestToolFiles : public QObject, private Folder {
    Q_OBJECT

private slots:
    void checkFindsWhatDamagedFilesHold() {
        QDir(m_dir.path()).mkpath(u"check"_s);
        auto in = [&](const QString& name) { return path(u"check/"_s + name); };
        const storage::TestRecord header = newHeader(u"o"_s, u"p"_s);
        const Question tf = question(QuestionKind::TrueFalse, u"Q"_s, {u"TRUE"_s, u"FALSE"_s}, 1);
        const QByteArray clean = editorTest(header, {tf, tf, tf});
        writeFile(in(u"clean.tst"_s), clean);
        // As the fuzzers' seeds and a run killed inside a write leave them.
        writeFile(in(u"seed.tst"_s),
                  clean.left(2 * storage::TestRecord::kSize) + QByteArray(1300, 'x'));
        writeFile(in(u"cut.tst"_s), clean.left(4096));
        writeFile(in(u"clean.log"_s), kEntry + kEntry);
        writeFile(in(u"stray.log"_s), kEntry + QByteArray(57, 'x'));
        // shorter than half an entry: the count rounds it away, check must not
        writeFile(in(u"short.log"_s), kEntry + kEntry + QByteArray(20, 'x'));
        writeFile(in(u"bad.log"_s), logEntry(u"MATH1"_s, {}, {}, u"105"_s, -1));

        storage::TestRecord h = header;
        h.setText(storage::TestRecord::CorrectFeedback, u"10x0"_s);
        h.setText(storage::TestRecord::PassingScore, u" 40"_s);
        h.setShuffleFlag(7);
        storage::TestRecord essay, unmarked, renumbered;
        storage::storeQuestion(essay, 1, tf);
        essay.setText(storage::TestRecord::QuestionType, u"ESSAY"_s);
        storage::storeQuestion(
            unmarked, 2,
            question(QuestionKind::Multiple, u"?"_s, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}, 0));
        storage::storeQuestion(renumbered, 9, tf);
        writeFile(in(u"odd.tst"_s),
                  h.bytes() + essay.bytes() + unmarked.bytes() + renumbered.bytes());
        {
            QFile huge(in(u"huge.tst"_s)); // sparse: one record more than a count holds
            QVERIFY(huge.open(QIODevice::WriteOnly) &&
                    huge.resize(32768LL * storage::TestRecord::kSize));
        }

        QStringList args{u"check"_s};
        for (const char* f : {"clean.tst", "seed.tst", "cut.tst", "clean.log", "stray.log",
                              "short.log", "bad.log", "odd.tst", "huge.tst"})
            args << in(QString::fromLatin1(f));
        Run r = runTool(args);
        QCOMPARE(r.status, 1);
        const QString stray = u"stray bytes after record %1: the length is not a whole number of "
                              "%2-byte records"_s;
        const QStringList expected = {
            u"clean.tst: clean, 4 records"_s,
            u"seed.tst: 1300 "_s + stray.arg(2).arg(2514),
            u"cut.tst: 1582 "_s + stray.arg(1).arg(2514),
            u"clean.log: clean, 2 records"_s,
            u"stray.log: 57 "_s + stray.arg(1).arg(113),
            u"short.log: 20 "_s + stray.arg(2).arg(113),
            u"bad.log: record 1: the score \"105\" is not a whole number from 0 to 100"_s,
            u"bad.log: record 1: the number of questions is -1"_s,
            u"odd.tst: record 1 (header): the feedback after a right answer is \"10x0\", not "
            "four characters of 0 and 1"_s,
            u"odd.tst: record 1 (header): the passing score 40 is outside 50 to 100"_s,
            u"odd.tst: record 1 (header): the answer-order flag is 7, neither 0 nor 1"_s,
            u"odd.tst: record 2 (question 1): unknown question kind \"ESSAY\""_s,
            u"odd.tst: record 3 (question 2): no choice is marked as the answer"_s,
            u"odd.tst: record 4 (question 3): its stored number is 9"_s,
            u"huge.tst: more records than the count of 32767 can hold; the program cannot read "
            "them all"_s,
        };
        QCOMPARE(r.out.remove(in({})).split(u'\n', Qt::SkipEmptyParts), expected);
        QCOMPARE(r.err, QString());
        QCOMPARE(runTool({u"check"_s, in(u"clean.tst"_s), in(u"clean.log"_s)}).status, 0);
        QCOMPARE(runTool({u"check"_s, in(u"missing.tst"_s)}).status, 1);
        r = runTool({u"check"_s, in(u"clean.tst"_s), in(u"notes.txt"_s)});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString()); // nothing checked before the usage is right
    }

    void repairMovesTheStrayTailAsideAndKeepsIt() {
        const QString log = path(u"Ann.log"_s);
        QByteArray tail(57, '\0');
        for (int i = 0; i < tail.size(); ++i)
            tail[i] = char(i * 7);
        writeFile(log, kEntry + tail);
        Run r = runTool({u"repair"_s, log});
        QCOMPARE(r.out,
                 log + u": kept 1 whole record; moved 57 stray bytes to "_s + log + u".stray\n"_s);
        QCOMPARE(fileBytes(log), kEntry);
        QCOMPARE(fileBytes(log + u".stray"_s), tail);
        QCOMPARE(runTool({u"repair"_s, log}).out, log + u": nothing to repair; 1 whole record\n"_s);

        // A FILE.stray already there is never written over: nothing changes.
        writeFile(log, kEntry + QByteArray(20, 'z'));
        r = runTool({u"repair"_s, log});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.startsWith(log + u".stray: "_s));
        QCOMPARE(fileBytes(log), kEntry + QByteArray(20, 'z'));
        QCOMPARE(fileBytes(log + u".stray"_s), tail);

        // An entry killed half-way (where a kill stops a write, at a page
        // boundary) leaves stray bytes and its journal: repair puts the write
        // back, as the program would, and keeps no half entry.
        const QString killed = path(u"Killed.log"_s), measure = path(u"Measure.log"_s);
        const QByteArray entries = kEntry.repeated(36); // the next one crosses byte 4096
        writeFile(killed, entries);
        writeFile(measure, entries);
        IoFaults::clear();
        QVERIFY(storage::RecordFile(measure, storage::LogRecord::kSize).appendAtCount(kEntry));
        const std::int64_t total = IoFaults::current().written; // the journal's and the entry's
        IoFaults::clear();
        testing::killedAfter(total - 85, [&] {
            storage::RecordFile(killed, storage::LogRecord::kSize).appendAtCount(kEntry);
        });
        QCOMPARE(fileBytes(killed).size(), 4096);
        QCOMPARE(runTool({u"repair"_s, killed}).out,
                 killed + u": nothing to repair; 36 whole records\n"_s);
        QCOMPARE(fileBytes(killed), entries);
        QVERIFY(!QFile::exists(killed + u".stray"_s));

        // A test cut inside its first question keeps its header.
        const QString test = path(u"Cut.tst"_s);
        const QByteArray header = newHeader(u"o"_s, u"p"_s).bytes();
        writeFile(test, header + QByteArray(1582, 'q'));
        QCOMPARE(runTool({u"repair"_s, test}).status, 0);
        QCOMPARE(fileBytes(test), header);
        QCOMPARE(fileBytes(test + u".stray"_s), QByteArray(1582, 'q'));
    }

    void aRepairCutShortIsDoneAgain() {
        QDir(m_dir.path()).mkpath(u"again"_s);
        const QString log = path(u"again/Ann.log"_s), stray = log + u".stray"_s;
        const QByteArray tail = QByteArray(60, 't');
        auto repairs = [&](int status, const QByteArray& strayAfter, const QByteArray& logAfter) {
            QCOMPARE(runTool({u"repair"_s, log}).status, status);
            QCOMPARE(fileBytes(stray), strayAfter);
            QCOMPARE(fileBytes(log), logAfter);
        };
        writeFile(log, kEntry + tail);
        // killed while it writes the .stray: none appears, the file keeps its tail
        for (const int at : {0, 30, 59, 60}) {
            QCOMPARE(testing::killedAfter(at, [&] { runTool({u"repair"_s, log}); }), -SIGKILL);
            QVERIFY(!QFile::exists(stray));
            QCOMPARE(fileBytes(log), kEntry + tail);
        }
        // failed for want of space: the same, and it works once there is room
        IoFaults::current().writeLimit = 30;
        QCOMPARE(runTool({u"repair"_s, log}).status, 1);
        IoFaults::clear();
        QVERIFY(!QFile::exists(stray));
        repairs(0, tail, kEntry);
        // an empty or half .stray an earlier repair left of these same bytes
        // is made again; any other is left alone
        for (const QByteArray& left : {QByteArray(), tail.left(25), QByteArray("x")}) {
            writeFile(log, kEntry + tail);
            writeFile(stray, left);
            if (left == "x")
                repairs(1, left, kEntry + tail);
            else
                repairs(0, tail, kEntry);
        }
        // no half-written file is left anywhere by the kills
        QCOMPARE(QDir(path(u"again"_s)).entryList(QDir::Files | QDir::Hidden),
                 QStringList({u"Ann.log"_s, u"Ann.log.stray"_s}));
    }

    void namesThatAreNotUtf8OpenAsTheProgramListsThem() {
        QDir(m_dir.path()).mkpath(u"names"_s);
        const QByteArray folder = QFile::encodeName(path(u"names/"_s));
        const QByteArray log = folder + "Caf\xE9.log", test = folder + "\xE9t\xE9.tst";
        for (const auto& [name, bytes] : {std::pair{log, kEntry + "stray"},
                                          std::pair{test, newHeader(u"o"_s, u"p"_s).bytes()}}) {
            QFile f;
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0 && f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
            QCOMPARE(f.write(bytes), bytes.size());
        }
        const char* argv[] = {"quizdex-tool", "check", log.constData(), test.constData()};
        const QStringList args = tool::toolfiles::arguments(4, argv);
        const Run checked = runTool(args);
        QCOMPARE(checked.status, 1); // the log's stray bytes, found by reading it
        QCOMPARE(checked.out.count(u'\n'), 2);
        QVERIFY2(checked.out.contains(u"5 stray bytes after record 1"_s) &&
                     checked.out.contains(u"clean, 1 record"_s),
                 qPrintable(checked.out));
        QCOMPARE(runTool({u"repair"_s, args[1]}).status, 0);
        QCOMPARE(runTool({u"show"_s, args[2]}).status, 0);
        QCOMPARE(::access((log + ".stray").constData(), F_OK), 0);
        for (const QByteArray& name : {log, log + ".stray", test})
            QCOMPARE(::unlink(name.constData()), 0);
    }
};

QTEST_GUILESS_MAIN(TestToolFiles)
#include "tst_toolfiles.moc"
