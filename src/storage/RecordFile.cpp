#include "RecordFile.h"

#include "FileIo.h"
#include "FileNames.h"
#include "RollbackJournal.h"
#include "RecordLimits.h"
#include "TextRules.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <QList>
#include <QLocale>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using fileio::Fd;

namespace {

// Never waits on a FIFO or becomes a terminal's controlling process.
constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Why an open of `native` failed: its errno, or kNotRegular for a special file
// that refused to open (a socket).
int openError(const QByteArray& native) {
    const int err = errno;
    struct stat st {};
    if (err != ENOENT && err != EISDIR && ::stat(native.constData(), &st) == 0 &&
        !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return fileio::kNotRegular;
    return err;
}

// 0 for a regular file, else why it is refused.
int kindError(const struct stat& st) {
    if (S_ISREG(st.st_mode))
        return 0;
    return S_ISDIR(st.st_mode) ? EISDIR : fileio::kNotRegular;
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

// Opens for writing, creating the file when missing and `create` is set;
// `created` tells whether this call made it.
int openForWrite(const QByteArray& native, bool create, bool* created) {
    *created = false;
    if (const int err = IoFaults::current().openErrno) {
        errno = err;
        return -1;
    }
    for (;;) {
        const int fd = ::open(native.constData(), O_RDWR | kOpenFlags);
        if (fd >= 0 || errno != ENOENT || !create)
            return fd;
        const int made = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | kOpenFlags, 0666);
        if (made >= 0) {
            *created = true;
            return made;
        }
        if (errno != EEXIST)
            return -1;
    }
}

// Puts back what the write that `journal` describes changed in the file open
// on `fd` (under its exclusive lock), and removes the journal. False with errno
// set; the journal then stays for the next try.
bool undoWrite(int fd, const RollbackJournal& journal, const QByteArray& native,
               const QByteArray& journalPath) {
    if (!journal.oldBytes.isEmpty() &&
        !fileio::writeAt(fd, journal.oldBytes.constData(),
                         static_cast<std::size_t>(journal.oldBytes.size()), journal.offset, true))
        return false;
    if (::ftruncate(fd, static_cast<off_t>(journal.oldLength)) != 0 || ::fdatasync(fd) != 0)
        return false;
    if (journal.fileCreated && ::unlink(native.constData()) != 0 && errno != ENOENT)
        return false;
    return journalfile::remove(journalPath);
}

// Opens the file for writing under an exclusive lock, after undoing a write
// that was interrupted on it. 0, or why it cannot be opened.
int openLockedForWriting(const QByteArray& native, const QByteArray& journalPath, bool create,
                         Fd& fd, bool* created, bool* rolledBack = nullptr) {
    for (;;) {
        fd.reset(openForWrite(native, create, created));
        if (!fd.valid())
            return openError(native);
        if (const int err = kindError(fd.get()))
            return err;
        if (!fileio::lock(fd.get(), LOCK_EX))
            return errno;
        // Removed or replaced while this waited for the lock: a write here
        // would be lost with the old file.
        if (!sameFile(fd.get(), native))
            continue;
        if (!journalfile::exists(journalPath))
            return 0;
        std::optional<RollbackJournal> journal;
        // A journal found beside a file this call made belongs to an earlier
        // file of that name, which is gone.
        if (!*created && !journalfile::read(journalPath, &journal))
            return errno;
        if (!journal) // or one cut short before its file was touched
            return journalfile::remove(journalPath) ? 0 : errno;
        if (!undoWrite(fd.get(), *journal, native, journalPath))
            return errno;
        if (rolledBack)
            *rolledBack = true;
        if (!journal->fileCreated)
            return 0;
        // The file went with the write that made it; open again.
    }
}

// Undoes a write that was interrupted on the file, if there is one.
int rollBackInterrupted(const QByteArray& native, const QByteArray& journalPath,
                        bool* rolledBack = nullptr) {
    Fd fd;
    bool created = false;
    const int err = openLockedForWriting(native, journalPath, false, fd, &created, rolledBack);
    return err == ENOENT ? 0 : err;
}

// Opens the file for reading under a shared lock; a write interrupted on it is
// undone first. Without a journal this is a plain open.
int openLockedForReading(const QByteArray& native, const QByteArray& journalPath, Fd& fd) {
    if (const int err = IoFaults::current().readOpenErrno)
        return err;
    for (;;) {
        fd.reset(::open(native.constData(), O_RDONLY | kOpenFlags));
        if (!fd.valid())
            return openError(native);
        if (const int err = kindError(fd.get()))
            return err;
        fileio::lock(fd.get(), LOCK_SH);
        if (!journalfile::exists(journalPath))
            return 0;
        fd.reset(); // the shared lock goes before the exclusive one is taken
        if (const int err = rollBackInterrupted(native, journalPath))
            return err;
    }
}

} // namespace

IoFaults& IoFaults::current() {
    static IoFaults faults;
    return faults;
}

RecordFile::RecordFile(QString path, int recordLength)
    : m_path(std::move(path)), m_native(filename::toNative(m_path)),
      m_journal(RollbackJournal::pathFor(m_native)), m_recordLength(recordLength) {}

IoStatus RecordFile::failure(int err) const {
    IoStatus status = IoStatus::failure(m_path, fileio::errorText(err));
    status.error = err;
    return status;
}

bool RecordFile::exists() const {
    struct stat st {};
    return ::stat(m_native.constData(), &st) == 0;
}

IoResult<std::int64_t> RecordFile::length() const {
    struct stat st {};
    int err = ::stat(m_native.constData(), &st) != 0 ? errno : kindError(st);
    if (!err && journalfile::exists(m_journal)) {
        err = rollBackInterrupted(m_native, m_journal);
        if (!err && ::stat(m_native.constData(), &st) != 0)
            err = errno;
    }
    if (err == ENOENT)
        return std::int64_t{0};
    if (err)
        return failure(err);
    return static_cast<std::int64_t>(st.st_size);
}

IoResult<std::int16_t> RecordFile::count() const {
    const IoResult<std::int64_t> len = length();
    if (!len)
        return len.status();
    if (const auto n = rules::recordCountForLength(*len, m_recordLength))
        return *n;
    return IoStatus::failure(m_path, QStringLiteral("The file holds more than 32,767 records."));
}

IoResult<QByteArray> RecordFile::read(int n) const {
    return readRecords(n, 1);
}

IoResult<QByteArray> RecordFile::readRecords(int first, int count) const {
    if (first < 1 || count < 0)
        return IoStatus::failure(m_path, QStringLiteral("Bad record number."));
    Fd fd;
    if (const int err = openLockedForReading(m_native, m_journal, fd))
        return failure(err);
    QByteArray buf(static_cast<qsizetype>(count) * m_recordLength, '\0');
    std::size_t got = 0;
    if (!fileio::readAt(fd.get(), buf.data(), static_cast<std::size_t>(buf.size()),
                        static_cast<std::int64_t>(first - 1) * m_recordLength, &got)) {
        const int err = errno;
        buf.truncate(static_cast<qsizetype>(got - got % m_recordLength));
        return {buf, failure(err)};
    }
    return buf; // bytes past the end stay NUL
}

IoStatus RecordFile::write(int n, const QByteArray& record) {
    if (n < 1 || record.size() != m_recordLength)
        return IoStatus::failure(m_path, QStringLiteral("Bad record."));
    Fd fd;
    bool created = false;
    if (const int err = openLockedForWriting(m_native, m_journal, true, fd, &created))
        return failure(err);
    return writeLocked(fd.get(), static_cast<std::int64_t>(n - 1) * m_recordLength, record,
                       created);
}

IoResult<int> RecordFile::appendAtCount(const QByteArray& record) {
    if (record.size() != m_recordLength)
        return IoStatus::failure(m_path, QStringLiteral("Bad record."));
    Fd fd;
    bool created = false;
    if (const int err = openLockedForWriting(m_native, m_journal, true, fd, &created))
        return failure(err);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return failure(errno);
    const auto count = rules::recordCountForLength(st.st_size, m_recordLength);
    if (!count || *count == kMaxRecordCount)
        return IoStatus::failure(m_path, QStringLiteral("The file holds %1 records, its limit.")
                                             .arg(QLocale(QLocale::English).toString(kMaxRecordCount)));
    const IoStatus written =
        writeLocked(fd.get(), static_cast<std::int64_t>(*count) * m_recordLength, record, created);
    if (!written)
        return written;
    return *count + 1;
}

IoStatus RecordFile::writeLocked(int fd, std::int64_t offset, const QByteArray& record,
                                 bool created) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failure(errno);
    RollbackJournal journal;
    journal.oldLength = st.st_size;
    journal.fileCreated = created;
    journal.offset = offset;
    if (offset < st.st_size) {
        journal.oldBytes.resize(
            static_cast<qsizetype>(std::min<std::int64_t>(m_recordLength, st.st_size - offset)));
        std::size_t got = 0;
        if (!fileio::readAt(fd, journal.oldBytes.data(),
                            static_cast<std::size_t>(journal.oldBytes.size()), offset, &got))
            return failure(errno);
        journal.oldBytes.truncate(static_cast<qsizetype>(got));
    }
    // A record written unchanged is left alone: an author paging through the
    // questions pays for no flush.
    if (journal.oldBytes == record)
        return IoStatus::success();

