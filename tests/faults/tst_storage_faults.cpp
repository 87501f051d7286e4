// Failed, racing and killed writes: a file keeps its whole earlier records,
// nothing else; special files are refused without waiting on them.
#include "AnswerFile.h"
#include "LogRecord.h"
#include "RecordFile.h"
#include "Recovery.h"
#include "TestRecord.h"
#include "TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using storage::AnswerRecord;
using storage::IoStatus;
using storage::LogRecord;
using storage::RecordFile;
using storage::rollBackInterruptedWrites;
using storage::TestRecord;
using testing::fileBytes;
using testing::killedAfter;
using testing::namesIn;
using testing::waitFor;
using testing::writeBytes;

namespace {

// A record of `fill` bytes led by its decimal tag, so a mixed record shows.
QByteArray record(int size, char fill, int tag) {
    const QByteArray t = QByteArray::number(tag);
    return t + QByteArray(size - t.size(), fill);
}

int tagOf(QByteArray rec) {
    return std::atoi(rec.constData()); // the fill is never a digit
}

// The random kills and the kill at each byte, in the shapes the program writes:
// question k of a test at record k + 1, question 1 rewritten in place (its
// record spans byte 4096 of the file), log entries appended.
QByteArray question(int r) {
    return record(TestRecord::kSize, char('a' + r % 26), r);
}
QByteArray firstQuestion(int version) {
    return record(TestRecord::kSize, char('A' + version % 26), version);
}
QByteArray entry(int n) {
    return record(LogRecord::kSize, char('a' + n % 26), n);
}

// The child of killedAtRandomMoments: writes as the editor and finished runs
// do, until it is killed.
[[noreturn]] void writeUntilKilled(const QString& test, const QString& log) {
    RecordFile t(test, TestRecord::kSize);
    RecordFile l(log, LogRecord::kSize);
    for (;;) {
        t.appendAtCount(question(t.count().value() + 1));
        l.appendAtCount(entry(l.count().value() + 1));
        t.write(2, firstQuestion(tagOf(t.read(2).value()) + 1));
    }
}

// What is wrong with the files after a kill, given what they held before it;
// empty when nothing is. Updates the counts and the version seen.
QString faultAfterKill(const QByteArray& test, const QByteArray& log, int* questions, int* entries,
                       int* version) {
    if (test.size() % TestRecord::kSize || log.size() % LogRecord::kSize)
        return u"a record cut short: sizes %1 and %2"_s.arg(test.size()).arg(log.size());
    const int records = static_cast<int>(test.size() / TestRecord::kSize);
    const int logged = static_cast<int>(log.size() / LogRecord::kSize);
    if (records < *questions || logged < *entries)
        return u"earlier records lost"_s;
    if (test.left(TestRecord::kSize) != record(TestRecord::kSize, 'H', 0))
        return u"header changed"_s;
    const QByteArray q1 = test.mid(TestRecord::kSize, TestRecord::kSize);
    if (q1 != firstQuestion(tagOf(q1)) || tagOf(q1) < *version)
        return u"question 1 mixed or gone back: %1"_s.arg(QString::fromLatin1(q1.left(12)));
    for (int r = 3; r <= records; ++r)
        if (test.mid((r - 1) * TestRecord::kSize, TestRecord::kSize) != question(r))
            return u"record %1 changed"_s.arg(r);
    for (int n = 1; n <= logged; ++n)
        if (log.mid((n - 1) * LogRecord::kSize, LogRecord::kSize) != entry(n))
            return u"log entry %1 changed"_s.arg(n);
    *questions = records, *entries = logged, *version = tagOf(q1);
    return {};
}

} // namespace

