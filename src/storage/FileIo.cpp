#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QCoreApplication>
#include <sys/file.h>
#include <unistd.h>

namespace storage::fileio {

QString errorText(int err) {
    if (err == kNotRegular)
        return QCoreApplication::translate("FileIo", "Not a regular file");
    return QString::fromLocal8Bit(std::strerror(err));
}

namespace {
IoSeam* g_seam = nullptr;
} // namespace

void setSeam(IoSeam* seam) {
    g_seam = seam;
}

IoSeam* seam() {
    return g_seam;
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

int kindError(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return 0;
    return S_ISDIR(st.st_mode) ? EISDIR : kNotRegular;
}

int openError(const QByteArray& native) {
    const int err = errno;
    struct stat st {};
    if (err != ENOENT && err != EISDIR && ::stat(native.constData(), &st) == 0 &&
        !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return kNotRegular;
    return err;
}

bool sameFile(int fd, const QByteArray& native) {
    struct stat a {
    }, b{};
    return ::fstat(fd, &a) == 0 && ::stat(native.constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

std::int64_t bornOf(int fd) {
    struct statx stx {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) != 0 || !(stx.stx_mask & STATX_BTIME))
        return 0;
    return std::int64_t(stx.stx_btime.tv_sec) * 1000000000 + stx.stx_btime.tv_nsec;
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
    IoSeam* const s = seam();
    if (!s)
        return writeAll(fd, buf, size, offset);
    s->noted("write", fd, {});
    const std::size_t allowed = std::min(size, s->allowed(offset, size, undoing));
    if (!writeAll(fd, buf, allowed, offset))
        return false;
    if (const int err = s->written(allowed, size)) {
        errno = err;
        return false;
    }
    return true;
}

bool sync(int fd, bool dataOnly) {
    if (IoSeam* const s = seam())
        s->noted(dataOnly ? "fdatasync" : "fsync", fd, {});
    return (dataOnly ? ::fdatasync(fd) : ::fsync(fd)) == 0;
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
    if (IoSeam* const s = seam())
        s->noted("fsync folder", -1, {});
    return ::fsync(dir.get()) == 0 || errno == EINVAL || errno == ENOTSUP;
}

PendingFile::PendingFile(QByteArray native, const QByteArray& prefix, mode_t mode)
    : m_native(std::move(native)) {
    // Beside the name, so that linking it in never crosses file systems.
    const QByteArray name = baseName(m_native);
    const QByteArray folder = m_native.left(m_native.size() - name.size());
    m_fd.reset(
        ::open(folder.isEmpty() ? "." : folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
    for (int attempt = 0; !m_fd.valid() && attempt < 1000; ++attempt) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != EEXIST)
            break;
        m_temp = folder + prefix + QByteArray::number(::getpid()) + '-' +
                 QByteArray::number(attempt);
        m_fd.reset(::open(m_temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
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
        // Renamed in, the file never has two names, which a writer would
        // refuse; where the system cannot rename without replacing, linked.
        result = ::renameat2(AT_FDCWD, m_temp.constData(), AT_FDCWD, m_native.constData(),
                             RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS))
            result = ::link(m_temp.constData(), m_native.constData());
        else if (result == 0)
            m_temp.clear();
    }
    if (result != 0)
        return errno;
    if (IoSeam* const s = seam())
        s->noted("link", -1, m_native);
    return syncFolderOf(m_native) ? 0 : errno;
}

} // namespace storage::fileio
