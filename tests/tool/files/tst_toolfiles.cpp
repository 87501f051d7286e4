// Tests and score logs checked, and repaired without losing a byte: damaged
// files as kills and other writers leave them, and names that are not UTF-8.
#include "IoFaults.h"
#include "RecordFile.h"
#include "ToolFiles.h"
#include "ToolRun.h"

#include <csignal>
#include <fcntl.h>
#include <optional>
#include <QDir>
#include <unistd.h>

using namespace Qt::StringLiterals;
using storage::Question;
using storage::QuestionKind;
using namespace toolrun;

namespace {

const QByteArray kEntry = logEntry();
const Question kTrueFalse = question(QuestionKind::TrueFalse, u"Q"_s, {u"TRUE"_s, u"FALSE"_s}, 1);

} // namespace

class TestToolFiles : public QObject, private Folder {
    Q_OBJECT

private slots:
    void checkFindsWhatDamagedFilesHold() {
        QDir(m_dir.path()).mkpath(u"check"_s);
        auto in = [&](const QString& name) { return path(u"check/"_s + name); };
        const QByteArray clean = testFile({}, {kTrueFalse, kTrueFalse, kTrueFalse});
        const auto stray = [](int after, int size) {
            return u"stray bytes after record %1: the length is not a whole number of %2-byte "
                   "records"_s.arg(after)
                       .arg(size);
        };
        const QString header = u"record 1 (header): "_s;
        const struct {
            const char* name;
            QByteArray bytes;
            QStringList found;
        } cases[] = {
            {"clean.tst", clean, {"clean, 4 records"}},
            // As the fuzzers' seeds and a run killed inside a write leave them.
            {"seed.tst", clean.left(2 * 2514) + QByteArray(1300, 'x'), {"1300 " + stray(2, 2514)}},
            {"cut.tst", clean.left(4096), {"1582 " + stray(1, 2514)}},
            {"clean.log", kEntry + kEntry, {"clean, 2 records"}},
            {"stray.log", kEntry + QByteArray(57, 'x'), {"57 " + stray(1, 113)}},
            // shorter than half an entry: the count rounds it away, check must not
            {"short.log", kEntry + kEntry + QByteArray(20, 'x'), {"20 " + stray(2, 113)}},
            {"bad.log",
             logEntry({.score = "105", .questions = -1}),
             {"record 1: the score \"105\" is not a whole number from 0 to 100",
              "record 1: the number of questions is -1"}},
            {"odd.tst",
             testing::headerRecord({.right = "10x0", .passing = " 40", .shuffle = 7}) +
                 testing::questionRecord(1, {"ESSAY", "Q"}) +
                 testing::questionRecord(2, {"MULTIPLE", "?", {"a", "b", "c", "d", "e"}}) +
                 testing::questionRecord(9, {"TRUE/FALSE", "Q", {"TRUE", "FALSE"}, "TRUE"}),
             {header + "the feedback after a right answer is \"10x0\", not four characters of 0 "
                       "and 1",
              header + "the passing score 40 is outside 50 to 100",
              header + "the answer-order flag is 7, neither 0 nor 1",
              "record 2 (question 1): unknown question kind \"ESSAY\"",
              "record 3 (question 2): no choice is marked as the answer",
              "record 4 (question 3): its stored number is 9"}},
        };
        QStringList args{u"check"_s}, expected;
        for (const auto& c : cases) {
            const QString name = QString::fromLatin1(c.name);
            writeBytes(in(name), c.bytes);
            args << in(name);
            for (const QString& found : c.found)
                expected << name + u": "_s + found;
        }
        {
            QFile huge(in(u"huge.tst"_s)); // sparse: one record more than a count holds
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(32768LL * 2514));
        }
        args << in(u"huge.tst"_s);
        expected << u"huge.tst: more records than the count of 32767 can hold; the program "
                    "cannot read them all"_s;
        Run r = runTool(args);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out.remove(in({})).split(u'\n', Qt::SkipEmptyParts), expected);
        QCOMPARE(r.err, QString());
        QCOMPARE(runTool({u"check"_s, in(u"clean.tst"_s), in(u"clean.log"_s)}).status, 0);
        QCOMPARE(runTool({u"check"_s, in(u"missing.tst"_s)}).status, 1);
        r = runTool({u"check"_s, in(u"clean.tst"_s), in(u"notes.txt"_s)});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString()); // nothing checked before the usage is right
    }

    // Repair keeps the whole records and moves the cut one aside to FILE.stray,
    // which it never writes over unless an earlier repair of the same bytes
    // was cut short making it.
    void repairMovesTheStrayTailAsideAndKeepsIt() {
        QByteArray tail(57, '\0');
        for (int i = 0; i < tail.size(); ++i)
            tail[i] = char(i * 7);
        const QString ann = u"Ann.log"_s, moved = u": kept 1 whole record; moved %1 stray "
                                                  "bytes to FILE.stray"_s;
        const QByteArray cut = kEntry + tail, header = testing::headerRecord(), q(1582, 'q');
        const struct {
            const char* what;
            QString name;
            QByteArray before;
            std::optional<QByteArray> strayBefore;
            QString told; // on standard output; empty: refused
            QByteArray after;
            std::optional<QByteArray> strayAfter;
        } cases[] = {
            {"a cut entry", ann, cut, {}, moved.arg(57), kEntry, tail},
            {"nothing cut", ann, kEntry, {}, u": nothing to repair; 1 whole record"_s, kEntry, {}},
            {"a test cut in question 1", u"Cut.tst"_s, header + q, {}, moved.arg(1582), header, q},
            {"an empty .stray a repair left", ann, cut, QByteArray(), moved.arg(57), kEntry, tail},
            {"half of it", ann, cut, tail.left(25), moved.arg(57), kEntry, tail},
            {"a .stray of other bytes", ann, cut, "x", {}, cut, "x"},
        };
        for (const auto& c : cases) {
            const QString file = path(c.name), stray = file + u".stray"_s;
            QFile::remove(stray);
            writeBytes(file, c.before);
            if (c.strayBefore)
                writeBytes(stray, *c.strayBefore);
            const Run r = runTool({u"repair"_s, file});
            if (c.told.isEmpty())
                QVERIFY2(r.status == 1 && r.err.startsWith(stray + u": "_s), c.what);
            else
                QVERIFY2(r.status == 0 &&
                             r.out == file + QString(c.told).replace(u"FILE"_s, file) + u'\n',
                         c.what);
            QVERIFY2(fileBytes(file) == c.after, c.what);
            QVERIFY2((QFile::exists(stray) ? std::optional(fileBytes(stray)) : std::nullopt) ==
                         c.strayAfter,
                     c.what);
        }
    }

    // A save of a log killed half-way, or a repair killed or failing while it
    // makes its .stray: the next repair puts things right and keeps no half
    // entry and no half .stray.
    void aRepairOrASaveCutShortIsPutRight() {
        QDir(m_dir.path()).mkpath(u"again"_s);
        const QString log = path(u"again/Ann.log"_s), stray = log + u".stray"_s;
        // An entry killed where a kill stops a write, at a page boundary,
        // leaves stray bytes and its journal: repair puts the write back, as
        // the program would.
        const QByteArray entries = kEntry.repeated(36); // the next one crosses byte 4096
        writeBytes(log, entries);
        writeBytes(path(u"Measure.log"_s), entries);
        IoFaults::clear();
        QVERIFY(storage::RecordFile(path(u"Measure.log"_s), 113).appendAtCount(kEntry));
        const std::int64_t total = IoFaults::current().written; // the journal's and the entry's
        testing::killedAfter(total - 85,
                             [&] { storage::RecordFile(log, 113).appendAtCount(kEntry); });
        QCOMPARE(fileBytes(log).size(), 4096);
        QCOMPARE(runTool({u"repair"_s, log}).out,
                 log + u": nothing to repair; 36 whole records\n"_s);
        QCOMPARE(fileBytes(log), entries);
        QVERIFY(!QFile::exists(stray));

        const QByteArray tail = QByteArray(60, 't');
        writeBytes(log, kEntry + tail);
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
        QCOMPARE(runTool({u"repair"_s, log}).status, 0);
        QVERIFY(fileBytes(stray) == tail && fileBytes(log) == kEntry);
        // no half-written file is left anywhere by the kills
        QCOMPARE(testing::namesIn(path(u"again"_s)),
                 QStringList({u"Ann.log"_s, u"Ann.log.stray"_s}));
    }

    void namesThatAreNotUtf8OpenAsTheProgramListsThem() {
        QDir(m_dir.path()).mkpath(u"names"_s);
        const QByteArray folder = QFile::encodeName(path(u"names/"_s));
        const QByteArray log = folder + "Caf\xE9.log", test = folder + "\xE9t\xE9.tst";
        for (const auto& [name, bytes] :
             {std::pair{log, kEntry + "stray"}, std::pair{test, testing::headerRecord()}}) {
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
