#include "RollbackJournal.h"

#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <QtEndian>
#include <unistd.h>

namespace storage {

namespace {

constexpr char kSuffix[] = "-journal";
constexpr qsizetype kSuffixSize = sizeof kSuffix - 1;
// Room left after a shortened journal name for the suffix of a journal set
// aside (".damaged" and a number).
constexpr qsizetype kAsideRoom = 12;
// "QDXJRNL" and the version of the layout.
constexpr char kMagic[] = "QDXJRNL3";
constexpr char kMagicWithoutNewBytes[] = "QDXJRNL2";
constexpr char kMagicWithoutIdentity[] = "QDXJRNL1";
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kHeaderSize = kMagicSize + 8 * 8;
constexpr qsizetype kTrailerSize = 8;
// Far above any journal of a record (one record of old and one of new bytes).
constexpr qsizetype kMaxJournalSize = 1 << 20;
// A killed write stops at a page boundary; a power cut loses whole pages.
constexpr std::int64_t kPiece = 4096;

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

// How many old bytes a write of `size` bytes at `offset` overwrites in a file
// `oldLength` long.
std::int64_t overwritten(std::int64_t oldLength, std::int64_t offset, std::int64_t size) {
    return offset >= oldLength ? 0 : std::min(size, oldLength - offset);
}

// The first layout: magic, old length, a flag, offset, old size, old bytes,
// a checksum and the total length at the end. Its writer could not tell a
// journal cut short from a damaged one, and took both for cut short.
RollbackJournal::Kind decodeWithoutIdentity(const QByteArray& bytes, RollbackJournal* journal) {
    constexpr qsizetype header = kMagicSize + 4 * 8, trailer = 16;
    const qsizetype size = bytes.size();
    if (size < header + trailer || take<std::uint64_t>(bytes, size - 8) != std::uint64_t(size) ||
        take<std::uint64_t>(bytes, size - 16) != checksum(bytes.constData(), size - 16))
        return RollbackJournal::Kind::CutShort;
    RollbackJournal j;
    j.layout = RollbackJournal::Layout::WithoutIdentity;
    j.oldLength = take<std::int64_t>(bytes, 8);
    j.offset = take<std::int64_t>(bytes, 24);
    const std::uint64_t oldSize = take<std::uint64_t>(bytes, 32);
    if (oldSize != std::uint64_t(size - header - trailer) || j.oldLength < 0 || j.offset < 0 ||
        j.offset > j.oldLength - std::int64_t(oldSize))
        return RollbackJournal::Kind::Damaged;
    j.oldBytes = bytes.mid(header, qsizetype(oldSize));
    *journal = std::move(j);
    return RollbackJournal::Kind::Whole;
}

// The second and the current layout: magic, total length, identity, old
// length, offset, the sizes, the bytes and a checksum of all before it.
RollbackJournal::Kind decodeWithIdentity(const QByteArray& bytes, bool current,
                                         RollbackJournal* journal) {
    const qsizetype header = current ? kHeaderSize : kHeaderSize - 8;
    const qsizetype size = bytes.size();
    if (size < kMagicSize + 8) // an earlier writer stopped: the file was not touched
        return current ? RollbackJournal::Kind::Damaged : RollbackJournal::Kind::CutShort;
    const std::uint64_t total = take<std::uint64_t>(bytes, kMagicSize);
    if (total < std::uint64_t(header + kTrailerSize) || total > std::uint64_t(kMaxJournalSize))
        return RollbackJournal::Kind::Damaged;
    if (std::uint64_t(size) < total) // the current writer links its journals in whole
        return current ? RollbackJournal::Kind::Damaged : RollbackJournal::Kind::CutShort;
    if (std::uint64_t(size) > total || take<std::uint64_t>(bytes, size - kTrailerSize) !=
                                           checksum(bytes.constData(), size - kTrailerSize))
        return RollbackJournal::Kind::Damaged;
    RollbackJournal j;
    j.layout =
        current ? RollbackJournal::Layout::Current : RollbackJournal::Layout::WithoutNewBytes;
    j.device = take<std::uint64_t>(bytes, 16);
    j.inode = take<std::uint64_t>(bytes, 24);
    j.born = take<std::int64_t>(bytes, 32);
    j.oldLength = take<std::int64_t>(bytes, 40);
    j.offset = take<std::int64_t>(bytes, 48);
    const std::uint64_t oldSize = take<std::uint64_t>(bytes, 56);
    const std::uint64_t newSize = current ? take<std::uint64_t>(bytes, 64) : 0;
    const std::uint64_t room = total - header - kTrailerSize; // below 1 MiB: no sum overflows
    if (oldSize > room || newSize > room || oldSize + newSize != room || j.oldLength < 0 ||
        j.offset < 0 || j.offset > INT64_MAX - std::int64_t(room) ||
        (current
             ? std::int64_t(oldSize) != overwritten(j.oldLength, j.offset, std::int64_t(newSize))
             : j.offset > j.oldLength - std::int64_t(oldSize)))
        return RollbackJournal::Kind::Damaged;
    j.oldBytes = bytes.mid(header, qsizetype(oldSize));
    j.newBytes = bytes.mid(header + qsizetype(oldSize), qsizetype(newSize));
    *journal = std::move(j);
    return RollbackJournal::Kind::Whole;
}

} // namespace

bool RollbackJournal::names(const struct stat& st, std::int64_t fileBorn) const {
    if (layout == Layout::WithoutIdentity)
        return true;
    return std::uint64_t(st.st_dev) == device && std::uint64_t(st.st_ino) == inode &&
           (fileBorn == 0 || born == 0 || fileBorn == born);
}

std::int64_t RollbackJournal::writeSize(int recordLength) const {
    return layout == Layout::Current ? newBytes.size() : recordLength;
}

bool RollbackJournal::couldHaveLeft(std::int64_t length, const QByteArray& held,
                                    int recordLength) const {
    const std::int64_t size = writeSize(recordLength);
    // An earlier layout's write was one whole record, where records begin.
    if (layout != Layout::Current && (recordLength <= 0 || offset % recordLength != 0 ||
                                      oldBytes.size() != overwritten(oldLength, offset, size)))
        return false;
    if (offset > INT64_MAX - size || length < oldLength ||
        length > std::max(oldLength, offset + size))
        return false;
    if (layout != Layout::Current)
        return true;
    if (offset > INT64_MAX - size - kPiece)
        return false;
    // Past the old length, a page the write never reached reads as zeros.
    QByteArray old = oldBytes;
    old.resize(qsizetype(size), '\0');
    for (std::int64_t from = offset; from < offset + size;) {
        const std::int64_t to = std::min(offset + size, (from / kPiece + 1) * kPiece);
        const qsizetype begin = qsizetype(from - offset);
        // The piece as far as the file goes: a file cut inside it holds its start.
        const qsizetype end = std::min(qsizetype(to - offset), held.size());
        if (end <= begin) // the file ends before it
            break;
        const QByteArrayView piece = QByteArrayView(held).sliced(begin, end - begin);
        if (piece != QByteArrayView(newBytes).sliced(begin, piece.size()) &&
            piece != QByteArrayView(old).sliced(begin, piece.size()))
            return false;
        from = to;
    }
    return true;
}

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
    const qsizetype total = kHeaderSize + oldBytes.size() + newBytes.size() + kTrailerSize;
    out.reserve(total);
    out.append(kMagic, kMagicSize);
    put<std::uint64_t>(out, static_cast<std::uint64_t>(total));
    put<std::uint64_t>(out, device);
    put<std::uint64_t>(out, inode);
    put<std::int64_t>(out, born);
    put<std::int64_t>(out, oldLength);
    put<std::int64_t>(out, offset);
    put<std::uint64_t>(out, static_cast<std::uint64_t>(oldBytes.size()));
    put<std::uint64_t>(out, static_cast<std::uint64_t>(newBytes.size()));
    out += oldBytes;
    out += newBytes;
    put<std::uint64_t>(out, checksum(out.constData(), out.size()));
    return out;
}

