// The journal of an interrupted write is applied to its own file only, and
// only files the program wrote are ever removed: replaced, moved and missing
// files, links, damaged journals, journals this user cannot clear, racing
// first writers and files that merely have a journal's name.
#include "LogRecord.h"
#include "RecordFile.h"
#include "RollbackJournal.h"
#include "TestRecord.h"
#include "TestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testing::fileBytes;
using testing::writeBytes;

namespace {

constexpr int kTest = TestRecord::kSize;
constexpr int kLog = LogRecord::kSize;

QByteArray records(int size, char fill, int count) {
    QByteArray out;
    for (int n = 1; n <= count; ++n)
        out += QByteArray::number(n) + QByteArray(size - QByteArray::number(n).size(), fill);
    return out;
}

// Runs `write` in a child that is killed once `bytes` went down (the
// journal's first, then the record's).
void killedAfter(std::int64_t bytes, const std::function<void()>& write) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        IoFaults::clear();
        IoFaults::current().killAfter = bytes;
        write();
        ::_exit(0);
    }
    int status = 0;
    QVERIFY(::waitpid(pid, &status, 0) == pid && WIFSIGNALED(status));
}

// The journal's length for a write that overwrites `old` bytes.
std::int64_t journalSize(int old) {
    RollbackJournal j;
    j.oldBytes = QByteArray(old, 'x');
    return j.encode().size();
}

// Question 1 of the test `path` saved and killed half-way through the record,
// so the file holds half a new record and a whole journal.
void tornSave(const QString& path) {
    killedAfter(journalSize(kTest) + kTest / 2,
                [&] { RecordFile(path, kTest).write(2, QByteArray(kTest, '#')); });
}

QString journalOf(const QString& path) {
    return path + u"-journal"_s;
}

QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                               QDir::System);
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString folder(const QString& name) {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return QFileInfo(path).canonicalFilePath(); // as the journals name it
    }
    // Geo.tst with three questions in a new folder `name`.
    const QByteArray m_geo = records(kTest, 'q', 3);
    QString geoIn(const QString& name) {
        writeBytes(folder(name) + u"/Geo.tst"_s, m_geo);
        return folder(name) + u"/Geo.tst"_s;
    }