class TestStorageFaults : public QObject {
    Q_OBJECT
    // On a memory file system when there is one: a thousand flushed writes
    // take no time there, and kills land anywhere in a write rather than
    // mostly inside the disk flushes. QUIZDEX_KILL_DIR puts the files in
    // another folder (on a disk, to kill writers inside real flushes).
    QTemporaryDir m_dir{qEnvironmentVariableIsSet("QUIZDEX_KILL_DIR")
                            ? qEnvironmentVariable("QUIZDEX_KILL_DIR") + u"/qdx-XXXXXX"_s
                        : QFileInfo(u"/dev/shm"_s).isWritable()
                            ? u"/dev/shm/qdx-XXXXXX"_s
                            : QDir::tempPath() + u"/qdx-XXXXXX"_s};

private slots:
    void aWriteFailingHalfWayOrFirstLeavesTheFileAsItWas() {
        // the file size limit stops a test question written past the end, and a log entry appended
        // under its lock
        for (const int size : {int(TestRecord::kSize), int(LogRecord::kSize)}) {
            const QString path = m_dir.filePath(QString::number(size));
            RecordFile file(path, size);
            QVERIFY(file.write(1, record(size, 'a', 1)));
            const QByteArray before = fileBytes(path);
            const pid_t pid = ::fork();
            if (pid == 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit lim{rlim_t(before.size() + size / 2),
                                 rlim_t(before.size() + size / 2)};
                ::setrlimit(RLIMIT_FSIZE, &lim);
                const QByteArray rec = record(size, 'b', 2);
                const IoStatus st = size == TestRecord::kSize ? file.write(2, rec)
                                                              : file.appendAtCount(rec).status();
                ::_exit(st.ok || st.reason.isEmpty());
            }
            QCOMPARE(waitFor(pid), 0);
            QCOMPARE(fileBytes(path), before);
        }
        const QString notAFolder = m_dir.filePath(u"tests"_s);
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        QVERIFY(!RecordFile(notAFolder + u"/a.tst"_s, TestRecord::kSize).write(1, question(1)));
        QCOMPARE(QFileInfo(notAFolder).size(), 0);

        // a first write that fails leaves no empty file, and says which file and why
        const QString fresh = m_dir.filePath(u"fresh.log"_s);
        IoFaults::current() = {.writeLimit = 0, .writeErrno = ENOSPC};
        const IoStatus st = RecordFile(fresh, LogRecord::kSize).write(1, entry(1));
        IoFaults::clear();
        QCOMPARE(st.message(u"Could not save"_s),
                 u"Could not save \"%1\":\r\n%2"_s.arg(fresh, testing::systemText(ENOSPC)));
        QVERIFY(!QFile::exists(fresh));
        QCOMPARE(namesIn(m_dir.path(), {u"*-journal"_s}), QStringList());
    }

    void twentyWritersAppendingAtOnceLoseNothing() {
        const QString log = m_dir.filePath(u"race.log"_s);
        for (int w = 0; w < 20; ++w) {
            if (::fork() == 0) {
                int failed = 0;
                for (int i = 0; i < 50; ++i)
                    failed +=
                        !RecordFile(log, LogRecord::kSize)
                             .appendAtCount(record(LogRecord::kSize, char('A' + w), w * 100 + i));
                ::_exit(failed);
            }
        }
        for (int w = 0; w < 20; ++w)
            QCOMPARE(waitFor(-1), 0);
        const QByteArray all = fileBytes(log);
        QCOMPARE(all.size(), 1000 * LogRecord::kSize);
        QSet<int> tags;
        for (int r = 0; r < 1000; ++r) {
            const QByteArray rec = all.mid(r * LogRecord::kSize, LogRecord::kSize);
            QCOMPARE(rec, record(LogRecord::kSize, char('A' + tagOf(rec) / 100), tagOf(rec)));
            tags.insert(tagOf(rec));
        }
        QCOMPARE(tags.size(), 1000);
    }

