#include "RollbackJournal.h"

#include "FileIo.h"

#include <cerrno>
#include <climits>
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
constexpr char kMagic[] = "QDXJRNL1";
constexpr qsizetype kHeaderSize = 8 + 8 + 8 + 8 + 8;
constexpr qsizetype kTrailerSize = 8 + 8;
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

} // namespace

QByteArray RollbackJournal::pathFor(const QByteArray& filePath) {
    const QByteArray name = fileio::baseName(filePath);
    const QByteArray folder = filePath.left(filePath.size() - name.size());
    if (name.size() + kSuffixSize <= NAME_MAX)
        return filePath + kSuffix;
    const QByteArray tag =
        '~' +
        QByteArray::number(checksum(name.constData(), name.size()), 16).rightJustified(16, '0');
    return folder + name.left(NAME_MAX - kSuffixSize - tag.size()) + tag + kSuffix;
}

bool RollbackJournal::isJournalName(const QByteArray& name) {
    return name.endsWith(kSuffix);
}

QByteArray RollbackJournal::encode() const {
    QByteArray out;
    out.reserve(kHeaderSize + oldBytes.size() + kTrailerSize);
    out.append(kMagic, 8);
    put<std::int64_t>(out, oldLength);
    put<std::uint64_t>(out, fileCreated ? 1 : 0);
    put<std::int64_t>(out, offset);
    put<std::uint64_t>(out, static_cast<std::uint64_t>(oldBytes.size()));
    out += oldBytes;
    put<std::uint64_t>(out, checksum(out.constData(), out.size()));
    put<std::uint64_t>(out, static_cast<std::uint64_t>(out.size() + 8));
    return out;
}

std::optional<RollbackJournal> RollbackJournal::decode(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    if (size < kHeaderSize + kTrailerSize || !bytes.startsWith(QByteArray(kMagic, 8)) ||
        take<std::uint64_t>(bytes, size - 8) != static_cast<std::uint64_t>(size) ||
        take<std::uint64_t>(bytes, size - 16) != checksum(bytes.constData(), size - 16))
        return std::nullopt;
    RollbackJournal j;
    j.oldLength = take<std::int64_t>(bytes, 8);
    j.fileCreated = take<std::uint64_t>(bytes, 16) & 1;
    j.offset = take<std::int64_t>(bytes, 24);
    const std::uint64_t oldSize = take<std::uint64_t>(bytes, 32);
    if (oldSize != static_cast<std::uint64_t>(size - kHeaderSize - kTrailerSize) ||
        j.oldLength < 0 || j.offset < 0 || j.offset + std::int64_t(oldSize) > j.oldLength)
        return std::nullopt;
    j.oldBytes = bytes.mid(kHeaderSize, static_cast<qsizetype>(oldSize));
    return j;
}

namespace journalfile {

bool exists(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

bool write(const QByteArray& path, const RollbackJournal& journal) {
    // Not through a link someone left at the journal's name.
    fileio::Fd fd(
        ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid())
        return false;
    const QByteArray bytes = journal.encode();
    return fileio::writeAt(fd.get(), bytes.constData(), static_cast<std::size_t>(bytes.size()),
                           0) &&
           ::fsync(fd.get()) == 0 && fileio::syncFolderOf(path);
}

bool read(const QByteArray& path, std::optional<RollbackJournal>* journal) {
    journal->reset();
    fileio::Fd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0)
        return errno == ELOOP || errno == ENOENT; // a link in its place is no journal of ours
    if (!S_ISREG(st.st_mode) || st.st_size > kMaxJournalSize)
        return true;
    QByteArray bytes(static_cast<qsizetype>(st.st_size), '\0');
    std::size_t got = 0;
    if (!fileio::readAt(fd.get(), bytes.data(), static_cast<std::size_t>(bytes.size()), 0, &got))
        return false;
    bytes.truncate(static_cast<qsizetype>(got));
    *journal = RollbackJournal::decode(bytes);
    return true;
}

QByteArray recordFileOf(const QByteArray& path) {
    if (!RollbackJournal::isJournalName(path))
        return {};
    const QByteArray file = path.chopped(kSuffixSize);
    if (RollbackJournal::pathFor(file) == path)
        return file;
    // A shortened name: the file of the folder that gives it.
    const QByteArray folder = path.left(path.size() - fileio::baseName(path).size());
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.isEmpty() ? "." : folder.constData()),
                                            ::closedir);
    while (const dirent* entry = dir ? ::readdir(dir.get()) : nullptr) {
        const QByteArray candidate = folder + entry->d_name;
        if (std::strlen(entry->d_name) + kSuffixSize > NAME_MAX &&
            RollbackJournal::pathFor(candidate) == path)
            return candidate;
    }
    return {};
}

bool remove(const QByteArray& path) {
    return ::unlink(path.constData()) == 0 || errno == ENOENT;
}

bool commit(const QByteArray& path) {
    return remove(path) && fileio::syncFolderOf(path);
}

} // namespace journalfile
