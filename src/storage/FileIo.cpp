#include "FileIo.h"

#include "RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <QCoreApplication>

#include <QList>
#include <sys/file.h>
#include <unistd.h>

namespace storage::fileio {

QString errorText(int err) {
    if (err == kNotRegular)
        return QCoreApplication::translate("FileIo", "Not a regular file");
    return QString::fromLocal8Bit(std::strerror(err));
}

void Fd::reset(int fd) {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

bool lock(int fd, int how) {
    while (::flock(fd, how) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

bool readAt(int fd, char* buf, std::size_t size, std::int64_t offset, std::size_t* got) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t r = ::pread(fd, buf + done, size - done, static_cast<off_t>(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            *got = done;
            return false;
        }
        if (r == 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    *got = done;
    return true;
}

namespace {

// The name of the file open on `fd`, for the trace.
QByteArray nameOf(int fd) {
    char buf[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t n = ::readlink(link.constData(), buf, sizeof buf);
    return n > 0 ? QByteArray(buf, n) : link;
}

bool writeAll(int fd, const char* buf, std::size_t size, std::int64_t offset) {
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

} // namespace

bool writeAt(int fd, const char* buf, std::size_t size, std::int64_t offset, bool undoing) {
    IoFaults& faults = IoFaults::current();
    const auto left = [&faults](std::int64_t limit) {
        return static_cast<std::size_t>(std::max<std::int64_t>(0, limit - faults.written));
    };
    std::size_t allowed = size;
    bool fail = false;
    bool kill = false;
    if (faults.killAfter >= 0 && left(faults.killAfter) <= size) {
        allowed = left(faults.killAfter);
        kill = true;
    }
    if (!undoing && faults.writeLimit >= 0 && left(faults.writeLimit) < allowed) {
        allowed = left(faults.writeLimit);
        fail = true;
        kill = false;
    }
    if (faults.calls)
        trace("write", nameOf(fd));
    if (!writeAll(fd, buf, allowed, offset))
        return false;
    faults.written += static_cast<std::int64_t>(allowed);
    if (kill)
        ::raise(SIGKILL);
    if (fail) {
        errno = faults.writeErrno ? faults.writeErrno : ENOSPC;
        return false;
    }
    return true;
}

bool sync(int fd, bool dataOnly) {
    if (IoFaults::current().calls)
        trace(dataOnly ? "fdatasync" : "fsync", nameOf(fd));
    return (dataOnly ? ::fdatasync(fd) : ::fsync(fd)) == 0;
}

void trace(const char* call, const QByteArray& path) {
    if (QList<QByteArray>* calls = IoFaults::current().calls)
        calls->append(path.isEmpty() ? QByteArray(call) : call + (' ' + baseName(path)));
}

QByteArray baseName(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

bool syncFolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : path.left(slash);
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return true; // a folder without read permission cannot be flushed by anyone
    trace("fsync folder", {});
    return ::fsync(dir.get()) == 0 || errno == EINVAL || errno == ENOTSUP;
}

PendingFile::PendingFile(QByteArray native, const QByteArray& prefix)
    : m_native(std::move(native)) {
    // Beside the name, so that linking it in never crosses file systems.
    const QByteArray name = baseName(m_native);
    const QByteArray folder = m_native.left(m_native.size() - name.size());
    m_fd.reset(::open(folder.isEmpty() ? "." : folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC,
                      0666));
    for (int attempt = 0; !m_fd.valid() && attempt < 1000; ++attempt) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != EEXIST)
            break;
        m_temp = folder + prefix + QByteArray::number(::getpid()) + '-' +
                 QByteArray::number(attempt);
        m_fd.reset(::open(m_temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    }
    if (!m_fd.valid()) {
        m_error = errno;
        m_temp.clear();
    }
}

PendingFile::~PendingFile() {
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
}

int PendingFile::linkIn() {
    int result = 0;
    if (m_temp.isEmpty()) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd.get());
        result =
            ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, m_native.constData(), AT_SYMLINK_FOLLOW);
    } else {
        result = ::link(m_temp.constData(), m_native.constData());
        // Some file systems have no hard links; a rename that refuses to
        // replace does the same there.
        if (result != 0 && errno != EEXIST)
            result = ::renameat2(AT_FDCWD, m_temp.constData(), AT_FDCWD, m_native.constData(),
                                 RENAME_NOREPLACE);
    }
    if (result != 0)
        return errno;
    trace("link", m_native);
    return syncFolderOf(m_native) ? 0 : errno;
}

} // namespace storage::fileio
