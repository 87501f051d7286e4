#include "RecordFile.h"

#include "FileIo.h"
#include "FileNames.h"
#include "RecordLimits.h"
#include "RollbackJournal.h"
#include "TextRules.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <QCoreApplication>
#include <QList>
#include <QLocale>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using storage::fileio::Fd;

namespace {

// Never waits on a FIFO or becomes a terminal's controlling process.
constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
// The name a first record is written under before it is linked in, when the
// file system cannot make a file without a name: hidden, and ending in
// neither ".tst" nor ".log".
constexpr char kNewFilePrefix[] = ".quizdex-new-";

// Why an open of `native` failed: its errno, or kNotRegular for a special file
// that refused to open (a socket).
int openError(const QByteArray& native) {
    const int err = errno;
    struct stat st {};
    if (err != ENOENT && err != EISDIR && ::stat(native.constData(), &st) == 0 &&
        !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return storage::fileio::kNotRegular;
    return err;
}

// 0 for a regular file, else why it is refused.
int kindError(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return 0;
    return S_ISDIR(st.st_mode) ? EISDIR : storage::fileio::kNotRegular;
}

int kindError(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) != 0 ? errno : kindError(st);
}

// Whether `fd` is still the file that `native` names.
bool sameFile(int fd, const QByteArray& native) {
    struct stat a {
    }, b{};
    return ::fstat(fd, &a) == 0 && ::stat(native.constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

// The file's birth time in ns, or 0 where the file system keeps none.
std::int64_t bornOf(int fd) {
    struct statx stx {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &stx) != 0 || !(stx.stx_mask & STATX_BTIME))
        return 0;
    return std::int64_t(stx.stx_btime.tv_sec) * 1000000000 + stx.stx_btime.tv_nsec;
}

// Whether `journal` was made for the file open on `fd`, as it is now.
bool madeFor(const RollbackJournal& journal, int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    const std::int64_t born = bornOf(fd);
    return std::uint64_t(st.st_dev) == journal.device &&
           std::uint64_t(st.st_ino) == journal.inode && st.st_size >= journal.oldLength &&
           (born == 0 || journal.born == 0 || born == journal.born);
}

QString shownName(const QByteArray& native) {
    return QLatin1Char('"') + storage::filename::shown(storage::filename::fromNative(native)) +
           QLatin1Char('"');
}

// The fix for a journal this user cannot clear.
QString ownerMustRemove(const QByteArray& journal, int err) {
    return QCoreApplication::translate(
               "RecordFile", "The journal %1 left by an interrupted save must be removed by its "
                             "owner (%2).")
        .arg(shownName(journal), storage::fileio::errorText(err));
}

// Puts back what the write that `journal` describes changed in the file open
// for writing on `fd` (under its exclusive lock). False with errno set.
bool undoWrite(int fd, const RollbackJournal& journal) {
    if (!journal.oldBytes.isEmpty() &&
        !storage::fileio::writeAt(fd, journal.oldBytes.constData(),
                                  static_cast<std::size_t>(journal.oldBytes.size()), journal.offset,
                                  true))
        return false;
    return ::ftruncate(fd, static_cast<off_t>(journal.oldLength)) == 0 &&
           storage::fileio::sync(fd, true);
}

// Deals with whatever stands at the journal's name of the file open on `fd`
// under its exclusive lock, before the file is read (`writing` false) or
// written: a journal of an interrupted write to this very file is applied
// and removed; one cut short is removed; one that does not belong is set
// aside and reported. Anything that is not a journal of ours is left alone,
// and stops only a write. `rolledBack` tells whether the file was put back.
IoStatus settleJournal(int fd, const QByteArray& native, const QString& path,
                       const QByteArray& journalPath, bool writing, bool* rolledBack = nullptr) {
    const auto fail = [&](const QString& reason) { return IoStatus::failure(path, reason); };
    const QString notAJournal =
        QCoreApplication::translate(
            "RecordFile", "%1 stands where this file's journal goes and is not one; move it "
                          "away to save.")
            .arg(shownName(journalPath));
    switch (storage::journalfile::presence(journalPath)) {
    case storage::journalfile::Presence::None:
        return IoStatus::success();
    case storage::journalfile::Presence::Other:
        return writing ? fail(notAJournal) : IoStatus::success();
    case storage::journalfile::Presence::RegularFile:
        break;
    }
    RollbackJournal journal;
    RollbackJournal::Kind kind{};
    if (!storage::journalfile::read(journalPath, &journal, &kind)) {
        const int err = errno;
        if (err == ENOENT)
            return IoStatus::success(); // cleared by another opener meanwhile
        return fail(err == EACCES || err == EPERM
                        ? ownerMustRemove(journalPath, err)
                        : QCoreApplication::translate("RecordFile", "The journal %1: %2")
                              .arg(shownName(journalPath), storage::fileio::errorText(err)));
    }
    // A journal that may not be applied is kept under `suffix`, and `why` (with
    // the journal's name and the name it is kept as) is what the user is told.
    const auto setAside = [&](const char* suffix, const QString& why) {
        const QByteArray aside = storage::journalfile::setAside(journalPath, suffix);
        return fail(aside.isEmpty() ? ownerMustRemove(journalPath, errno)
                                    : why.arg(shownName(journalPath), shownName(aside)));
    };
    switch (kind) {
    case RollbackJournal::Kind::Foreign:
        return writing ? fail(notAJournal) : IoStatus::success();
    case RollbackJournal::Kind::CutShort:
        // Its writer stopped before it was on disk, so before the file was
        // touched: the file can be read as it is.
        if (storage::journalfile::remove(journalPath) || !writing)
            return IoStatus::success();
        return fail(ownerMustRemove(journalPath, errno));
    case RollbackJournal::Kind::Damaged:
        return setAside(".damaged",
                        QCoreApplication::translate(
                            "RecordFile",
                            "The journal %1 of an interrupted save is damaged, so the save "
                            "cannot be undone and the file may hold part of it. The "
                            "journal is kept as %2; check the file and try again."));
    case RollbackJournal::Kind::Whole:
        break;
    }
    if (!madeFor(journal, fd))
        return setAside(".stale",
                        QCoreApplication::translate(
                            "RecordFile",
                            "The journal %1 of an interrupted save was made for another "
                            "file of this name, which was replaced or moved since. It was "
                            "not applied and is kept as %2; nothing was changed, try "
                            "again."));
    // This is the journal's own file: put it back.
    Fd writable;
    int wfd = fd;
    if ((::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY) {
        writable.reset(::open(native.constData(), O_RDWR | kOpenFlags));
        if (!writable.valid())
            return fail(errno == EACCES || errno == EPERM || errno == EROFS
                            ? ownerMustRemove(journalPath, errno)
                            : storage::fileio::errorText(errno));
        if (!sameFile(writable.get(), native) || !sameFile(fd, native))
            return fail(storage::fileio::errorText(ESTALE));
        wfd = writable.get();
    }
    if (!undoWrite(wfd, journal))
        return fail(storage::fileio::errorText(errno));
    if (rolledBack)
        *rolledBack = true;
    // Put back, the file can be read; a journal left now only undoes the
    // same again, but no write may come before it goes.
    if (!storage::journalfile::remove(journalPath) && writing)
        return fail(ownerMustRemove(journalPath, errno));
    return IoStatus::success();
}

// Writes a new file's bytes beside its name and links them in, so the file
// appears whole or not at all. EEXIST when another writer made the file first.
// 0, or errno.
int createWhole(const QByteArray& native, const QByteArray& bytes) {
    storage::fileio::PendingFile file(native, kNewFilePrefix);
    if (file.error())
        return file.error();
    if (!storage::fileio::writeAt(file.fd(), bytes.constData(),
                                  static_cast<std::size_t>(bytes.size()), 0) ||
        !storage::fileio::sync(file.fd()))
        return errno;
    if (const auto& hook = IoFaults::current().beforeLinkingIn)
        hook();
    return file.linkIn();
}

// Opens the file for reading under a lock; a write interrupted on it is undone
// first, under the exclusive lock.
IoStatus openLockedForReading(const QByteArray& native, const QString& path, Fd& fd) {
    if (const int err = IoFaults::current().readOpenErrno)
        return IoStatus::systemFailure(path, err);
    for (int attempt = 0;; ++attempt) {
        fd.reset(::open(native.constData(), O_RDONLY | kOpenFlags));
        if (!fd.valid())
            return IoStatus::systemFailure(path, openError(native));
        if (const int err = kindError(fd.get()))
            return IoStatus::systemFailure(path, err);
        storage::fileio::lock(fd.get(), LOCK_SH);
        const QByteArray journal = RollbackJournal::pathFor(native);
        if (storage::journalfile::presence(journal) == storage::journalfile::Presence::None)
            return IoStatus::success();
        storage::fileio::lock(fd.get(), LOCK_EX);
        // Removed or replaced while this waited for the lock: open the new one.
        if (!sameFile(fd.get(), native) && attempt < 100)
            continue;
        return settleJournal(fd.get(), native, path, journal, false);
    }
}

} // namespace

IoFaults& IoFaults::current() {
    static IoFaults faults;
    return faults;
}

RecordFile::RecordFile(QString path, int recordLength)
    : m_path(std::move(path)), m_native(storage::filename::toNative(m_path)),
      m_recordLength(recordLength) {}

IoStatus RecordFile::failure(int err) const {
    return IoStatus::systemFailure(m_path, err);
}

bool RecordFile::exists() const {
    struct stat st {};
    return ::stat(m_native.constData(), &st) == 0;
}

IoResult<std::int64_t> RecordFile::length() const {
    struct stat st {};
    int err = ::stat(m_native.constData(), &st) != 0 ? errno : kindError(st);
    if (err == ENOENT)
        return std::int64_t{0};
    if (err)
        return failure(err);
    if (storage::journalfile::presence(RollbackJournal::pathFor(m_native)) !=
        storage::journalfile::Presence::None) {
        Fd fd;
        const IoStatus settled = openLockedForReading(m_native, m_path, fd);
        if (!settled)
            return settled;
        if (::fstat(fd.get(), &st) != 0)
            return failure(errno);
    }
    return static_cast<std::int64_t>(st.st_size);
}

IoResult<std::int16_t> RecordFile::count() const {
    const IoResult<std::int64_t> len = length();
    if (!len)
        return len.status();
    if (const auto n = storage::rules::recordCountForLength(*len, m_recordLength))
        return *n;
    return IoStatus::failure(m_path, QCoreApplication::translate(
                                         "RecordFile", "The file holds more than 32,767 records."));
}

IoResult<QByteArray> RecordFile::read(int n) const {
    return readRecords(n, 1);
}

IoResult<QByteArray> RecordFile::readRecords(int first, int count) const {
    if (first < 1 || count < 0)
        return IoStatus::failure(m_path,
                                 QCoreApplication::translate("RecordFile", "Bad record number."));
    Fd fd;
    if (const IoStatus opened = openLockedForReading(m_native, m_path, fd); !opened)
        return opened;
    QByteArray buf(static_cast<qsizetype>(count) * m_recordLength, '\0');
    std::size_t got = 0;
    if (!storage::fileio::readAt(fd.get(), buf.data(), static_cast<std::size_t>(buf.size()),
                                 static_cast<std::int64_t>(first - 1) * m_recordLength, &got)) {
        const int err = errno;
        buf.truncate(static_cast<qsizetype>(got - got % m_recordLength));
        return {buf, failure(err)};
    }
    return buf; // bytes past the end stay NUL
}

// Opens the file for writing under an exclusive lock, after undoing a write
// that was interrupted on it; `missing` when there is no file yet.
IoStatus RecordFile::openForWriting(Fd& fd, QByteArray* journal, bool* missing) const {
    *missing = false;
    for (int attempt = 0;; ++attempt) {
        if (const int err = IoFaults::current().openErrno)
            return failure(err);
        fd.reset(::open(m_native.constData(), O_RDWR | kOpenFlags));
        if (!fd.valid()) {
            const int err = openError(m_native);
            struct stat st {};
            // A link to nothing is no place for a new file.
            *missing = err == ENOENT && ::lstat(m_native.constData(), &st) != 0;
            return *missing ? IoStatus::success() : failure(err);
        }
        if (const int err = kindError(fd.get()))
            return failure(err);
        if (!storage::fileio::lock(fd.get(), LOCK_EX))
            return failure(errno);
        // Removed or replaced while this waited for the lock: a write here
        // would be lost with the old file.
        if (!sameFile(fd.get(), m_native) && attempt < 100)
            continue;
        *journal = RollbackJournal::pathFor(m_native);
        return settleJournal(fd.get(), m_native, m_path, *journal, true);
    }
}

IoStatus RecordFile::write(int n, const QByteArray& record) {
    if (n < 1 || record.size() != m_recordLength)
        return IoStatus::failure(m_path, QCoreApplication::translate("RecordFile", "Bad record."));
    const std::int64_t offset = static_cast<std::int64_t>(n - 1) * m_recordLength;
    for (;;) {
        Fd fd;
        QByteArray journal;
        bool missing = false;
        if (const IoStatus opened = openForWriting(fd, &journal, &missing); !opened)
            return opened;
        if (!missing)
            return writeLocked(fd.get(), journal, offset, record);
        const int err = createWhole(m_native, QByteArray(offset, '\0') + record);
        if (err != EEXIST) // else another writer made it first: write into theirs
            return err ? failure(err) : IoStatus::success();
    }
}

IoResult<int> RecordFile::appendAtCount(const QByteArray& records, int maxRecords) {
    const qsizetype adding = records.size() / m_recordLength;
    if (adding < 1 || adding > maxRecords || records.size() % m_recordLength != 0)
        return IoStatus::failure(m_path, QCoreApplication::translate("RecordFile", "Bad record."));
    for (;;) {
        Fd fd;
        QByteArray journal;
        bool missing = false;
        if (const IoStatus opened = openForWriting(fd, &journal, &missing); !opened)
            return opened;
        if (missing) {
            const int err = createWhole(m_native, records);
            if (err == EEXIST) // another writer made it first: append to theirs
                continue;
            if (err)
                return failure(err);
            return 1;
        }
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0)
            return failure(errno);
        const std::int64_t count = storage::rules::roundedRecordCount(st.st_size, m_recordLength);
        if (count > maxRecords - adding)
            return IoStatus::failure(
                m_path,
                QCoreApplication::translate("RecordFile", "The file holds %1 records, its limit.")
                    .arg(QLocale(QLocale::English).toString(maxRecords)));
        const IoStatus written = writeLocked(fd.get(), journal, count * m_recordLength, records);
        if (!written)
            return written;
        return static_cast<int>(count + 1);
    }
}

IoStatus RecordFile::writeLocked(int fd, const QByteArray& journalPath, std::int64_t offset,
                                 const QByteArray& record) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failure(errno);
    RollbackJournal journal;
    journal.device = st.st_dev;
    journal.inode = st.st_ino;
    journal.born = bornOf(fd);
    journal.oldLength = st.st_size;
    journal.offset = offset;
    if (offset < st.st_size) {
        journal.oldBytes.resize(
            static_cast<qsizetype>(std::min<std::int64_t>(record.size(), st.st_size - offset)));
        std::size_t got = 0;
        if (!storage::fileio::readAt(fd, journal.oldBytes.data(),
                                     static_cast<std::size_t>(journal.oldBytes.size()), offset,
                                     &got))
            return failure(errno);
        journal.oldBytes.truncate(static_cast<qsizetype>(got));
    }
    // A record written unchanged is left alone: an author paging through the
    // questions pays for no flush.
    if (journal.oldBytes == record)
        return IoStatus::success();