RollbackJournal::Kind RollbackJournal::decode(const QByteArray& bytes, RollbackJournal* journal) {
    if (bytes.startsWith(kMagic))
        return decodeWithIdentity(bytes, true, journal);
    if (bytes.startsWith(kMagicWithoutNewBytes))
        return decodeWithIdentity(bytes, false, journal);
    if (bytes.startsWith(kMagicWithoutIdentity))
        return decodeWithoutIdentity(bytes, journal);
    // Ours, of a layout this program does not know; anything shorter than a
    // whole magic may be anyone's.
    if (bytes.size() >= kMagicSize && bytes.startsWith(QByteArray(kMagic, kMagicSize - 1)))
        return Kind::Damaged;
    return Kind::Foreign;
}

namespace journalfile {

QList<QByteArray> namesOf(const QByteArray& primary, uid_t owner) {
    QList<QByteArray> names{primary, primary + '.' + QByteArray::number(owner)};
    if (const QByteArray own = ownName(primary); !names.contains(own))
        names.append(own);
    return names;
}

QByteArray ownName(const QByteArray& primary) {
    return primary + '.' + QByteArray::number(::geteuid());
}

bool isJournalName(const QByteArray& name) {
    const qsizetype at = name.lastIndexOf(kSuffix);
    if (at <= 0)
        return false;
    const QByteArray rest = name.mid(at + kSuffixSize);
    return rest.isEmpty() ||
           (rest.size() > 1 && rest[0] == '.' &&
            std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

Presence presence(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return Presence::None;
    return S_ISREG(st.st_mode) ? Presence::RegularFile : Presence::Other;
}

bool write(const QByteArray& path, const RollbackJournal& journal) {
    // Linked in once whole, and never over another file or through a link
    // someone left at the name.
    fileio::PendingFile file(path, fileio::kPendingPrefix, 0600);
    if (file.error()) {
        errno = file.error();
        return false;
    }
    const QByteArray bytes = journal.encode();
    if (!fileio::writeAt(file.fd(), bytes.constData(), static_cast<std::size_t>(bytes.size()), 0) ||
        !fileio::sync(file.fd()))
        return false;
    if (const int err = file.linkIn()) {
        errno = err;
        return false;
    }
    return true;
}

bool read(const QByteArray& path, RollbackJournal* journal, RollbackJournal::Kind* kind,
          struct stat* st) {
    if (fileio::IoSeam* const s = fileio::seam()) {
        if (const int err = s->failure(fileio::IoSeam::Call::ReadJournal)) {
            errno = err;
            return false;
        }
    }
    fileio::Fd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid() || ::fstat(fd.get(), st) != 0)
        return false;
    *kind = RollbackJournal::Kind::Foreign;
    if (!S_ISREG(st->st_mode) || st->st_size > kMaxJournalSize)
        return true;
    QByteArray bytes(static_cast<qsizetype>(st->st_size), '\0');
    std::size_t got = 0;
    if (!fileio::readAt(fd.get(), bytes.data(), static_cast<std::size_t>(bytes.size()), 0, &got))
        return false;
    bytes.truncate(static_cast<qsizetype>(got));
    *kind = RollbackJournal::decode(bytes, journal);
    return true;
}

QByteArray recordFileOf(const QByteArray& path) {
    const QByteArray primary = path.left(path.lastIndexOf(kSuffix) + kSuffixSize);
    if (!isJournalName(fileio::baseName(path)) || primary.size() == kSuffixSize)
        return {};
    const QByteArray file = primary.chopped(kSuffixSize);
    if (RollbackJournal::pathForRealFile(file) == primary)
        return file;
    // A shortened name: the file of the folder that gives it.
    const QByteArray folder = path.left(path.size() - fileio::baseName(path).size());
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.isEmpty() ? "." : folder.constData()),
                                            ::closedir);
    while (const dirent* entry = dir ? ::readdir(dir.get()) : nullptr) {
        const QByteArray candidate = folder + entry->d_name;
        if (candidate != primary && RollbackJournal::pathForRealFile(candidate) == primary)
            return candidate;
    }
    return {};
}

namespace {

int removeFailure() {
    fileio::IoSeam* const s = fileio::seam();
    return s ? s->failure(fileio::IoSeam::Call::RemoveJournal) : 0;
}

} // namespace

bool remove(const QByteArray& path) {
    if (const int err = removeFailure()) {
        errno = err;
        return false;
    }
    if (fileio::IoSeam* const s = fileio::seam())
        s->noted("unlink", -1, path);
    return ::unlink(path.constData()) == 0 || errno == ENOENT;
}

bool commit(const QByteArray& path) {
    return remove(path) && fileio::syncFolderOf(path);
}

QByteArray setAside(const QByteArray& path, const char* suffix) {
    if (const int err = removeFailure()) {
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

} // namespace journalfile

} // namespace storage
