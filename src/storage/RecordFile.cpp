#include "RecordFile.h"

#include "TextRules.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// Owns one open descriptor and its advisory lock; both go when it does.
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
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

bool lockFd(int fd, int how) {
    while (::flock(fd, how) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

bool preadAll(int fd, char* buf, std::size_t size, std::int64_t offset, std::size_t* got) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t r = ::pread(fd, buf + done, size - done, static_cast<off_t>(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (r == 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    *got = done;
    return true;
}

bool pwriteRaw(int fd, const char* buf, std::size_t size, std::int64_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t r = ::pwrite(fd, buf + done, size - done, static_cast<off_t>(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (r == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(r);
    }
    return true;
}

bool pwriteAll(int fd, const char* buf, std::size_t size, std::int64_t offset) {
    const IoFaults& faults = IoFaults::current();
    if (faults.writeLimit >= 0 && static_cast<std::int64_t>(size) > faults.writeLimit) {
        if (faults.writeLimit > 0 &&
            !pwriteRaw(fd, buf, static_cast<std::size_t>(faults.writeLimit), offset))
            return false;
        errno = faults.writeErrno ? faults.writeErrno : ENOSPC;
        return false;
    }
    return pwriteRaw(fd, buf, size, offset);
}

// Opens for writing, creating the file when missing; `created` tells whether
// this call made it, so that a failed first write leaves no empty file behind.
int openForWrite(const QByteArray& native, bool* created) {
    *created = false;
    if (const int err = IoFaults::current().openErrno) {
        errno = err;
        return -1;
    }
    for (;;) {
        const int fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        const int made = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (made >= 0) {
            *created = true;
            return made;
        }
        if (errno != EEXIST)
            return -1;
    }
}

} // namespace

IoFaults& IoFaults::current() {
    static IoFaults faults;
    return faults;
}

QString IoStatus::message(const QString& action) const {
    return action + QStringLiteral(" \"") + path + QStringLiteral("\":\r\n") + reason;
}

RecordFile::RecordFile(QString path, int recordLength)
    : m_path(std::move(path)), m_recordLength(recordLength) {}

std::int64_t RecordFile::length(IoStatus* status) const {
    struct stat st {};
    const QByteArray native = QFile::encodeName(m_path);
    if (::stat(native.constData(), &st) != 0) {
        if (errno != ENOENT && status)
            *status = IoStatus::failure(m_path, errnoText(errno));
        return 0;
    }
    if (S_ISDIR(st.st_mode)) {
        if (status)
            *status = IoStatus::failure(m_path, errnoText(EISDIR));
        return 0;
    }
    return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::int16_t> RecordFile::count(IoStatus* status) const {
    IoStatus st;
    const std::int64_t len = length(&st);
    if (!st) {
        if (status)
            *status = st;
        return std::nullopt;
    }
    const auto n = rules::recordCountForLength(len, m_recordLength);
    if (!n && status)
        *status =
            IoStatus::failure(m_path, QStringLiteral("The file holds more than 32,767 records."));
    return n;
}

IoStatus RecordFile::read(int n, QByteArray& out) const {
    if (n < 1)
        return IoStatus::failure(m_path, QStringLiteral("Bad record number."));
    const QByteArray native = QFile::encodeName(m_path);
    Fd fd(::open(native.constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return IoStatus::failure(m_path, errnoText(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode))
        return IoStatus::failure(m_path, errnoText(S_ISDIR(st.st_mode) ? EISDIR : errno));
    lockFd(fd.get(), LOCK_SH);
    QByteArray buf(m_recordLength, '\0');
    std::size_t got = 0;
    if (!preadAll(fd.get(), buf.data(), static_cast<std::size_t>(m_recordLength),
                  static_cast<std::int64_t>(n - 1) * m_recordLength, &got))
        return IoStatus::failure(m_path, errnoText(errno));
    out = buf; // bytes past the end stay NUL
    return IoStatus::success();
}

IoStatus RecordFile::write(int n, const QByteArray& record) {
    if (n < 1 || record.size() != m_recordLength)
        return IoStatus::failure(m_path, QStringLiteral("Bad record."));
    const QByteArray native = QFile::encodeName(m_path);
    bool created = false;
    Fd fd(openForWrite(native, &created));
    if (!fd.valid())
        return IoStatus::failure(m_path, errnoText(errno));
    if (!lockFd(fd.get(), LOCK_EX))
        return IoStatus::failure(m_path, errnoText(errno));
    const IoStatus st =
        writeLocked(fd.get(), static_cast<std::int64_t>(n - 1) * m_recordLength, record);
    if (!st && created)
        ::unlink(native.constData());
    return st;
}

IoStatus RecordFile::appendAtCount(const QByteArray& record, int* written) {
    if (record.size() != m_recordLength)
        return IoStatus::failure(m_path, QStringLiteral("Bad record."));
    const QByteArray native = QFile::encodeName(m_path);
    bool created = false;
    Fd fd(openForWrite(native, &created));
    if (!fd.valid())
        return IoStatus::failure(m_path, errnoText(errno));
    if (!lockFd(fd.get(), LOCK_EX))
        return IoStatus::failure(m_path, errnoText(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return IoStatus::failure(m_path, errnoText(errno));
    const auto count = rules::recordCountForLength(st.st_size, m_recordLength);
    if (!count || *count == 32767)
        return IoStatus::failure(m_path,
                                 QStringLiteral("The file holds 32,767 records, its limit."));
    const IoStatus st2 =
        writeLocked(fd.get(), static_cast<std::int64_t>(*count) * m_recordLength, record);
    if (!st2 && created && st.st_size == 0)
        ::unlink(native.constData());
    if (st2 && written)
        *written = *count + 1;
    return st2;
}

IoStatus RecordFile::writeLocked(int fd, std::int64_t offset, const QByteArray& record) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return IoStatus::failure(m_path, errnoText(errno));
    if (S_ISDIR(st.st_mode))
        return IoStatus::failure(m_path, errnoText(EISDIR));
    const std::int64_t oldSize = st.st_size;

    // Keep what the write may overwrite, to put it back if the write fails.
    QByteArray before;
    if (offset < oldSize) {
        before.resize(
            static_cast<qsizetype>(std::min<std::int64_t>(m_recordLength, oldSize - offset)));
        std::size_t got = 0;
        if (!preadAll(fd, before.data(), static_cast<std::size_t>(before.size()), offset, &got))
            return IoStatus::failure(m_path, errnoText(errno));
        before.truncate(static_cast<qsizetype>(got));
    }

    if (pwriteAll(fd, record.constData(), static_cast<std::size_t>(record.size()), offset))
        return IoStatus::success();

    const int err = errno;
    if (!before.isEmpty())
        pwriteRaw(fd, before.constData(), static_cast<std::size_t>(before.size()), offset);
    if (::ftruncate(fd, static_cast<off_t>(oldSize)) != 0) {
        // Nothing more can be done; the reason of the failed write is what matters.
    }
    return IoStatus::failure(m_path, errnoText(err));
}
