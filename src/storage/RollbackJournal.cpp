#include "RollbackJournal.h"

#include "FileIo.h"
#include "RecordFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <QtEndian>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kSuffix[] = "-journal";
constexpr qsizetype kSuffixSize = sizeof kSuffix - 1;
// Room left after a shortened journal name for the suffix of a journal set
// aside (".damaged" and a number).
constexpr qsizetype kAsideRoom = 12;
constexpr char kMagic[] = "QDXJRNL2"; // "QDXJRNL" and the version of the layout
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kHeaderSize = kMagicSize + 7 * 8;
constexpr qsizetype kTrailerSize = 8;
// Far above any journal of a record (one record of old bytes).
constexpr qsizetype kMaxJournalSize = 1 << 20;

std::uint64_t checksum(const char* data, qsizetype size) {
    std::uint64_t h = 14695981039346656037ULL; // FNV-1a
    for (qsizetype i = 0; i < size; ++i) {
        h ^= static_cast<unsigned char>(data[i]);
        h *= 1099511628211ULL;
    }
    return h;
}

template <class T> void put(QByteArray& out, T value) {
    char buf[sizeof(T)];
    qToLittleEndian(value, buf);
    out.append(buf, sizeof(T));
}

template <class T> T take(const QByteArray& in, qsizetype at) {
    return qFromLittleEndian<T>(in.constData() + at);
}

QByteArray realPath(const QByteArray& path) {
    std::unique_ptr<char, void (*)(void*)> real(::realpath(path.constData(), nullptr), std::free);
    return real ? QByteArray(real.get()) : QByteArray();
}

} // namespace

QByteArray RollbackJournal::pathFor(const QByteArray& filePath) {
    if (const QByteArray real = realPath(filePath); !real.isEmpty())
        return pathForRealFile(real);
    // No file yet: the real folder and the name.
    const QByteArray name = storage::fileio::baseName(filePath);
    const QByteArray folder = filePath.left(filePath.size() - name.size());
    const QByteArray realFolder = realPath(folder.isEmpty() ? QByteArray(".") : folder);
    if (realFolder.isEmpty())
        return pathForRealFile(filePath);
    return pathForRealFile(realFolder + (realFolder.endsWith('/') ? "" : "/") + name);
}

QByteArray RollbackJournal::pathForRealFile(const QByteArray& filePath) {
    const QByteArray name = storage::fileio::baseName(filePath);
    const QByteArray folder = filePath.left(filePath.size() - name.size());
    if (name.size() + kSuffixSize + kAsideRoom <= NAME_MAX)
        return filePath + kSuffix;
    const QByteArray tag =
        '~' +
        QByteArray::number(checksum(name.constData(), name.size()), 16).rightJustified(16, '0');
    return folder + name.left(NAME_MAX - kSuffixSize - kAsideRoom - tag.size()) + tag + kSuffix;
}

QByteArray RollbackJournal::encode() const {
    QByteArray out;
    const qsizetype total = kHeaderSize + oldBytes.size() + kTrailerSize;
    out.reserve(total);
    out.append(kMagic, kMagicSize);
    put<std::uint64_t>(out, static_cast<std::uint64_t>(total));
    put<std::uint64_t>(out, device);
    put<std::uint64_t>(out, inode);
    put<std::int64_t>(out, born);
    put<std::int64_t>(out, oldLength);
    put<std::int64_t>(out, offset);
    put<std::uint64_t>(out, static_cast<std::uint64_t>(oldBytes.size()));
    out += oldBytes;
    put<std::uint64_t>(out, checksum(out.constData(), out.size()));
    return out;
}

