// The journal of an interrupted write is applied only to a file in a state
// that very write can have left: never to a file replaced, renamed over or
// restored from a copy, never through a second name, never another user's;
// journals of earlier versions too. Only files the program wrote are ever
// removed, and what is not applied is told with each name in its place.
#include "LogRecord.h"
#include "RecordFile.h"
#include "Recovery.h"
#include "RollbackJournal.h"
#include "TestRecord.h"
#include "TestSupport.h"

#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using storage::IoResult;
using storage::LogRecord;
using storage::RecordFile;
using storage::Recovery;
using storage::rollBackInterruptedWrites;
using storage::RollbackJournal;
using storage::TestRecord;
using testing::fileBytes;
using testing::killedAfter;
using testing::namesIn;
using testing::systemText;
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

QString quoted(const QString& name) {
    return u'"' + name + u'"';
}

// What the user reads, as the user reads it.
const QString kStale =
    u"The journal %1 of an interrupted save does not match the file, which was replaced, "
    "restored from a copy or changed since. It was not applied and is kept as %2; nothing was "
    "changed, try again."_s;
const QString kDamaged =
    u"The journal %1 of an interrupted save is damaged, so the save cannot be undone and the "
    "file may hold part of it. The journal is kept as %2; check the file and try again."_s;
const QString kOwnerMust =
    u"The journal %1 left by an interrupted save must be removed by its owner (%2)."_s;
const QString kTorn = u"The file ends in a record cut short by an interrupted save that could "
                      "not be undone; its journal is kept as %1. Run \"quizdex-tool repair\" on "
                      "the file to move the cut record aside."_s;
const QString kUntrusted = u"The journal %1 of %2 was not applied: it belongs to %3, who does "
                           "not own the file, or other users may change it. It is left as it "
                           "is."_s;
const QString kStartUp = u"These journals of interrupted saves in %1 were not applied; look at "
                         "their files, then delete them:"_s;

// The journal's length for a write of `written` bytes over `old` bytes.
std::int64_t journalSize(int old, int written) {
    RollbackJournal j;
    j.oldBytes = QByteArray(old, 'x');
    j.newBytes = QByteArray(written, 'x');
    return j.encode().size();
}

// Question 1 of the test `path` saved and killed where a kill stops a write,
// at the page boundary inside its record: the file holds the start of the
// new record, and the journal is whole.
void tornSave(const QString& path, char fill = '#') {
    killedAfter(journalSize(kTest, kTest) + 4096 - kTest,
                [&] { RecordFile(path, kTest).write(2, QByteArray(kTest, fill)); });
}

QString journalOf(const QString& path) {
    return path + u"-journal"_s;
}

struct stat statOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

template <class T> void put(QByteArray& out, T value) {
    char buf[sizeof(T)];
    qToLittleEndian(value, buf);
    out.append(buf, sizeof(T));
}

// FNV-1a, the checksum of every layout.
std::uint64_t checksum(const QByteArray& bytes) {
    std::uint64_t h = 14695981039346656037ULL;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return h;
}