    // The journal is on disk before the file is touched, and the file is on
    // disk before the journal goes.
    if (!journalfile::write(m_journal, journal)) {
        const int err = errno;
        journalfile::remove(m_journal); // cut short: its file was not touched
        if (created)
            ::unlink(m_native.constData());
        return failure(err);
    }
    if (fileio::writeAt(fd, record.constData(), static_cast<std::size_t>(record.size()), offset) &&
        ::fdatasync(fd) == 0 && journalfile::commit(m_journal))
        return IoStatus::success();
    const int err = errno;
    // When this fails too, the journal stays and the next opener tries again;
    // the reason of the failed write is what the user needs.
    undoWrite(fd, journal, m_native, m_journal);
    return failure(err);
}

int rollBackInterruptedWrites(const QString& folder) {
    const QByteArray native = filename::toNative(folder);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native.constData()), ::closedir);
    if (!dir)
        return 0;
    QList<QByteArray> journals;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (RollbackJournal::isJournalName(name))
            journals.append(native + '/' + name);
    }
    int rolledBack = 0;
    for (const QByteArray& journal : journals) {
        const QByteArray file = journalfile::recordFileOf(journal);
        bool done = false;
        // A file that cannot be put back now is reported by its next opener.
        if (!file.isEmpty() && rollBackInterrupted(file, journal, &done) == 0 && done)
            ++rolledBack;
    }
    return rolledBack;
}
