// The journal of an interrupted write is applied to its own file only, and
// only files the program wrote are ever removed: replaced, moved and missing
// files, links, damaged journals, journals this user cannot clear, racing
// first writers and files that merely have a journal's name.
#include "FileNames.h"
#include "LogRecord.h"
#include "RecordFile.h"
#include "RollbackJournal.h"
#include "TestRecord.h"
#include "TestSupport.h"

#include <csignal>
#include <fcntl.h>
#include <cstring>
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

// Record `n` of `path` rewritten and killed half-way through the record, so
// the file holds half a new record and a whole journal.
void tornSave(const QString& path, int size, int n) {
    killedAfter(journalSize(size) + size / 2,
                [&] { RecordFile(path, size).write(n, QByteArray(size, '#')); });
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

private slots:
    void cleanup() { IoFaults::clear(); }

    void aJournalIsAppliedOnlyToItsOwnFile() {
        const QString dir = folder(u"own"_s);
        const QString geo = dir + u"/Geo.tst"_s;
        writeBytes(geo, records(kTest, 'q', 3));
        tornSave(geo, kTest, 2);

        // the journal names its file and the length it had
        RollbackJournal j;
        QCOMPARE(RollbackJournal::decode(fileBytes(journalOf(geo)), &j),
                 RollbackJournal::Kind::Whole);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(geo).constData(), &st), 0);
        QCOMPARE(j.device, std::uint64_t(st.st_dev));
        QCOMPARE(j.inode, std::uint64_t(st.st_ino));
        QCOMPARE(j.oldLength, 3 * kTest);

        // another test put in its place with mv is not cut: the journal is
        // set aside, said once, and kept
        const QByteArray other = records(kTest, 'o', 11);
        writeBytes(dir + u"/Other.tst"_s, other);
        QVERIFY(::rename(QFile::encodeName(dir + u"/Other.tst"_s), QFile::encodeName(geo)) == 0);
        const IoResult<QByteArray> first = RecordFile(geo, kTest).read(1);
        QVERIFY(!first);
        QVERIFY2(first.status().reason.contains(u"Geo.tst-journal\""_s) &&
                     first.status().reason.contains(u"Geo.tst-journal.stale"_s),
                 qPrintable(first.status().reason));
        QCOMPARE(fileBytes(geo), other);
        QVERIFY(!QFile::exists(journalOf(geo)));
        QCOMPARE(fileBytes(journalOf(geo) + u".stale"_s), j.encode());
        QCOMPARE(RecordFile(geo, kTest).read(11).value(), other.right(kTest));

        // a later file given the inode number of a deleted one is told apart
        // by its birth, where the file system keeps one
        struct statx stx {};
        QCOMPARE(::statx(AT_FDCWD, QFile::encodeName(geo).constData(), 0, STATX_BASIC_STATS |
                         STATX_BTIME, &stx), 0);
        if (stx.stx_mask & STATX_BTIME) {
            RollbackJournal reused;
            reused.device = ::makedev(stx.stx_dev_major, stx.stx_dev_minor);
            reused.inode = stx.stx_ino;
            reused.born = std::int64_t(stx.stx_btime.tv_sec) * 1000000000 +
                          stx.stx_btime.tv_nsec + 1;
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
        QCOMPARE(fileBytes(ann), forty);
        QVERIFY(!RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, 'n')));
        QCOMPARE(fileBytes(ann), forty);
        QCOMPARE(RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, 'n')).value(), 41);

        // a journal whose file is gone is set aside at the start; a test
        // made later under the name is not touched by it
        const QString gone = dir + u"/Gone.tst"_s;
        writeBytes(gone, records(kTest, 'g', 2));
        tornSave(gone, kTest, 2);
        QVERIFY(QFile::remove(gone));
        rollBackInterruptedWrites(dir);
        QVERIFY(!QFile::exists(journalOf(gone)));
        QVERIFY(QFile::exists(journalOf(gone) + u".stale"_s));
        const QByteArray imported = records(kTest, 'i', 5);
        writeBytes(gone, imported);
        QCOMPARE(RecordFile(gone, kTest).count().value(), 5);
        QCOMPARE(fileBytes(gone), imported);
    }

    void oneFileHasOneJournalWhateverNameReachesIt() {
        const QString dir = folder(u"links"_s);
        const QString geo = dir + u"/Geo.tst"_s, link = dir + u"/Link.tst"_s;
        const QByteArray before = records(kTest, 'q', 3);
        writeBytes(geo, before);
        QVERIFY(QFile::link(u"Geo.tst"_s, link));
        QVERIFY(QFile::link(dir, m_dir.filePath(u"linked"_s)));

        tornSave(link, kTest, 2); // a save through the link, killed
        QVERIFY(QFile::exists(journalOf(geo)));
        QVERIFY(!QFile::exists(journalOf(link)));
        QCOMPARE(RollbackJournal::pathFor(QFile::encodeName(m_dir.filePath(u"linked/Link.tst"_s))),
                 QFile::encodeName(journalOf(geo)));

        // a question appended through the real name puts the save back
        // first, and stays when the program starts in the link's folder
        const QByteArray added(kTest, 'n');
        QCOMPARE(RecordFile(geo, kTest).appendAtCount(added).value(), 4);
        QCOMPARE(rollBackInterruptedWrites(m_dir.filePath(u"linked"_s)), 0);
        QCOMPARE(fileBytes(geo), before + added);
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
        QCOMPARE(back.encode(), bytes);
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

        const QString dir = folder(u"damaged"_s);
        const QString geo = dir + u"/Geo.tst"_s;
        writeBytes(geo, records(kTest, 'q', 3));
        tornSave(geo, kTest, 2);
        QByteArray journal = fileBytes(journalOf(geo));
        journal[100] = char(journal[100] ^ 1); // inside the old bytes
        writeBytes(journalOf(geo), journal);
        const QByteArray torn = fileBytes(geo);

        const IoResult<QByteArray> read = RecordFile(geo, kTest).read(1);
        QVERIFY(!read);
        QVERIFY2(read.status().reason.contains(u"damaged"_s) &&
                     read.status().reason.contains(u"Geo.tst-journal.damaged"_s),
                 qPrintable(read.status().reason));
        QCOMPARE(fileBytes(geo), torn);
        QCOMPARE(fileBytes(journalOf(geo) + u".damaged"_s), journal);
        QVERIFY(!QFile::exists(journalOf(geo)));
        QVERIFY(RecordFile(geo, kTest).read(1)); // said once
    }

    void aJournalThisUserCannotClearNamesItselfAndTheFix() {
        const QString dir = folder(u"owner"_s);
        const QString geo = dir + u"/Geo.tst"_s;
        const QByteArray before = records(kTest, 'q', 3);
        writeBytes(geo, before);
        const QString fix = u"The journal \"%1\" left by an interrupted save must be removed by "
                            "its owner (%2)."_s.arg(journalOf(geo));

        // cut short, it proves the file untouched: reading goes on, writing
        // cannot, as the journal cannot go
        killedAfter(10, [&] { RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')); });
        QCOMPARE(fileBytes(journalOf(geo)).size(), 10);
        IoFaults::current().removeErrno = EPERM;
        RecordFile file(geo, kTest);
        QCOMPARE(file.read(2).value(), before.mid(kTest, kTest));
        QCOMPARE(file.count().value(), 3);
        const QString perm = fix.arg(QString::fromLocal8Bit(std::strerror(EPERM)));
        QCOMPARE(file.write(2, QByteArray(kTest, '#')).reason, perm);
        QCOMPARE(file.appendAtCount(QByteArray(kTest, '#')).status().reason, perm);
        QCOMPARE(fileBytes(geo), before);
        IoFaults::clear();

        // whole but unreadable: nothing goes on, and the message says why
        QVERIFY(file.read(1));
        tornSave(geo, kTest, 2);
        IoFaults::current().journalReadErrno = EACCES;
        const QString denied = fix.arg(QString::fromLocal8Bit(std::strerror(EACCES)));
        QCOMPARE(file.read(1).status().reason, denied);
        QCOMPARE(file.length().status().reason, denied);
        QCOMPARE(file.appendAtCount(QByteArray(kTest, '#')).status().reason, denied);
        IoFaults::clear();
        QVERIFY(file.read(1));
        QCOMPARE(fileBytes(geo), before);
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
        const QString dir = folder(u"order"_s);
        const QString geo = dir + u"/Geo.tst"_s;
        writeBytes(geo, records(kTest, 'q', 2));
        QList<QByteArray> calls;
        IoFaults::current().calls = &calls;
        QVERIFY(RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')));
        QCOMPARE(calls, QList<QByteArray>({"write Geo.tst-journal", "fsync Geo.tst-journal",
                                           "fsync folder", "write Geo.tst", "fdatasync Geo.tst",
                                           "unlink Geo.tst-journal", "fsync folder"}));
        // a new file: its first record flushed before it gets its name
        calls.clear();
        QVERIFY(RecordFile(dir + u"/Ann.log"_s, kLog).appendAtCount(QByteArray(kLog, '#')));
        QCOMPARE(calls.size(), 4);
        QVERIFY(calls[0].startsWith("write ") && calls[1].startsWith("fsync "));
        QCOMPARE(calls.mid(2), QList<QByteArray>({"link Ann.log", "fsync folder"}));
    }

    void filesWithJournalNamesThatAreNotJournalsAreLeftAlone() {
        const testing::Watchdog watchdog(60);
        const QString dir = folder(u"names"_s);
        const QByteArray notes = "notes of mine\n";
        const QByteArray test = records(kTest, 'q', 2), log = records(kLog, 'a', 2);
        writeBytes(dir + u"/notes"_s, notes);
        writeBytes(dir + u"/notes-journal"_s, notes);
        writeBytes(dir + u"/Geo.tst"_s, test);
        writeBytes(journalOf(dir + u"/Geo.tst"_s), notes);
        writeBytes(dir + u"/Ann.log"_s, log);
        QVERIFY(testing::makeSpecialFile(journalOf(dir + u"/Ann.log"_s),
                                         testing::SpecialFile::Fifo));
        writeBytes(dir + u"/Bob.log"_s, log);
        QVERIFY(QDir().mkpath(journalOf(dir + u"/Bob.log"_s)));
        const QStringList all = entriesOf(dir);

        QCOMPARE(rollBackInterruptedWrites(dir), 0);
        QCOMPARE(entriesOf(dir), all);
        QCOMPARE(fileBytes(dir + u"/notes-journal"_s), notes);
        QCOMPARE(fileBytes(journalOf(dir + u"/Geo.tst"_s)), notes);

        // they are read as they are; a write, which needs the name, says
        // what stands there
        const std::pair<QString, int> files[] = {
            {u"Geo.tst"_s, kTest}, {u"Ann.log"_s, kLog}, {u"Bob.log"_s, kLog}};
        for (const auto& [name, size] : files) {
            RecordFile file(dir + u'/' + name, size);
            QCOMPARE(file.read(2).value(), (size == kTest ? test : log).right(size));
            const IoStatus st = file.appendAtCount(QByteArray(size, '#')).status();
            QCOMPARE(st.reason, u"\"%1\" stands where this file's journal goes and is not one; "
                                "move it away to save."_s
                                    .arg(journalOf(dir + u'/' + name)));
        }
        QCOMPARE(entriesOf(dir), all);
        QCOMPARE(fileBytes(dir + u"/Geo.tst"_s), test);
        QCOMPARE(fileBytes(journalOf(dir + u"/Geo.tst"_s)), notes);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
