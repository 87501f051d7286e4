// Writes that fail half-way, processes that die mid-write and writers that
// race: every file keeps its whole earlier records and nothing else.
#include "LogRecord.h"
#include "RecordFile.h"
#include "TestRecord.h"

#include <csignal>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray record(int size, char fill, int tag) {
    QByteArray r(size, fill);
    const QByteArray t = QByteArray::number(tag);
    r.replace(0, t.size(), t);
    return r;
}

// Runs `body` in a child process and returns its exit status (or -signal).
template <class F> int inChild(F body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace

class TestStorageFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void cleanup() { IoFaults::clear(); }

    void fileSizeLimitStopsAnAppendHalfWay() {
        const QString path = m_dir.filePath(QStringLiteral("limit.tst"));
        RecordFile file(path, TestRecord::kSize);
        QVERIFY(file.write(1, record(TestRecord::kSize, 'a', 1)));
        QVERIFY(file.write(2, record(TestRecord::kSize, 'b', 2)));
        const QByteArray before = fileBytes(path);

        const int rc = inChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit lim{static_cast<rlim_t>(before.size() + 1000),
                             static_cast<rlim_t>(before.size() + 1000)};
            ::setrlimit(RLIMIT_FSIZE, &lim);
            RecordFile f(path, TestRecord::kSize);
            const IoStatus st = f.write(3, record(TestRecord::kSize, 'c', 3));
            ::_exit(st.ok ? 1 : (st.reason.isEmpty() ? 2 : 0));
        });
        QCOMPARE(rc, 0);
        QCOMPARE(fileBytes(path), before);

        // the same for a log entry appended under its lock
        const QString log = m_dir.filePath(QStringLiteral("limit.log"));
        QVERIFY(RecordFile(log, LogRecord::kSize).appendAtCount(record(LogRecord::kSize, 'x', 1)));
        const QByteArray logBefore = fileBytes(log);
        QCOMPARE(inChild([&] {
                     std::signal(SIGXFSZ, SIG_IGN);
                     const rlimit lim{150, 150};
                     ::setrlimit(RLIMIT_FSIZE, &lim);
                     ::_exit(RecordFile(log, LogRecord::kSize)
                                 .appendAtCount(record(LogRecord::kSize, 'y', 2))
                                 .ok);
                 }),
                 0);
        QCOMPARE(fileBytes(log), logBefore);
    }

    void fullDiskMidRecordPutsBackWhatWasThere() {
        const QString path = m_dir.filePath(QStringLiteral("full.tst"));
        RecordFile file(path, TestRecord::kSize);
        for (int n = 1; n <= 3; ++n)
            QVERIFY(file.write(n, record(TestRecord::kSize, char('a' + n), n)));
        const QByteArray before = fileBytes(path);

        IoFaults::current().writeLimit = 700;
        IoFaults::current().writeErrno = ENOSPC;
        const IoStatus inPlace = file.write(2, record(TestRecord::kSize, 'Z', 9));
        const IoStatus append = file.write(4, record(TestRecord::kSize, 'Z', 9));
        IoFaults::clear();
        QVERIFY(!inPlace.ok);
        QVERIFY(!append.ok);
        QVERIFY2(inPlace.message(QStringLiteral("Could not save")).contains(path),
                 qPrintable(inPlace.reason));
        QCOMPARE(fileBytes(path), before);

        // a first write that fails leaves no empty file behind
        const QString fresh = m_dir.filePath(QStringLiteral("fresh.tst"));
        IoFaults::current().writeLimit = 0;
        QVERIFY(!RecordFile(fresh, TestRecord::kSize).write(1, record(TestRecord::kSize, 'a', 1)));
        QVERIFY(!QFile::exists(fresh));
    }

    void filesWhereFoldersShouldBe() {
        const QString notAFolder = m_dir.filePath(QStringLiteral("tests"));
        QFile f(notAFolder);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const IoStatus st = RecordFile(notAFolder + QStringLiteral("/a.tst"), TestRecord::kSize)
                                .write(1, record(TestRecord::kSize, 'a', 1));
        QVERIFY(!st.ok);
        QCOMPARE(QFileInfo(notAFolder).size(), 0);

        IoFaults::current().openErrno = EACCES; // a read-only file or folder
        const QString ro = m_dir.filePath(QStringLiteral("ro.log"));
        const IoStatus denied =
            RecordFile(ro, LogRecord::kSize).appendAtCount(record(LogRecord::kSize, 'a', 1));
        QVERIFY(!denied.ok);
        QVERIFY(denied.reason.contains(QStringLiteral("ermission")));
        QVERIFY(!QFile::exists(ro));
    }

    void twentyWritersAppendingAtOnceLoseNothing() {
        const QString log = m_dir.filePath(QStringLiteral("race.log"));
        std::vector<pid_t> children;
        for (int w = 0; w < 20; ++w) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                RecordFile f(log, LogRecord::kSize);
                for (int i = 0; i < 50; ++i) {
                    if (!f.appendAtCount(record(LogRecord::kSize, char('A' + w), w * 100 + i)))
                        ::_exit(1);
                }
                ::_exit(0);
            }
            children.push_back(pid);
        }
        for (pid_t pid : children) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const QByteArray all = fileBytes(log);
        QCOMPARE(all.size(), 1000 * LogRecord::kSize);
        QSet<int> tags;
        for (int r = 0; r < 1000; ++r) {
            const QByteArray rec = all.mid(r * LogRecord::kSize, LogRecord::kSize);
            const char fill = rec.back();
            const int tag = rec.left(rec.indexOf(fill)).toInt();
            QCOMPARE(rec.count(fill),
                     LogRecord::kSize - QByteArray::number(tag).size()); // whole, not mixed
            tags.insert(tag);
        }
        QCOMPARE(tags.size(), 1000);
    }

    void killedWriterLeavesOnlyWholeRecords() {
        const QString path = m_dir.filePath(QStringLiteral("killed.tst"));
        for (int round = 0; round < 5; ++round) {
            QFile::remove(path);
            const pid_t pid = ::fork();
            if (pid == 0) {
                RecordFile f(path, TestRecord::kSize);
                for (int n = 1;; n = n % 500 + 1)
                    f.write(n, record(TestRecord::kSize, char('a' + n % 26), n));
            }
            ::usleep(20000 + round * 7000);
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            const QByteArray all = fileBytes(path);
            QCOMPARE(all.size() % TestRecord::kSize, 0);
            for (int r = 0; r < all.size() / TestRecord::kSize; ++r) {
                const QByteArray rec = all.mid(r * TestRecord::kSize, TestRecord::kSize);
                QCOMPARE(rec.count(rec.back()),
                         TestRecord::kSize - QByteArray::number(r + 1).size());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestStorageFaults)
#include "tst_storage_faults.moc"