RollbackJournal::Kind RollbackJournal::decode(const QByteArray& bytes, RollbackJournal* journal) {
    const QByteArray magic(kMagic, kMagicSize);
    const qsizetype size = bytes.size();
    if (size < kMagicSize)
        return magic.startsWith(bytes) ? Kind::CutShort : Kind::Foreign;
    if (!bytes.startsWith(magic.left(kMagicSize - 1)))
        return Kind::Foreign;
    if (!bytes.startsWith(magic)) // ours, of a layout this program does not know
        return Kind::Damaged;
    if (size < kMagicSize + 8)
        return Kind::CutShort;
    const std::uint64_t total = take<std::uint64_t>(bytes, kMagicSize);
    if (total < std::uint64_t(kHeaderSize + kTrailerSize) || total > std::uint64_t(kMaxJournalSize))
        return Kind::Damaged;
    if (std::uint64_t(size) < total)
        return Kind::CutShort;
    if (std::uint64_t(size) > total || take<std::uint64_t>(bytes, size - kTrailerSize) !=
                                           checksum(bytes.constData(), size - kTrailerSize))
        return Kind::Damaged;
    RollbackJournal j;
    j.device = take<std::uint64_t>(bytes, 16);
    j.inode = take<std::uint64_t>(bytes, 24);
    j.born = take<std::int64_t>(bytes, 32);
    j.oldLength = take<std::int64_t>(bytes, 40);
    j.offset = take<std::int64_t>(bytes, 48);
    const std::uint64_t oldSize = take<std::uint64_t>(bytes, 56);
    if (oldSize != total - kHeaderSize - kTrailerSize || j.oldLength < 0 || j.offset < 0 ||
        j.offset + std::int64_t(oldSize) > j.oldLength)
        return Kind::Damaged;
    j.oldBytes = bytes.mid(kHeaderSize, static_cast<qsizetype>(oldSize));
    *journal = std::move(j);
    return Kind::Whole;
}

namespace storage::journalfile {

Presence presence(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return Presence::None;
    return S_ISREG(st.st_mode) ? Presence::RegularFile : Presence::Other;
}

bool write(const QByteArray& path, const RollbackJournal& journal) {
    // Never over another file, nor through a link someone left at the name.
    fileio::Fd fd(
        ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid())
        return false;
    const QByteArray bytes = journal.encode();
    return fileio::writeAt(fd.get(), bytes.constData(), static_cast<std::size_t>(bytes.size()),
                           0) &&
           fileio::sync(fd.get()) && fileio::syncFolderOf(path);
}

bool read(const QByteArray& path, RollbackJournal* journal, RollbackJournal::Kind* kind) {
    if (const int err = IoFaults::current().journalReadErrno) {
        errno = err;
        return false;
    }
    fileio::Fd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0)
        return false;
    *kind = RollbackJournal::Kind::Foreign;
    if (!S_ISREG(st.st_mode) || st.st_size > kMaxJournalSize)
        return true;
    QByteArray bytes(static_cast<qsizetype>(st.st_size), '\0');
    std::size_t got = 0;
    if (!fileio::readAt(fd.get(), bytes.data(), static_cast<std::size_t>(bytes.size()), 0, &got))
        return false;
    bytes.truncate(static_cast<qsizetype>(got));
    *kind = RollbackJournal::decode(bytes, journal);
    return true;
}

QByteArray recordFileOf(const QByteArray& path) {
    if (!path.endsWith(kSuffix))
        return {};
    const QByteArray file = path.chopped(kSuffixSize);
    if (RollbackJournal::pathForRealFile(file) == path)
        return file;
    // A shortened name: the file of the folder that gives it.
    const QByteArray folder = path.left(path.size() - fileio::baseName(path).size());
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.isEmpty() ? "." : folder.constData()),
                                            ::closedir);
    while (const dirent* entry = dir ? ::readdir(dir.get()) : nullptr) {
        const QByteArray candidate = folder + entry->d_name;
        if (candidate != path && RollbackJournal::pathForRealFile(candidate) == path)
            return candidate;
    }
    return {};
}

bool remove(const QByteArray& path) {
    if (const int err = IoFaults::current().removeErrno) {
        errno = err;
        return false;
    }
    fileio::trace("unlink", path);
    return ::unlink(path.constData()) == 0 || errno == ENOENT;
}

bool commit(const QByteArray& path) {
    return remove(path) && fileio::syncFolderOf(path);
}

QByteArray setAside(const QByteArray& path, const char* suffix) {
    if (const int err = IoFaults::current().removeErrno) {
        errno = err;
        return {};
    }
    for (int n = 1; n < 100; ++n) {
        const QByteArray aside = path + suffix + (n > 1 ? '.' + QByteArray::number(n) : "");
        int result =
            ::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, aside.constData(), RENAME_NOREPLACE);
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) { // no such rename here
            result = ::link(path.constData(), aside.constData());
            if (result == 0 && ::unlink(path.constData()) != 0) {
                ::unlink(aside.constData());
                return {};
            }
        }
        if (result == 0) {
            fileio::syncFolderOf(path);
            return aside;
        }
        if (errno != EEXIST)
            return {};
    }
    errno = EEXIST;
    return {};
}

} // namespace storage::journalfile
