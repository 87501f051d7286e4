#include "ToolFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/file.h>
#include <unistd.h>

namespace toolfiles {

namespace {

constexpr qsizetype kBufferSize = 1 << 20;

IoStatus failure(const QString& path, int err) {
    return IoStatus::failure(path, QString::fromLocal8Bit(std::strerror(err)));
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The new name stays after a crash only once the folder's entry is on disk.
void syncFolderOf(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

IoStatus readRecords(const QString& path, int recordLength, int count,
                     const std::function<void(int, const QByteArray&)>& each) {
    const RecordFile file(path, recordLength);
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) {
        const IoStatus st = file.read(n, bytes);
        if (!st)
            return st;
        each(n, bytes);
    }
    return IoStatus::success();
}

NewFile::NewFile(QString path) : m_path(std::move(path)) {
    // Beside the file, so that linking it in never crosses file systems; a
    // short name of its own (a long test name leaves no room for a suffix)
    // that does not end in ".tst", so the program never lists it.
    const QByteArray base =
        QFile::encodeName(QFileInfo(m_path).dir().filePath(QStringLiteral(".quizdex-import-"))) +
        QByteArray::number(::getpid());
    for (int attempt = 0; m_fd < 0; ++attempt) {
        m_temp = base + '-' + QByteArray::number(attempt);
        m_fd = ::open(m_temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && (errno != EEXIST || attempt > 1000)) {
            m_status = failure(m_path, errno);
            m_temp.clear();
            return;
        }
    }
}

NewFile::~NewFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
}

IoStatus NewFile::flush() {
    if (m_status && !m_buffer.isEmpty() &&
        !writeAll(m_fd, m_buffer.constData(), static_cast<std::size_t>(m_buffer.size())))
        m_status = failure(m_path, errno);
    m_buffer.clear();
    return m_status;
}

IoStatus NewFile::append(const QByteArray& bytes) {
    if (!m_status)
        return m_status;
    m_buffer.append(bytes);
    return m_buffer.size() >= kBufferSize ? flush() : m_status;
}

IoStatus NewFile::commit(bool* exists) {
    *exists = false;
    if (!flush())
        return m_status;
    if (::fsync(m_fd) != 0 || ::close(m_fd) != 0) {
        m_fd = -1;
        return m_status = failure(m_path, errno);
    }
    m_fd = -1;
    const QByteArray target = QFile::encodeName(m_path);
    int result = ::link(m_temp.constData(), target.constData());
    // Some file systems have no hard links; a rename that refuses to replace
    // does the same there.
    if (result != 0 && errno != EEXIST)
        result = ::renameat2(AT_FDCWD, m_temp.constData(), AT_FDCWD, target.constData(),
                             RENAME_NOREPLACE);
    if (result != 0) {
        *exists = errno == EEXIST;
        return m_status = failure(m_path, errno);
    }
    ::unlink(m_temp.constData()); // gone already after a rename
    m_temp.clear();
    syncFolderOf(m_path);
    return m_status;
}

IoStatus writeOutput(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return IoStatus::failure(path, file.errorString());
    return IoStatus::success();
}

IoStatus readInput(const QString& path, QByteArray& bytes) {
    QFile file;
    const bool opened = path == QLatin1String("-")
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        return IoStatus::failure(path, file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoStatus::failure(path, file.errorString());
    return IoStatus::success();
}

QString sameNameIgnoringCase(const QString& path) {
    const QFileInfo info(path);
    const QStringList entries =
        info.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
        return e.compare(info.fileName(), Qt::CaseInsensitive) == 0;
    });
    return it == entries.end() ? QString() : info.dir().filePath(*it);
}

IoStatus repair(const QString& path, int recordLength, Repair& result) {
    if (QFileInfo(path).isDir())
        return failure(path, EISDIR);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return IoStatus::failure(path, file.errorString());
    // The lock the program's writers take: none of them writes meanwhile.
    while (::flock(file.handle(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return failure(path, errno);
    }
    const std::int64_t length = file.size();
    result.wholeRecords = length / recordLength;
    result.strayBytes = length % recordLength;
    result.strayPath = path + QStringLiteral(".stray");
    if (result.strayBytes == 0)
        return IoStatus::success();

    const std::int64_t keep = length - result.strayBytes;
    QByteArray stray;
    if (file.seek(keep))
        stray = file.read(result.strayBytes);
    if (stray.size() != result.strayBytes)
        return IoStatus::failure(path, file.errorString());
    QFile out(result.strayPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return IoStatus::failure(result.strayPath, out.errorString());
    if (out.write(stray) != stray.size() || !out.flush() || ::fsync(out.handle()) != 0) {
        const IoStatus st = IoStatus::failure(result.strayPath, out.errorString());
        out.remove();
        return st;
    }
    out.close();
    syncFolderOf(result.strayPath);
    if (!file.resize(keep)) {
        QFile::remove(result.strayPath); // the file still holds them
        return IoStatus::failure(path, file.errorString());
    }
    return ::fsync(file.handle()) == 0 ? IoStatus::success() : failure(path, errno);
}

} // namespace toolfiles