// A journal as earlier versions wrote it, of a write at `offset` over `old`
// in the file with status `st`: layout 1 names no file, layout 2 holds no
// new bytes.
QByteArray earlierJournal(int layout, const struct stat& st, std::int64_t offset,
                          const QByteArray& old) {
    QByteArray j = layout == 1 ? "QDXJRNL1" : "QDXJRNL2";
    if (layout == 1) {
        put<std::int64_t>(j, st.st_size), put<std::uint64_t>(j, 0);
        put<std::int64_t>(j, offset), put<std::uint64_t>(j, old.size());
        j += old;
        put<std::uint64_t>(j, checksum(j));
        put<std::uint64_t>(j, j.size() + 8);
        return j;
    }
    put<std::uint64_t>(j, 8 + 7 * 8 + old.size() + 8);
    put<std::uint64_t>(j, st.st_dev), put<std::uint64_t>(j, st.st_ino);
    put<std::int64_t>(j, 0), put<std::int64_t>(j, st.st_size), put<std::int64_t>(j, offset);
    put<std::uint64_t>(j, old.size());
    j += old;
    put<std::uint64_t>(j, checksum(j));
    return j;
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_notices;

    QString folder(const QString& name) {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return QFileInfo(path).canonicalFilePath(); // as the journals name it
    }
    // Geo.tst with three questions in a new folder `name`.
    const QByteArray m_geo = records(kTest, 'q', 4);
    QString geoIn(const QString& name) {
        writeBytes(folder(name) + u"/Geo.tst"_s, m_geo);
        return folder(name) + u"/Geo.tst"_s;
    }
    QString startUpLine(const QString& text, const QString& journal, const QString& second) {
        return text.arg(quoted(QFileInfo(journal).fileName()), second);
    }

private slots:
    void init() {
        m_notices.clear();
        storage::setNoticeHandler([this](const QString& text) { m_notices << text; });
    }
    void cleanup() {
        IoFaults::clear();
        storage::setNoticeHandler({});
    }

    // A teacher copies a backup over a test (same inode, other bytes) after a
    // save of it was killed: only a file its write can have left is put back.
    void aJournalIsAppliedOnlyWhenTheFileShowsItsWrite() {
        const QByteArray hashed = QByteArray(kTest, '#');
        QByteArray whole = m_geo, halfOther = m_geo, otherRecord = m_geo;
        whole.replace(kTest, kTest, hashed);
        halfOther.replace(kTest, 4096 - kTest, hashed.left(4096 - kTest));
        halfOther.replace(4096, 2 * kTest - 4096, QByteArray(2 * kTest - 4096, 'o'));
        otherRecord.replace(2 * kTest, kTest, QByteArray(kTest, 'o'));
        struct Case {
            const char* what;
            QByteArray copied; // over the file after the kill; empty: as the kill left it
            QByteArray after;
            bool applied;
        };
        const Case cases[] = {
            {"as the kill left it", {}, m_geo, true},
            {"the save whole, killed before its flush", whole, m_geo, true},
            {"another record changed only", otherRecord, otherRecord, true},
            {"a 12-question backup", records(kTest, 'b', 13), records(kTest, 'b', 13), false},
            {"a backup of the same length", records(kTest, 's', 4), records(kTest, 's', 4), false},
            {"a shorter backup", records(kTest, 's', 2), records(kTest, 's', 2), false},
            {"half the save and half another", halfOther, halfOther, false},
        };
        for (const Case& c : cases) {
            for (const bool atStart : {true, false}) {
                const QString geo = geoIn(u"copied"_s), dir = QFileInfo(geo).path();
                const QString where = QLatin1String(c.what) + (atStart ? u" (start)"_s : u""_s);
                tornSave(geo);
                const QByteArray journal = fileBytes(journalOf(geo));
                if (!c.copied.isEmpty())
                    writeBytes(geo, c.copied);
                const QString aside = journalOf(geo) + u".stale"_s;
                const QString told = atStart ? rollBackInterruptedWrites(dir).message()
                                             : RecordFile(geo, kTest).read(1).status().reason;
                const QString expected =
                    c.applied ? QString()
                    : atStart ? kStartUp.arg(quoted(dir)) + u"\r\n"_s +
                                    startUpLine(u"%1 does not match its file (replaced, restored "
                                                "or changed since), kept as %2"_s,
                                                journalOf(geo), quoted(u"Geo.tst-journal.stale"_s))
                              : kStale.arg(quoted(journalOf(geo)), quoted(aside));
                QVERIFY2(told == expected && fileBytes(geo) == c.after, qPrintable(where));
                QCOMPARE(namesIn(dir),
                         c.applied ? QStringList{u"Geo.tst"_s}
                                   : QStringList({u"Geo.tst"_s, u"Geo.tst-journal.stale"_s}));
                QVERIFY(c.applied || fileBytes(aside) == journal);
                QVERIFY(RecordFile(geo, kTest).read(1)); // told once
                QDir(dir).removeRecursively();
            }
        }
    }

    void anotherFileAtTheNameIsNeverCut() {
        const QString geo = geoIn(u"own"_s), dir = QFileInfo(geo).path();
        tornSave(geo);
        // another test put in its place with mv
        const QByteArray other = records(kTest, 'o', 11);
        writeBytes(dir + u"/Other.tst"_s, other);
        QVERIFY(::rename(QFile::encodeName(dir + u"/Other.tst"_s), QFile::encodeName(geo)) == 0);
        QCOMPARE(RecordFile(geo, kTest).appendAtCount(QByteArray(kTest, 'n')).status().reason,
                 kStale.arg(quoted(journalOf(geo)), quoted(journalOf(geo) + u".stale"_s)));
        QCOMPARE(fileBytes(geo), other);

        // a later file given the inode number of a deleted one is told apart
        // by its birth, where the file system keeps one
        struct statx stx {};
        QCOMPARE(::statx(AT_FDCWD, QFile::encodeName(geo).constData(), 0,
                         STATX_BASIC_STATS | STATX_BTIME, &stx),
                 0);
        if (!(stx.stx_mask & STATX_BTIME))
            return;
        RollbackJournal reused;
        reused.device = ::makedev(stx.stx_dev_major, stx.stx_dev_minor);
        reused.inode = stx.stx_ino;
        reused.oldLength = reused.offset = other.size(); // an append not begun
        reused.newBytes = QByteArray(kTest, 'n');
        for (const qint64 late : {1, 0}) {
            reused.born =
                std::int64_t(stx.stx_btime.tv_sec) * 1000000000 + stx.stx_btime.tv_nsec + late;
            writeBytes(journalOf(geo), reused.encode());
            QCOMPARE(bool(RecordFile(geo, kTest).read(1)), !late);
            QCOMPARE(namesIn(dir), QStringList({u"Geo.tst"_s, u"Geo.tst-journal.stale"_s,
                                                u"Geo.tst-journal.stale.2"_s}));
        }
        QCOMPARE(fileBytes(geo), other);
    }

    // The start puts back a test renamed since its save was killed, and tells
    // in one message what it set aside; nothing twice.
    void theStartFindsRenamedFilesAndTellsOnce() {
        const QString geo = geoIn(u"start"_s), dir = QFileInfo(geo).path();
        tornSave(geo);
        QVERIFY(::rename(QFile::encodeName(geo), QFile::encodeName(dir + u"/World.tst"_s)) == 0);
        // a log replaced after a killed append, a test deleted after one, a damaged journal
        const QString ann = dir + u"/Ann.log"_s, gone = dir + u"/Gone.tst"_s;
        writeBytes(ann, records(kLog, 'a', 2));
        killedAfter(journalSize(0, kLog) + 5,
                    [&] { RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, '#')); });
        const QByteArray forty = records(kLog, 'f', 40);
        writeBytes(dir + u"/Forty.log"_s, forty);
        QVERIFY(::rename(QFile::encodeName(dir + u"/Forty.log"_s), QFile::encodeName(ann)) == 0);
        writeBytes(gone, m_geo);
        tornSave(gone);
        QVERIFY(QFile::remove(gone));
        writeBytes(dir + u"/Bad.tst"_s, m_geo);
        writeBytes(journalOf(dir + u"/Bad.tst"_s), "QDXJRNL3 but no more");

        const Recovery r = rollBackInterruptedWrites(dir);
        QCOMPARE(r.rolledBack, 1);
        const QString stale = u"%1 does not match its file (replaced, restored or changed since), "
                              "kept as %2"_s;
        QCOMPARE(
            r.message(),
            QStringList({kStartUp.arg(quoted(dir)),
                         startUpLine(stale, journalOf(ann), quoted(u"Ann.log-journal.stale"_s)),
                         startUpLine(u"%1 is damaged, kept as %2"_s, journalOf(u"Bad.tst"_s),
                                     quoted(u"Bad.tst-journal.damaged"_s)),
                         startUpLine(stale, journalOf(gone), quoted(u"Gone.tst-journal.stale"_s))})
                .join(u"\r\n"_s));
        QCOMPARE(fileBytes(dir + u"/World.tst"_s), m_geo);
        QCOMPARE(fileBytes(ann), forty);
        QCOMPARE(rollBackInterruptedWrites(dir).message(), QString());
        QCOMPARE(RecordFile(ann, kLog).appendAtCount(QByteArray(kLog, 'n')).value(), 41);
        writeBytes(gone, records(kTest, 'i', 5)); // a test made later under the name
        QCOMPARE(RecordFile(gone, kTest).count().value(), 5);
        QCOMPARE(fileBytes(gone), records(kTest, 'i', 5));
    }

    void oneFileHasOneJournalWhateverNameReachesIt() {
        const QString geo = geoIn(u"links"_s), dir = QFileInfo(geo).path();
        const QString link = dir + u"/Link.tst"_s, hard = dir + u"/Hard.tst"_s;
        QVERIFY(QFile::link(u"Geo.tst"_s, link));
        QVERIFY(QFile::link(dir, m_dir.filePath(u"linked"_s)));

        tornSave(link); // a save through the link, killed
        QVERIFY(QFile::exists(journalOf(geo)) && !QFile::exists(journalOf(link)));
        QCOMPARE(RollbackJournal::pathFor(QFile::encodeName(m_dir.filePath(u"linked/Link.tst"_s))),
                 QFile::encodeName(journalOf(geo)));
        // a question appended through the real name puts the save back
        // first, and stays when the program starts in the link's folder
        const QByteArray added(kTest, 'n');
        QCOMPARE(RecordFile(geo, kTest).appendAtCount(added).value(), 5);
        QCOMPARE(rollBackInterruptedWrites(m_dir.filePath(u"linked"_s)).rolledBack, 0);
        QCOMPARE(fileBytes(geo), m_geo + added);

        // a second name of the same file (a hard link), made after a save was
        // cut short, finds its journal; no save goes through either name
        // while both stand
        tornSave(geo);
        QVERIFY(::link(QFile::encodeName(geo), QFile::encodeName(hard)) == 0);
        QCOMPARE(RecordFile(hard, kTest).read(5).value(), added);
        QCOMPARE(fileBytes(geo), m_geo + added);
        QVERIFY(!RecordFile(hard, kTest).write(2, QByteArray(kTest, '#')));
        QCOMPARE(fileBytes(geo), m_geo + added);
        QVERIFY(QFile::remove(hard));
        QVERIFY(RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')));
        QCOMPARE(namesIn(dir), QStringList({u"Geo.tst"_s, u"Link.tst"_s}));
    }

    // A journal another user left, or one others may change, is never
    // applied and never stops a save; it is told of once, by name and owner.
    void onlyTheFileOwnersJournalsCount() {
        if (::geteuid() != 0)
            QSKIP("making another user's journal needs root");
        const QString geo = geoIn(u"planted"_s), dir = QFileInfo(geo).path();
        const QByteArray test = records(kTest, 'q', 13);
        writeBytes(geo, test);
        // as good as real: the file is in the state its write would leave
        RollbackJournal planted;
        const struct stat st = statOf(geo);
        planted.device = st.st_dev, planted.inode = st.st_ino;
        planted.oldLength = planted.offset = kTest;
        planted.newBytes = test.mid(kTest);
        const auto plant = [&](uid_t owner, mode_t mode) {
            QFile::remove(journalOf(geo));
            writeBytes(journalOf(geo), planted.encode());
            QVERIFY(::chown(QFile::encodeName(journalOf(geo)), owner, owner) == 0 &&
                    ::chmod(QFile::encodeName(journalOf(geo)), mode) == 0);
        };
        plant(4242, 0600);
        const QString owner = u"4242"_s;
        QCOMPARE(rollBackInterruptedWrites(dir).message(),
                 kStartUp.arg(quoted(dir)) + u"\r\n"_s +
                     startUpLine(u"%1 belongs to %2 or other users may change it, left as it is"_s,
                                 journalOf(geo), owner));
        QVERIFY(RecordFile(geo, kTest).read(1));
        QCOMPARE(m_notices, QStringList()); // told at the start already
        QCOMPARE(fileBytes(geo), test);
        // one this user's but writable by all, met first by a reader
        for (const auto& [uid, who] : {std::pair(4242u, owner), std::pair(0u, u"root"_s)}) {
            plant(uid, uid ? 0600 : 0666);
            for (int read = 0; read < 2; ++read)
                QVERIFY(RecordFile(geo, kTest).read(13));
            QCOMPARE(m_notices,
                     QStringList(kUntrusted.arg(quoted(journalOf(geo)), quoted(geo), who)));
            m_notices.clear();
        }
        QCOMPARE(fileBytes(geo), test);

        // a save goes on beside it, under this user's own name, which the
        // next reader finds when the save is cut short
        QVERIFY(RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')));
        const mode_t umask = ::umask(0);
        tornSave(geo, '*');
        ::umask(umask);
        const QString own = journalOf(geo) + u".0"_s;
        QCOMPARE(statOf(own).st_mode & 07777, mode_t(0600));
        QVERIFY(RecordFile(geo, kTest).read(1));
        QCOMPARE(fileBytes(geo).mid(kTest, kTest), QByteArray(kTest, '#'));
        QCOMPARE(namesIn(dir), QStringList({u"Geo.tst"_s, u"Geo.tst-journal"_s}));
    }

    // Journals of earlier versions hold no new bytes (and the first layout
    // no identity): applied when the file's length is one their write can
    // have left; else set aside, and a file left with a cut record says so
    // each time it is opened, until it is repaired.
    void journalsOfEarlierVersionsAreAppliedOrTold() {
        const QString dir = folder(u"earlier"_s), ann = dir + u"/Ann.log"_s;
        const QByteArray before = records(kLog, 'a', 2), cut = QByteArray(57, '#');
        for (const int layout : {1, 2}) {
            for (const bool backup : {false, true}) {
                writeBytes(ann, before);
                writeBytes(journalOf(ann), earlierJournal(layout, statOf(ann), 2 * kLog, {}));
                writeBytes(ann, backup ? records(kLog, 'b', 4) : before + cut);
                const IoResult<QByteArray> read = RecordFile(ann, kLog).read(1);
                QCOMPARE(read.status().reason,
                         backup ? kStale.arg(quoted(journalOf(ann)),
                                             quoted(journalOf(ann) + u".stale"_s))
                                : QString());
                QCOMPARE(fileBytes(ann), backup ? records(kLog, 'b', 4) : before);
                QFile::remove(journalOf(ann) + u".stale"_s);
            }
        }
        // one damaged: kept, and the cut record is told of until repaired
        QByteArray damaged = earlierJournal(2, statOf(ann), 2 * kLog, {});
        damaged[20] = char(damaged[20] ^ 1);
        writeBytes(ann, before + cut);
        writeBytes(journalOf(ann), damaged);
        const QString aside = journalOf(ann) + u".damaged"_s;
        RecordFile log(ann, kLog);
        QCOMPARE(log.read(1).status().reason, kDamaged.arg(quoted(journalOf(ann)), quoted(aside)));
        for (int open = 0; open < 2; ++open) {
            QCOMPARE(log.count().status().reason, kTorn.arg(quoted(aside)));
            QCOMPARE(log.appendAtCount(QByteArray(kLog, 'n')).status().reason,
                     kTorn.arg(quoted(aside)));
        }
        QVERIFY(QFile(ann).resize(2 * kLog)); // as quizdex-tool repair leaves it
        QCOMPARE(log.appendAtCount(QByteArray(kLog, 'n')).value(), 3);
        // one an earlier version's writer was cut short making: the file was not touched
        writeBytes(journalOf(ann), earlierJournal(2, statOf(ann), 0, {}).left(12));
        QVERIFY(log.read(1));
        QCOMPARE(namesIn(dir), QStringList({u"Ann.log"_s, u"Ann.log-journal.damaged"_s}));
    }

    void aDamagedJournalIsReportedAndKeptNotApplied() {
        // every byte of a journal counts: no change to one passes for whole,
        // and no part of one either
        RollbackJournal j;
        j.device = 7, j.inode = 42, j.born = 1'000'000'007, j.oldLength = 3 * kLog, j.offset = kLog;
        j.oldBytes = records(kLog, 'x', 1);
        j.newBytes = records(kLog, 'y', 1);
        const QByteArray bytes = j.encode();
        RollbackJournal back;
        QCOMPARE(RollbackJournal::decode(bytes, &back), RollbackJournal::Kind::Whole);
        QCOMPARE(back.newBytes, j.newBytes);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            QByteArray changed = bytes;
            changed[i] = char(changed[i] ^ 0x10);
            QVERIFY2(RollbackJournal::decode(changed, &back) != RollbackJournal::Kind::Whole &&
                         RollbackJournal::decode(bytes.left(i), &back) !=
                             RollbackJournal::Kind::Whole,
                     qPrintable(u"byte %1"_s.arg(i)));
        }
        QCOMPARE(RollbackJournal::decode("some notes of mine\n", &back),
                 RollbackJournal::Kind::Foreign);
        // crafted ones whose checksums hold but whose write runs past any file
        j.offset = INT64_MAX - 3;
        j.oldBytes.clear();
        struct stat huge {};
        huge.st_size = INT64_MAX - 1;
        for (const QByteArray& crafted : {j.encode(), earlierJournal(2, huge, INT64_MAX - 1, "ab")})
            QCOMPARE(RollbackJournal::decode(crafted, &back), RollbackJournal::Kind::Damaged);

        const QString geo = geoIn(u"damaged"_s);
        tornSave(geo);
        QByteArray journal = fileBytes(journalOf(geo));
        journal[100] = char(journal[100] ^ 1); // inside the old bytes
        writeBytes(journalOf(geo), journal);
        const QByteArray torn = fileBytes(geo);
        QCOMPARE(RecordFile(geo, kTest).read(1).status().reason,
                 kDamaged.arg(quoted(journalOf(geo)), quoted(journalOf(geo) + u".damaged"_s)));
        QCOMPARE(fileBytes(geo), torn);
        QCOMPARE(fileBytes(journalOf(geo) + u".damaged"_s), journal);
        QVERIFY(RecordFile(geo, kTest).read(1)); // said once
    }

    // What stops a save is told by name, and the file keeps its bytes: a
    // second name of the file, a journal this user may not remove or read, or
    // what a user keeps where the journal goes. Reading goes on wherever the
    // file is proved as it was.
    void aSaveThatCouldNotBeUndoneIsRefusedAndSaysWhy() {
        const testing::Watchdog watchdog(60); // for a FIFO at the journal's name
        const QString linked = u"The file has other names (hard links), through which a save cut "
                               "short could not be put back, so it is not saved. Copy it to a "
                               "file of its own and save that."_s;
        const QString stands = u"%1 stands where this file's journal goes and is not one; move it "
                               "away to save."_s;
        const auto fix = [](int err) { return kOwnerMust.arg(u"%1"_s, systemText(err)); };
        const auto put = [](const QByteArray& bytes) {
            return [bytes](const QString& geo) { writeBytes(journalOf(geo), bytes); };
        };
        const struct {
            std::function<void(const QString&)> make; // beside Geo.tst
            bool readable;
            QString told; // %1: the journal
        } cases[] = {
            {[](const QString& geo) {
                 ::link(QFile::encodeName(geo), QFile::encodeName(geo + u"2"_s));
             },
             true, linked},
            // an earlier version's, cut short: it proves the file untouched
            {[](const QString& geo) {
                 writeBytes(journalOf(geo), "QDXJRNL2\x10");
                 IoFaults::current().removeErrno = EPERM;
             },
             true, fix(EPERM)},
            {[](const QString& geo) {
                 tornSave(geo);
                 IoFaults::current().journalReadErrno = EACCES;
             },
             false, fix(EACCES)},
            {put("notes of mine\n"), true, stands},
            {put("QDX"), true, stands},
            {[](const QString& geo) {
                 testing::makeSpecialFile(journalOf(geo), testing::SpecialFile::Fifo);
             },
             true, stands},
            {[](const QString& geo) { QDir().mkpath(journalOf(geo)); }, true, stands},
        };
        for (const auto& c : cases) {
            const QString geo = geoIn(u"refused%1"_s.arg(&c - cases));
            c.make(geo);
            const QString told = c.told.arg(quoted(journalOf(geo)));
            RecordFile file(geo, kTest);
            QCOMPARE(file.read(2).status().reason, c.readable ? QString() : told);
            QCOMPARE(file.write(2, QByteArray(kTest, '#')).reason, told);
            QCOMPARE(file.appendAtCount(QByteArray(kTest, '#')).status().reason, told);
            IoFaults::clear();
            QVERIFY(file.read(1));
            QCOMPARE(fileBytes(geo), m_geo);
        }
    }

    // Copied with its journal to a medium mounted read-only, a torn test can
    // be neither put back nor set aside there; the message says what to do.
    void aTornTestOnAReadOnlyMediumSaysSo() {
        const QString dir = folder(u"readonly"_s), geo = dir + u"/Geo.tst"_s;
        const QString expected =
            u"The journal %1 of an interrupted save can be neither applied nor set aside on a "
            "read-only medium. Copy the file and the journal to a writable folder and open the "
            "file there."_s.arg(quoted(journalOf(geo)));
        const int rc = testing::inChild([&] {
            const QByteArray mount = QFile::encodeName(dir);
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", mount.constData(), "tmpfs", 0, "size=1m") != 0)
                return 77;
            writeBytes(geo, m_geo);
            tornSave(geo);
            const QByteArray torn = fileBytes(geo);
            if (::mount(nullptr, mount.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
                return 77;
            const QString told = RecordFile(geo, kTest).read(1).status().reason;
            const Recovery r = rollBackInterruptedWrites(dir);
            return told == expected && fileBytes(geo) == torn && r.rolledBack == 0 ? 0 : 1;
        });
        if (rc == 77)
            QSKIP("no read-only file system can be mounted here");
        QCOMPARE(rc, 0);
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
        QCOMPARE(namesIn(dir), QStringList{u"Ann.log"_s});
    }

    void theJournalIsOnDiskBeforeTheRecordAndGoesAfterIt() {
        const QString geo = geoIn(u"order"_s);
        QList<QByteArray> calls;
        IoFaults::current().calls = &calls;
        QVERIFY(RecordFile(geo, kTest).write(2, QByteArray(kTest, '#')));
        QCOMPARE(calls, QList<QByteArray>({"write new", "fsync new", "link Geo.tst-journal",
                                           "fsync folder", "write Geo.tst", "fdatasync Geo.tst",
                                           "unlink Geo.tst-journal", "fsync folder"}));
        // a new file: its first record flushed before it gets its name
        calls.clear();
        QVERIFY(RecordFile(QFileInfo(geo).path() + u"/Ann.log"_s, kLog)
                    .appendAtCount(QByteArray(kLog, '#')));
        QCOMPARE(calls,
                 QList<QByteArray>({"write new", "fsync new", "link Ann.log", "fsync folder"}));
    }

    void filesWithJournalNamesThatAreNotJournalsAreLeftAloneAtTheStart() {
        const testing::Watchdog watchdog(60);
        const QString dir = folder(u"names"_s);
        const QByteArray notes = "notes of mine\n";
        const QByteArray test = records(kTest, 'q', 2), log = records(kLog, 'a', 2);
        // what a user may keep under such names, empty or not
        const std::pair<QString, QByteArray> kept[] = {{u"/notes"_s, notes},
                                                       {u"/notes-journal"_s, {}},
                                                       {u"/todo-journal"_s, "QDX"},
                                                       {u"/Geo.tst-journal"_s, notes},
                                                       {u"/Cat.log-journal"_s, "QDX"}};
        for (const auto& [name, bytes] : kept)
            writeBytes(dir + name, bytes);
        for (const QString& name : {u"/Geo.tst"_s, u"/Ann.log"_s, u"/Bob.log"_s, u"/Cat.log"_s})
            writeBytes(dir + name, name.endsWith(u".tst"_s) ? test : log);
        QVERIFY(testing::makeSpecialFile(dir + u"/Ann.log-journal"_s, testing::SpecialFile::Fifo));
        QVERIFY(QDir().mkpath(dir + u"/Bob.log-journal"_s));
        const QStringList all = namesIn(dir);

        QCOMPARE(rollBackInterruptedWrites(dir).message(), QString());
        QCOMPARE(namesIn(dir), all);
        for (const auto& [name, bytes] : kept)
            QCOMPARE(fileBytes(dir + name), bytes);
    }
};

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