    // The journal is on disk before the file is touched, and the file is on
    // disk before the journal goes.
    if (!storage::journalfile::write(journalPath, journal)) {
        const int err = errno;
        if (err != EEXIST)
            storage::journalfile::remove(journalPath); // cut short: its file was not touched
        return failure(err);
    }
    if (storage::fileio::writeAt(fd, record.constData(), static_cast<std::size_t>(record.size()),
                                 offset) &&
        storage::fileio::sync(fd, true) && storage::journalfile::commit(journalPath))
        return IoStatus::success();
    const int err = errno;
    // When this fails too, the journal stays and the next opener tries again;
    // the reason of the failed write is what the user needs.
    if (undoWrite(fd, journal))
        storage::journalfile::remove(journalPath);
    return failure(err);
}

int rollBackInterruptedWrites(const QString& folder) {
    QByteArray native = storage::filename::toNative(folder);
    // Journals stand beside the real files, in the real folder.
    if (std::unique_ptr<char, void (*)(void*)> real(::realpath(native.constData(), nullptr),
                                                    std::free);
        real)
        native = real.get();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native.constData()), ::closedir);
    if (!dir)
        return 0;
    QList<QByteArray> journals;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        const QByteArray path = native + '/' + name;
        if (name.endsWith("-journal") &&
            storage::journalfile::presence(path) == storage::journalfile::Presence::RegularFile) {
            journals.append(path);
        } else if (name.startsWith(kNewFilePrefix)) {
            // The first record of a writer killed before it linked it in.
            const QByteArray pid =
                name.mid(qsizetype(sizeof kNewFilePrefix) - 1).split('-').front();
            bool isNumber = false;
            const int id = pid.toInt(&isNumber);
            struct stat st {};
            if (isNumber && id > 0 && ::kill(id, 0) != 0 && errno == ESRCH &&
                ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
                ::unlink(path.constData());
        }
    }
    int rolledBack = 0;
    for (const QByteArray& journal : journals) {
        RollbackJournal decoded;
        RollbackJournal::Kind kind{};
        // Not ours, or unreadable: the file's next opener says so.
        if (!storage::journalfile::read(journal, &decoded, &kind) ||
            kind == RollbackJournal::Kind::Foreign)
            continue;
        const QByteArray file = storage::journalfile::recordFileOf(journal);
        struct stat st {};
        // Journals are named after real files: one whose name is gone, or is
        // now a link, has lost its file.
        if (file.isEmpty() || ::lstat(file.constData(), &st) != 0 || S_ISLNK(st.st_mode)) {
            if (kind == RollbackJournal::Kind::CutShort)
                storage::journalfile::remove(journal);
            else
                storage::journalfile::setAside(journal, ".stale");
            continue;
        }
        // A damaged journal, or one made for another file, is left for the
        // file's next opener, who reports it.
        if (kind == RollbackJournal::Kind::Damaged)
            continue;
        Fd fd(::open(file.constData(), O_RDONLY | kOpenFlags));
        if (!fd.valid() || kindError(fd.get()) != 0 || !storage::fileio::lock(fd.get(), LOCK_EX) ||
            !sameFile(fd.get(), file))
            continue;
        if (kind == RollbackJournal::Kind::Whole && !madeFor(decoded, fd.get()))
            continue;
        bool done = false;
        // What cannot be settled now is reported by the file's next opener.
        if (settleJournal(fd.get(), file, storage::filename::fromNative(file), journal, false,
                          &done) &&
            done)
            ++rolledBack;
    }
    return rolledBack;
}