    // Another program makes a log and removes it again, over and over: an
    // append that found no file, and then a file at the name, opens again
    // rather than fail as if the name were a link to nothing.
    void anAppendMeetingAFileJustMadeOpensItAgain() {
        const QString log = m_dir.filePath(u"flapping.log"_s);
        const QByteArray made = QFile::encodeName(m_dir.filePath(u"made.tmp"_s));
        const QByteArray name = QFile::encodeName(log);
        const pid_t parent = ::getpid();
        const pid_t maker = ::fork();
        if (maker == 0) {
            const QByteArray entry = record(LogRecord::kSize, 'm', 1);
            while (::getppid() == parent) { // never outlives a test that crashed
                const int fd = ::open(made.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd < 0 || ::write(fd, entry.constData(), entry.size()) != entry.size())
                    ::_exit(2);
                ::close(fd);
                ::rename(made.constData(), name.constData());
                ::unlink(name.constData());
            }
            ::_exit(0);
        }
        QStringList failures;
        for (int i = 0; i < 300 && failures.isEmpty(); ++i) {
            const storage::IoResult<int> r =
                RecordFile(log, LogRecord::kSize).appendAtCount(record(LogRecord::kSize, 'a', i));
            if (!r)
                failures << r.status().reason;
        }
        ::kill(maker, SIGKILL);
        waitFor(maker);
        QCOMPARE(failures, QStringList());

        // while a link to nothing stays no place for a new log
        const QString broken = m_dir.filePath(u"broken.log"_s);
        QVERIFY(QFile::link(m_dir.filePath(u"none.log"_s), broken));
        QCOMPARE(RecordFile(broken, LogRecord::kSize)
                     .appendAtCount(record(LogRecord::kSize, 'b', 1))
                     .status()
                     .reason,
                 testing::systemText(ENOENT));
        QVERIFY(!QFile::exists(m_dir.filePath(u"none.log"_s)));
    }

    // A write killed after any number of its bytes (its journal's, then the
    // record's) is undone whole by whoever comes next: a reader, a writer or
    // the program's start.
    void aWriteKilledAtAnyByteIsUndoneByTheNextOpener() {
        const QString dir = m_dir.filePath(u"bytes"_s);
        QVERIFY(QDir().mkpath(dir));
        struct Case {
            QString name;
            int size;
            int writeAt; // 0 appends
            QByteArray before;
        };
        const Case cases[] = {
            {u"Geo.tst"_s, TestRecord::kSize, 2, question(1) + question(2) + question(3)},
            {u"Ann.log"_s, LogRecord::kSize, 0, entry(1) + entry(2)},
            {u"New.log"_s, LogRecord::kSize, 0, {}},
            {u"New.tst"_s, TestRecord::kSize, 1, {}},
            // too long a name to add "-journal" to
            {QString(250, u'L') + u".log"_s, LogRecord::kSize, 0, entry(1)},
        };
        enum Opener { Reader, Writer, Start };
        for (const Case& c : cases) {
            const QString path = dir + u'/' + c.name;
            RecordFile file(path, c.size);
            const QByteArray rec = record(c.size, '#', 99);
            const auto reset = [&] {
                QFile::remove(path);
                if (!c.before.isEmpty())
                    writeBytes(path, c.before);
            };
            const auto write = [&] {
                return c.writeAt ? file.write(c.writeAt, rec) : file.appendAtCount(rec).status();
            };
            reset();
            IoFaults::clear();
            QVERIFY(write());
            const std::int64_t total = IoFaults::current().written; // journal and record
            IoFaults::clear();
            const std::int64_t journal = total - c.size;
            const std::int64_t offset = c.writeAt ? (c.writeAt - 1) * c.size : c.before.size();
            // at a page boundary inside the record, where a killed write stops; else halfway
            const std::int64_t toPage = 4096 - offset % 4096;
            const std::int64_t inside = toPage < c.size ? toPage : c.size / 2;
            // What a kill after `at` bytes leaves: the journal once it is whole
            // (it is linked in then), and the record down to the page where
            // the kill stopped it. A new file appears only whole.
            const auto leftBy = [&](std::int64_t at) {
                std::int64_t done = std::clamp<std::int64_t>(at - journal, 0, c.size);
                if (done < c.size)
                    done = std::max<std::int64_t>(0, (offset + done) / 4096 * 4096 - offset);
                QByteArray bytes = c.before;
                if (!bytes.isEmpty()) {
                    bytes.resize(std::max<qsizetype>(bytes.size(), offset + done), '\0');
                    bytes.replace(offset, done, rec.left(done));
                }
                return std::tuple(bytes, qsizetype(at > journal && journal > 0), !bytes.isEmpty());
            };
            for (const std::int64_t at : {std::int64_t(0), std::int64_t(1), journal - 1, journal,
                                          journal + 1, journal + inside, total - 1, total}) {
                if (at < 0) // a first record goes down without a journal
                    continue;
                for (const Opener opener : {Reader, Writer, Start}) {
                    reset();
                    const QByteArray where = c.name.left(12).toLatin1() + " killed after " +
                                             QByteArray::number(at) + " bytes, opener " +
                                             QByteArray::number(opener);
                    QVERIFY2(killedAfter(at, [&] { write(); }) == -SIGKILL, where.constData());
                    QVERIFY2(leftBy(at) == std::tuple(fileBytes(path),
                                                      namesIn(dir, {u"*-journal"_s}).size(),
                                                      QFile::exists(path)),
                             where.constData());
                    // the first reader may be killed too, while it puts the old bytes back
                    killedAfter(c.size / 2, [&] { file.read(1); });

                    const QByteArray added =
                        opener == Writer ? record(c.size, 'w', 7) : QByteArray();
                    if (opener == Reader)
                        file.read(1);
                    else if (opener == Start)
                        rollBackInterruptedWrites(dir);
                    else
                        QVERIFY2(file.appendAtCount(added), where.constData());
                    QVERIFY2(fileBytes(path) == c.before + added, where.constData());
                    QVERIFY2(namesIn(dir, {u"*-journal"_s}).isEmpty(), where.constData());
                }
            }
        }
    }

