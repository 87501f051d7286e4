// Failed and racing writes: a file keeps its whole earlier records, nothing else.
#include "LogRecord.h"
#include "RecordFile.h"
#include "TestRecord.h"

#include <csignal>
#include <cstring>
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

// A record of `fill` bytes led by its decimal tag, so a mixed record shows.
QByteArray record(int size, char fill, int tag) {
    const QByteArray t = QByteArray::number(tag);
    return t + QByteArray(size - t.size(), fill);
}

int waitFor(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class TestStorageFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void fileSizeLimitStopsARecordHalfWay() {
        // a test question written past the end, and a log entry appended under its lock
        for (const int size : {int(TestRecord::kSize), int(LogRecord::kSize)}) {
            const QString path = m_dir.filePath(QString::number(size));
            RecordFile file(path, size);
            QVERIFY(file.write(1, record(size, 'a', 1)));
            const QByteArray before = fileBytes(path);
            const pid_t pid = ::fork();
            if (pid == 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlim_t limit = before.size() + size / 2;
                const rlimit lim{limit, limit};
                ::setrlimit(RLIMIT_FSIZE, &lim);
                const QByteArray rec = record(size, 'b', 2);
                const IoStatus st =
                    size == TestRecord::kSize ? file.write(2, rec) : file.appendAtCount(rec);
                ::_exit(st.ok || st.reason.isEmpty());
            }
            QCOMPARE(waitFor(pid), 0);
            QCOMPARE(fileBytes(path), before);
        }
    }

    void failedWritesLeaveNothingBehind() {
        const QString notAFolder = m_dir.filePath(QStringLiteral("tests"));
        QVERIFY(QFile(notAFolder).open(QIODevice::WriteOnly));
        QVERIFY(!RecordFile(notAFolder + QStringLiteral("/a.tst"), TestRecord::kSize)
                     .write(1, record(TestRecord::kSize, 'a', 1)));
        QCOMPARE(QFileInfo(notAFolder).size(), 0);

        // a first write that fails leaves no empty file, and says which file and why
        const QString fresh = m_dir.filePath(QStringLiteral("fresh.log"));
        IoFaults::current() = {0, 0, ENOSPC};
        const IoStatus st =
            RecordFile(fresh, LogRecord::kSize).write(1, record(LogRecord::kSize, 'a', 1));
        IoFaults::clear();
        QCOMPARE(st.message(QStringLiteral("Could not save")),
                 QStringLiteral("Could not save \"%1\":\r\n%2")
                     .arg(fresh, QString::fromLocal8Bit(std::strerror(ENOSPC))));
        QVERIFY(!QFile::exists(fresh));
    }

    void twentyWritersAppendingAtOnceLoseNothing() {
        const QString log = m_dir.filePath(QStringLiteral("race.log"));
        for (int w = 0; w < 20; ++w) {
            if (::fork() == 0) {
                RecordFile f(log, LogRecord::kSize);
                int failed = 0;
                for (int i = 0; i < 50; ++i)
                    failed +=
                        !f.appendAtCount(record(LogRecord::kSize, char('A' + w), w * 100 + i));
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
            const int tag = rec.left(rec.indexOf(rec.back())).toInt();
            QCOMPARE(rec.count(rec.back()), rec.size() - QByteArray::number(tag).size());
            tags.insert(tag);
        }
        QCOMPARE(tags.size(), 1000);
    }
};

QTEST_GUILESS_MAIN(TestStorageFaults)
#include "tst_storage_faults.moc"
