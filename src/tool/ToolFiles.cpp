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
#include <sys/stat.h>
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

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

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
    // Beside the file, so that linking it in never crosses file systems; the
    // name does not end in ".tst", so the program never lists it.
    const QByteArray base = QFile::encodeName(m_path) + ".part-" + QByteArray::number(::getpid());
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
    const QByteArray native = QFile::encodeName(path);
    Fd fd(::open(native.constData(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0)
        return failure(path, errno);
    while (::flock(fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return failure(path, errno);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return failure(path, errno);
    if (S_ISDIR(st.st_mode))
        return failure(path, EISDIR);
    const std::int64_t length = st.st_size;
    result.wholeRecords = length / recordLength;
    result.strayBytes = length % recordLength;
    result.strayPath = path + QStringLiteral(".stray");
    if (result.strayBytes == 0)
        return IoStatus::success();

    QByteArray stray(static_cast<qsizetype>(result.strayBytes), '\0');
    if (::pread(fd.get(), stray.data(), static_cast<std::size_t>(stray.size()),
                static_cast<off_t>(length - result.strayBytes)) != stray.size())
        return failure(path, errno ? errno : EIO);

    const QByteArray strayNative = QFile::encodeName(result.strayPath);
    {
        Fd out(::open(strayNative.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (out.get() < 0)
            return failure(result.strayPath, errno);
        if (!writeAll(out.get(), stray.constData(), static_cast<std::size_t>(stray.size())) ||
            ::fsync(out.get()) != 0) {
            const int err = errno;
            ::unlink(strayNative.constData());
            return failure(result.strayPath, err);
        }
    }
    syncFolderOf(result.strayPath);
    if (::ftruncate(fd.get(), static_cast<off_t>(length - result.strayBytes)) != 0) {
        const int err = errno;
        ::unlink(strayNative.constData()); // the file still holds them
        return failure(path, err);
    }
    return ::fsync(fd.get()) == 0 ? IoStatus::success() : failure(path, errno);
}

} // namespace toolfiles