    // A finished run killed anywhere in its end (its answers with their
    // journal, then its entry with its): the log has the run whole, answers
    // and entry, or not at all, and the next run, of the same test in the same
    // second, gets its own answers.
    void aRunKilledAnywhereInItsEndIsLoggedWholeOrNotAtAll() {
        const QString dir = m_dir.filePath(u"run"_s);
        QVERIFY(QDir().mkpath(dir));
        const QString log = dir + u"/Kim.log"_s, answers = dir + u"/Kim.answers"_s;
        const auto e =
            testing::recordOf<LogRecord>(testing::logEntry({.test = u"Geo"_s, .questions = 2}));
        const auto given = [](const QString& tag) {
            return std::vector<storage::answers::Given>{{2, 1, 3, tag, true},
                                                        {3, 2, 0, tag, false}};
        };
        // Per entry, the answers the reader pairs with it ("-" for none).
        const auto pairs = [&] {
            QList<LogRecord> entries(RecordFile(log, LogRecord::kSize).count().value(), e);
            QStringList tags;
            for (const auto& run : storage::answers::matchToEntries(
                     entries, storage::answers::readFile(answers).value()))
                tags << (run.size() == 2 ? run[1].text(AnswerRecord::Answer) : u"-"_s);
            return tags;
        };
        for (const bool firstRun : {true, false}) {
            const auto reset = [&] {
                QFile::remove(log), QFile::remove(answers);
                if (!firstRun)
                    storage::answers::appendRun(log, e, given(u"old"_s));
            };
            reset();
            QList<std::int64_t> ends;
            IoFaults::clear();
            IoFaults::current().writeEnds = &ends;
            storage::answers::appendRun(log, e, given(u"cut"_s));
            IoFaults::clear();
            // At the start, inside and at the end of each write (files this
            // small take a killed write's bytes all or none).
            QList<std::int64_t> kills{0};
            for (qsizetype i = 0; i < ends.size(); ++i) {
                const std::int64_t start = i ? ends[i - 1] : 0;
                kills << start + 1 << (start + ends[i]) / 2 << ends[i] - 1 << ends[i];
            }
            for (const std::int64_t at : kills) {
                reset();
                const QByteArray where = "killed after " + QByteArray::number(at) + " bytes";
                QVERIFY2(killedAfter(
                             at, [&] { storage::answers::appendRun(log, e, given(u"cut"_s)); }) ==
                             -SIGKILL,
                         where.constData());
                const QStringList old = firstRun ? QStringList() : QStringList{u"old"_s};
                // the kill came before the entry's journal went: the reader puts it back
                QVERIFY2(pairs() == old, where.constData());
                QVERIFY2(storage::answers::appendRun(log, e, given(u"next"_s)).entry,
                         where.constData());
                QVERIFY2(pairs() == old + QStringList{u"next"_s}, where.constData());
                QVERIFY2(namesIn(dir, {u"*-journal"_s}).isEmpty(), where.constData());
            }
        }
    }