private slots:
    void cleanup() { IoFaults::clear(); }

    void aJournalIsAppliedOnlyToItsOwnFile() {
        const QString geo = geoIn(u"own"_s), dir = QFileInfo(geo).path();
        tornSave(geo);
        const QByteArray journal = fileBytes(journalOf(geo));

        // another test put in its place with mv is not cut: the journal is
        // set aside, said once, and kept
        const QByteArray other = records(kTest, 'o', 11);
        writeBytes(dir + u"/Other.tst"_s, other);
        QVERIFY(::rename(QFile::encodeName(dir + u"/Other.tst"_s), QFile::encodeName(geo)) == 0);
        const QString reason = RecordFile(geo, kTest).read(1).status().reason;
        QVERIFY2(reason.contains(u"Geo.tst-journal\""_s) && reason.contains(u"journal.stale"_s),
                 qPrintable(reason));
        QCOMPARE(fileBytes(geo), other);
        QCOMPARE(fileBytes(journalOf(geo) + u".stale"_s), journal);
        QCOMPARE(RecordFile(geo, kTest).read(11).value(), other.right(kTest));

        // a later file given the inode number of a deleted one is told apart
        // by its birth, where the file system keeps one
        struct statx stx {};
        QCOMPARE(::statx(AT_FDCWD, QFile::encodeName(geo).constData(), 0,
                         STATX_BASIC_STATS | STATX_BTIME, &stx),
                 0);
        if (stx.stx_mask & STATX_BTIME) {
            RollbackJournal reused;
            reused.device = ::makedev(stx.stx_dev_major, stx.stx_dev_minor);
            reused.inode = stx.stx_ino;
            reused.born =
                std::int64_t(stx.stx_btime.tv_sec) * 1000000000 + stx.stx_btime.tv_nsec + 1;
            writeBytes(journalOf(geo), reused.encode());
            QVERIFY(!RecordFile(geo, kTest).read(1));
            QCOMPARE(fileBytes(geo), other);
            QVERIFY(QFile::exists(journalOf(geo) + u".stale.2"_s));
            reused.born -= 1; // the same file: applied
            writeBytes(journalOf(geo), reused.encode());
            QVERIFY(RecordFile(geo, kTest).read(1));
            QCOMPARE(fileBytes(geo), QByteArray());
        }

        // an append killed on a log, and a 40-entry log moved into place:
        // the start leaves it to the writer, who says so and writes nothing
        const QString ann = dir + u"/Ann.log"_s;
        writeBytes(ann, records(kLog, 'a', 2));
        killedAfter(journalSize(0) + 5,
                    [&] { RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, '#')); });
        const QByteArray forty = records(kLog, 'f', 40);
        writeBytes(dir + u"/Forty.log"_s, forty);
        QVERIFY(::rename(QFile::encodeName(dir + u"/Forty.log"_s), QFile::encodeName(ann)) == 0);
        QCOMPARE(rollBackInterruptedWrites(dir), 0);
        QVERIFY(!RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, 'n')));
        QCOMPARE(fileBytes(ann), forty);
        QCOMPARE(RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, 'n')).value(), 41);

        // a journal whose file is gone is set aside at the start; a test
        // made later under the name is not touched by it
        const QString gone = dir + u"/Gone.tst"_s;
        writeBytes(gone, records(kTest, 'g', 2));
        tornSave(gone);
        QVERIFY(QFile::remove(gone));
        rollBackInterruptedWrites(dir);
        QVERIFY(!QFile::exists(journalOf(gone)) && QFile::exists(journalOf(gone) + u".stale"_s));
        writeBytes(gone, records(kTest, 'i', 5));
        QCOMPARE(RecordFile(gone, kTest).count().value(), 5);
        QCOMPARE(fileBytes(gone), records(kTest, 'i', 5));
    }

    void oneFileHasOneJournalWhateverNameReachesIt() {
        const QString geo = geoIn(u"links"_s), dir = QFileInfo(geo).path();
        const QString link = dir + u"/Link.tst"_s;
        QVERIFY(QFile::link(u"Geo.tst"_s, link));
        QVERIFY(QFile::link(dir, m_dir.filePath(u"linked"_s)));

        tornSave(link); // a save through the link, killed
        QVERIFY(QFile::exists(journalOf(geo)) && !QFile::exists(journalOf(link)));
        QCOMPARE(RollbackJournal::pathFor(QFile::encodeName(m_dir.filePath(u"linked/Link.tst"_s))),
                 QFile::encodeName(journalOf(geo)));

        // a question appended through the real name puts the save back
        // first, and stays when the program starts in the link's folder
        const QByteArray added(kTest, 'n');
        QCOMPARE(RecordFile(geo, kTest).appendAtCount(added).value(), 4);
        QCOMPARE(rollBackInterruptedWrites(m_dir.filePath(u"linked"_s)), 0);
        QCOMPARE(fileBytes(geo), m_geo + added);
    }

    void aDamagedJournalIsReportedAndKeptNotApplied() {
        // every byte of a journal counts: no change to one passes for whole,
        // and no part of one for anything but cut short
        RollbackJournal j;
        j.device = 7, j.inode = 42, j.born = 1'000'000'007, j.oldLength = 3 * kLog, j.offset = kLog;
        j.oldBytes = records(kLog, 'x', 1);
        const QByteArray bytes = j.encode();
        RollbackJournal back;
        QCOMPARE(RollbackJournal::decode(bytes, &back), RollbackJournal::Kind::Whole);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            QByteArray changed = bytes;
            changed[i] = char(changed[i] ^ 0x10);
            QVERIFY2(RollbackJournal::decode(changed, &back) != RollbackJournal::Kind::Whole,
                     qPrintable(u"byte %1"_s.arg(i)));
            QCOMPARE(RollbackJournal::decode(bytes.left(i), &back),
                     RollbackJournal::Kind::CutShort);
        }
        QCOMPARE(RollbackJournal::decode("some notes of mine\n", &back),
                 RollbackJournal::Kind::Foreign);

        const QString geo = geoIn(u"damaged"_s);
        tornSave(geo);
        QByteArray journal = fileBytes(journalOf(geo));
        journal[100] = char(journal[100] ^ 1); // inside the old bytes
        writeBytes(journalOf(geo), journal);
        const QByteArray torn = fileBytes(geo);

        const QString reason = RecordFile(geo, kTest).read(1).status().reason;
        QVERIFY2(reason.contains(u"Geo.tst-journal.damaged"_s), qPrintable(reason));
        QCOMPARE(fileBytes(geo), torn);
        QCOMPARE(fileBytes(journalOf(geo) + u".damaged"_s), journal);
        QVERIFY(RecordFile(geo, kTest).read(1)); // said once
    }

    void aJournalThisUserCannotClearNamesItselfAndTheFix() {
        const QString geo = geoIn(u"owner"_s);
        const QString fix = u"The journal \"%1\" left by an interrupted save must be removed by "
                            "its owner (%2)."_s.arg(journalOf(geo));

        // cut short, it proves the file untouched: reading goes on, writing
        // cannot, as the journal cannot go
        killedAfter(10, [&] { RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')); });
        QCOMPARE(fileBytes(journalOf(geo)).size(), 10);
        IoFaults::current().removeErrno = EPERM;
        RecordFile file(geo, kTest);
        QCOMPARE(file.read(2).value(), m_geo.mid(kTest, kTest));
        const QString perm = fix.arg(QString::fromLocal8Bit(std::strerror(EPERM)));
        QCOMPARE(file.write(2, QByteArray(kTest, '#')).reason, perm);
        QCOMPARE(file.appendAtCount(QByteArray(kTest, '#')).status().reason, perm);
        QCOMPARE(fileBytes(geo), m_geo);
        IoFaults::clear();

        // whole but unreadable: nothing goes on, and the message says why
        tornSave(geo);
        IoFaults::current().journalReadErrno = EACCES;
        const QString denied = fix.arg(QString::fromLocal8Bit(std::strerror(EACCES)));
        QCOMPARE(file.read(1).status().reason, denied);
        QCOMPARE(file.appendAtCount(QByteArray(kTest, '#')).status().reason, denied);
        IoFaults::clear();
        QVERIFY(file.read(1));
        QCOMPARE(fileBytes(geo), m_geo);
    }

    void twoFirstWritersKeepBothRecords() {
        const QString dir = folder(u"first"_s);
        const QString ann = dir + u"/Ann.log"_s;
        const QByteArray a(kLog, 'A'), b(kLog, 'B');
        // B comes between A's decision to make the file and A's lock
        IoFaults::current().beforeLinkingIn = [&] {
            IoFaults::current().beforeLinkingIn = nullptr;
            QCOMPARE(RecordFile(ann, kLog).appendAtCount(b).value(), 1);
        };
        QCOMPARE(RecordFile(ann, kLog).appendAtCount(a).value(), 2);
        QCOMPARE(fileBytes(ann), b + a);

        // and when A's write then fails, B's saved entry stays
        QVERIFY(QFile::remove(ann));
        IoFaults::current().beforeLinkingIn = [&] {
            IoFaults::current().beforeLinkingIn = nullptr;
            QVERIFY(RecordFile(ann, kLog).appendAtCount(b));
            IoFaults::current().writeLimit = IoFaults::current().written;
        };
        QVERIFY(!RecordFile(ann, kLog).write(1, a));
        IoFaults::clear();
        QCOMPARE(fileBytes(ann), b);
        QCOMPARE(entriesOf(dir), QStringList{u"Ann.log"_s});
    }

    void aFirstWriteKilledAnywhereLeavesNoFile() {
        const QString dir = folder(u"killedfirst"_s);
        for (const int size : {kTest, kLog}) {
            const QString path = dir + (size == kTest ? u"/New.tst"_s : u"/New.log"_s);
            for (const int at : {0, 1, size / 2, size - 1, size}) {
                killedAfter(at, [&] {
                    RecordFile file(path, size);
                    size == kTest ? void(file.write(1, QByteArray(size, '#')))
                                  : void(file.appendAtCount(QByteArray(size, '#')));
                });
                QVERIFY2(!QFile::exists(path), qPrintable(u"killed at %1"_s.arg(at)));
            }
        }
        rollBackInterruptedWrites(dir);
        QCOMPARE(entriesOf(dir), QStringList());
    }

    void theJournalIsOnDiskBeforeTheRecordAndGoesAfterIt() {
        const QString geo = geoIn(u"order"_s);
        QList<QByteArray> calls;
        IoFaults::current().calls = &calls;
        QVERIFY(RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')));
        QCOMPARE(calls, QList<QByteArray>({"write Geo.tst-journal", "fsync Geo.tst-journal",
                                           "fsync folder", "write Geo.tst", "fdatasync Geo.tst",
                                           "unlink Geo.tst-journal", "fsync folder"}));
        // a new file: its first record flushed before it gets its name
        calls.clear();
        QVERIFY(RecordFile(QFileInfo(geo).path() + u"/Ann.log"_s, kLog)
                    .appendAtCount(QByteArray(kLog, '#')));
        QCOMPARE(calls.size(), 4);
        QVERIFY(calls[0].startsWith("write ") && calls[1].startsWith("fsync "));
        QCOMPARE(calls.mid(2), QList<QByteArray>({"link Ann.log", "fsync folder"}));
    }

    void filesWithJournalNamesThatAreNotJournalsAreLeftAlone() {
        const testing::Watchdog watchdog(60);
        const QString dir = folder(u"names"_s);
        const QByteArray notes = "notes of mine\n";
        const QByteArray test = records(kTest, 'q', 2), log = records(kLog, 'a', 2);
        for (const QString& name : {u"/notes"_s, u"/notes-journal"_s, u"/Geo.tst-journal"_s})
            writeBytes(dir + name, notes);
        writeBytes(dir + u"/Geo.tst"_s, test);
        writeBytes(dir + u"/Ann.log"_s, log);
        writeBytes(dir + u"/Bob.log"_s, log);
        QVERIFY(testing::makeSpecialFile(dir + u"/Ann.log-journal"_s, testing::SpecialFile::Fifo));
        QVERIFY(QDir().mkpath(dir + u"/Bob.log-journal"_s));
        const QStringList all = entriesOf(dir);

        QCOMPARE(rollBackInterruptedWrites(dir), 0);
        QCOMPARE(entriesOf(dir), all);
        QCOMPARE(fileBytes(dir + u"/notes-journal"_s), notes);

        // they are read as they are; a write, which needs the name, says
        // what stands there
        const std::pair<QString, int> files[] = {
            {u"Geo.tst"_s, kTest}, {u"Ann.log"_s, kLog}, {u"Bob.log"_s, kLog}};
        for (const auto& [name, size] : files) {
            RecordFile file(dir + u'/' + name, size);
            QCOMPARE(file.read(2).value(), (size == kTest ? test : log).right(size));
            const IoStatus st = file.appendAtCount(QByteArray(size, '#')).status();
            QCOMPARE(st.reason, u"\"%1\" stands where this file's journal goes and is not one; "
                                "move it away to save."_s.arg(journalOf(dir + u'/' + name)));
        }
        QCOMPARE(entriesOf(dir), all);
        QCOMPARE(fileBytes(dir + u"/Geo.tst"_s), test);
        QCOMPARE(fileBytes(journalOf(dir + u"/Geo.tst"_s)), notes);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