    // The way the fault was found: a writer killed at random moments, again
    // and again. QUIZDEX_KILLS sets the number of kills, QUIZDEX_KILL_SEED the
    // seed of the moments.
    void killedAtRandomMomentsFilesHoldOnlyWholeRecords() {
        bool set = false;
        const int askedKills = qEnvironmentVariableIntValue("QUIZDEX_KILLS", &set);
        const int kills = set ? askedKills : 300;
        const quint32 askedSeed = qEnvironmentVariableIntValue("QUIZDEX_KILL_SEED", &set);
        const quint32 seed = set ? askedSeed : 20261206;
        QRandomGenerator moments(seed);
        const QString dir = m_dir.filePath(u"random"_s);
        QVERIFY(QDir().mkpath(dir));
        const QString test = dir + u"/Geo.tst"_s;
        const QString log = dir + u"/Ann.log"_s;
        int questions = 0, entries = 0, version = 0, interrupted = 0, torn = 0;
        for (int k = 0; k < kills; ++k) {
            if (questions == 0 || questions > 120) { // start again before the files grow large
                writeBytes(test, record(TestRecord::kSize, 'H', 0) + firstQuestion(0));
                writeBytes(log, {});
                questions = 2, entries = 0, version = 0;
            }
            QVERIFY(testing::killedAfterDelay(moments.bounded(3000u),
                                              [&] { writeUntilKilled(test, log); }) == -SIGKILL);
            if (!namesIn(dir, {u"*-journal"_s})
                     .isEmpty()) { // killed inside a write: was a record torn?
                ++interrupted;
                int q = questions, e = entries, v = version;
                torn += !faultAfterKill(fileBytes(test), fileBytes(log), &q, &e, &v).isEmpty();
            }
            // the next reader puts the files back, or the next start does
            if (k % 2) {
                RecordFile(test, TestRecord::kSize).read(1);
                RecordFile(log, LogRecord::kSize).read(1);
            } else {
                rollBackInterruptedWrites(dir);
            }
            const QString fault =
                faultAfterKill(fileBytes(test), fileBytes(log), &questions, &entries, &version);
            QVERIFY2(
                fault.isEmpty(),
                qPrintable(u"kill %1 of %2 (seed %3): "_s.arg(k + 1).arg(kills).arg(seed) + fault));
            // every journal a kill left proved its write: none set aside
            QCOMPARE(namesIn(dir), QStringList({u"Ann.log"_s, u"Geo.tst"_s}));
        }
        qInfo("%d kills: %d inside a write, %d of which left a record torn or mixed; all undone",
              kills, interrupted, torn);
    }

    void specialFilesAreRefusedWithoutWaiting() {
        const testing::Watchdog watchdog(60);
        const QString dir = m_dir.filePath(u"special"_s);
        QVERIFY(QDir().mkpath(dir + u"/folder"_s));
        const QString fifo = dir + u"/pipe.tst"_s;
        const QString socket = dir + u"/socket.log"_s;
        const QString folderLink = dir + u"/folder.tst"_s;
        QVERIFY(testing::makeSpecialFile(fifo, testing::SpecialFile::Fifo));
        QVERIFY(testing::makeSpecialFile(socket, testing::SpecialFile::Socket));
        QVERIFY(QFile::link(dir + u"/folder"_s, folderLink));

        const std::pair<QString, QString> refused[] = {{fifo, u"Not a regular file"_s},
                                                       {socket, u"Not a regular file"_s},
                                                       {folderLink, testing::systemText(EISDIR)}};
        for (const auto& [path, reason] : refused) {
            RecordFile file(path, LogRecord::kSize);
            QCOMPARE(file.length().status().reason, reason);
            QCOMPARE(file.read(1).status().reason, reason);
            QCOMPARE(file.write(1, entry(1)).reason, reason);
            QCOMPARE(file.appendAtCount(entry(1)).status().reason, reason);
        }
        QCOMPARE(namesIn(dir),
                 QStringList({u"folder"_s, u"folder.tst"_s, u"pipe.tst"_s, u"socket.log"_s}));
    }
};

QTEST_GUILESS_MAIN(TestStorageFaults)
#include "tst_storage_faults.moc"
