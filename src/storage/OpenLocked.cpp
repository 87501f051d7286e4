#include "OpenLocked.h"

#include "FileNames.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <QCoreApplication>
#include <QSet>
#include <sys/file.h>
#include <unistd.h>

namespace storage {

namespace {

using fileio::Fd;

// Never waits on a FIFO or becomes a terminal's controlling process.
constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
// A file replaced this often while its opener waited for the lock is being
// replaced on purpose; the opener gives up rather than loop.
constexpr int kOpenAttempts = 100;

QString quoted(const QString& name) {
    return QLatin1Char('"') + filename::shown(name) + QLatin1Char('"');
}

QString shownName(const QByteArray& native) {
    return quoted(filename::fromNative(native));
}

QString ownerName(uid_t uid) {
    struct passwd pw {};
    struct passwd* found = nullptr;
    char buf[1024];
    if (::getpwuid_r(uid, &pw, buf, sizeof buf, &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

// Whether a journal with status `journal` may stand for the file with status
// `file`: its owner's or this user's, and changed by no one who may not
// change the file itself.
bool counts(const struct stat& journal, const struct stat& file) {
    if (journal.st_uid != file.st_uid && journal.st_uid != ::geteuid())
        return false;
    if (journal.st_mode & S_IWOTH)
        return false;
    return !(journal.st_mode & S_IWGRP) ||
           (journal.st_gid == file.st_gid && (file.st_mode & S_IWGRP));
}

Settled failed(int err, bool fileIntact = false) {
    Settled s{Settled::Failed};
    s.err = err;
    s.fileIntact = fileIntact;
    return s;
}

} // namespace

Settled passedOver(const struct stat& st) {
    // Known by its inode and when it was made or last changed hands.
    static QSet<QByteArray> told;
    Settled s{Settled::Untrusted};
    s.owner = st.st_uid;
    const QByteArray key = QByteArray::number(quint64(st.st_dev)) + ' ' +
                           QByteArray::number(quint64(st.st_ino)) + ' ' +
                           QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.' +
                           QByteArray::number(qint64(st.st_ctim.tv_nsec));
    s.firstNotice = !told.contains(key);
    told.insert(key);
    return s;
}

namespace {

Settled setAside(const QByteArray& journal, const char* suffix, Settled::What what) {
    Settled s{what};
    s.keptAs = journalfile::setAside(journal, suffix);
    return s.keptAs.isEmpty() ? failed(errno) : s;
}

// The file's bytes where the journal's write went, as far as the file goes.
bool heldBytes(int fd, std::int64_t length, const RollbackJournal& journal, int recordLength,
               QByteArray* held) {
    const std::int64_t size = journal.writeSize(recordLength);
    if (journal.offset >= length || size <= 0)
        return true;
    held->resize(static_cast<qsizetype>(std::min(size, length - journal.offset)));
    std::size_t got = 0;
    if (!fileio::readAt(fd, held->data(), std::size_t(held->size()), journal.offset, &got))
        return false;
    held->truncate(qsizetype(got));
    return true;
}

Settled apply(int fd, const QByteArray& native, const QByteArray& path,
              const RollbackJournal& journal) {
    Fd writable;
    int wfd = fd;
    if ((::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY) {
        writable.reset(::open(native.constData(), O_RDWR | kOpenFlags));
        if (!writable.valid())
            return failed(errno);
        if (!fileio::sameFile(writable.get(), native) || !fileio::sameFile(fd, native))
            return failed(ESTALE);
        wfd = writable.get();
    }
    if (!undoWrite(wfd, journal))
        return failed(errno);
    // Put back, the file can be read; a journal left now only undoes the
    // same again, but no write may come before it goes.
    if (!journalfile::remove(path))
        return failed(errno, true);
    return Settled{Settled::Applied};
}

} // namespace

bool undoWrite(int fd, const RollbackJournal& journal) {
    if (!journal.oldBytes.isEmpty() &&
        !fileio::writeAt(fd, journal.oldBytes.constData(),
                         static_cast<std::size_t>(journal.oldBytes.size()), journal.offset, true))
        return false;
    return ::ftruncate(fd, static_cast<off_t>(journal.oldLength)) == 0 && fileio::sync(fd, true);
}

Settled settleJournal(int fd, const QByteArray& native, const QByteArray& path, int recordLength) {
    struct stat file {
    }, st{};
    if (::fstat(fd, &file) != 0)
        return failed(errno);
    if (::lstat(path.constData(), &st) != 0)
        return errno == ENOENT ? Settled{} : failed(errno);
    if (!counts(st, file))
        return passedOver(st);
    if (!S_ISREG(st.st_mode))
        return Settled{Settled::NotAJournal};
    RollbackJournal journal;
    RollbackJournal::Kind kind{};
    if (!journalfile::read(path, &journal, &kind, &st))
        return errno == ENOENT ? Settled{} : failed(errno); // cleared by another opener meanwhile
    if (!counts(st, file))
        return passedOver(st);
    switch (kind) {
    case RollbackJournal::Kind::Foreign:
        return Settled{Settled::NotAJournal};
    case RollbackJournal::Kind::CutShort:
        return journalfile::remove(path) ? Settled{Settled::Removed} : failed(errno, true);
    case RollbackJournal::Kind::Damaged:
        return setAside(path, ".damaged", Settled::Damaged);
    case RollbackJournal::Kind::Whole:
        break;
    }
    QByteArray held;
    if (!heldBytes(fd, file.st_size, journal, recordLength, &held))
        return failed(errno);
    if (!journal.names(file, fileio::bornOf(fd)) ||
        !journal.couldHaveLeft(file.st_size, held, recordLength))
        return setAside(path, ".stale", Settled::Stale);
    return apply(fd, native, path, journal);
}

namespace {

IoStatus failureOf(int err, const QString& name, const QString& path);

// What the user is told of `s`, met at `journal` beside the file `path`
// opened for `purpose`; success when the open goes on.
IoStatus statusOf(const Settled& s, const QByteArray& journal, const QString& path,
                  OpenFor purpose) {
    const QString name = shownName(journal);
    switch (s.what) {
    case Settled::Nothing:
    case Settled::Applied:
    case Settled::Removed:
        return IoStatus::success();
    case Settled::Stale:
        return IoStatus::failure(
            path, QCoreApplication::translate(
                      "RecordFile",
                      "The journal %1 of an interrupted save does not match the file, which was "
                      "replaced, restored from a copy or changed since. It was not applied and is "
                      "kept as %2; nothing was changed, try again.")
                      .arg(name, shownName(s.keptAs)));
    case Settled::Damaged:
        return IoStatus::failure(
            path, QCoreApplication::translate(
                      "RecordFile",
                      "The journal %1 of an interrupted save is damaged, so the save cannot be "
                      "undone and the file may hold part of it. The journal is kept as %2; check "
                      "the file and try again.")
                      .arg(name, shownName(s.keptAs)));
    case Settled::Untrusted:
        if (s.firstNotice)
            notify(QCoreApplication::translate(
                       "RecordFile",
                       "The journal %1 of %2 was not applied: it belongs to %3, who does not own "
                       "the file, or other users may change it. It is left as it is.")
                       .arg(name, shownName(filename::toNative(path)), ownerName(s.owner)));
        return IoStatus::success();
    case Settled::NotAJournal:
        if (purpose != OpenFor::Writing)
            return IoStatus::success();
        return IoStatus::failure(
            path, QCoreApplication::translate("RecordFile",
                                              "%1 stands where this file's journal goes and is not "
                                              "one; move it away to save.")
                      .arg(name));
    case Settled::Failed:
        break;
    }
    if (s.fileIntact && purpose != OpenFor::Writing)
        return IoStatus::success();
    return failureOf(s.err, name, path);
}

IoStatus failureOf(int err, const QString& name, const QString& path) {
    if (err == EROFS)
        return IoStatus::failure(
            path, QCoreApplication::translate(
                      "RecordFile",
                      "The journal %1 of an interrupted save can be neither applied nor set aside "
                      "on a read-only medium. Copy the file and the journal to a writable folder "
                      "and open the file there.")
                      .arg(name));
    if (err == EACCES || err == EPERM)
        return IoStatus::failure(
            path, QCoreApplication::translate("RecordFile",
                                              "The journal %1 left by an interrupted save must be "
                                              "removed by its owner (%2).")
                      .arg(name, fileio::errorText(err)));
    return IoStatus::failure(path, QCoreApplication::translate("RecordFile", "The journal %1: %2")
                                       .arg(name, fileio::errorText(err)));
}

// Opens and locks the file once; `replaced` when the name named another file
// by the time the lock was taken.
IoStatus openOnce(const QByteArray& native, const QString& path, OpenFor purpose, LockedFile* file,
                  bool* replaced) {
    const bool reading = purpose == OpenFor::Reading;
    if (fileio::IoSeam* const s = fileio::seam()) {
        using Call = fileio::IoSeam::Call;
        if (const int err = s->failure(reading ? Call::OpenForReading : Call::OpenForWriting))
            return IoStatus::systemFailure(path, err);
    }
    file->fd.reset(::open(native.constData(), (reading ? O_RDONLY : O_RDWR) | kOpenFlags));
    if (!file->fd.valid()) {
        const int err = fileio::openError(native);
        struct stat st {};
        if (purpose == OpenFor::Writing && err == ENOENT) {
            file->missing = ::lstat(native.constData(), &st) != 0;
            // Something stands at the name after all: another writer made the
            // file since the open looked, so open again. Only a link to
            // nothing is no place for a new file.
            *replaced =
                !file->missing && (!S_ISLNK(st.st_mode) || ::stat(native.constData(), &st) == 0);
            if (file->missing || *replaced)
                return IoStatus::success();
        }
        return IoStatus::systemFailure(path, err);
    }
    struct stat st {};
    if (::fstat(file->fd.get(), &st) != 0)
        return IoStatus::systemFailure(path, errno);
    if (const int err = fileio::kindError(st))
        return IoStatus::systemFailure(path, err);
    if (!fileio::lock(file->fd.get(), reading ? LOCK_SH : LOCK_EX))
        return IoStatus::systemFailure(path, errno);
    // Removed or replaced while this waited for the lock: a write here
    // would be lost with the old file.
    *replaced = !fileio::sameFile(file->fd.get(), native);
    return IoStatus::success();
}

// The names the journals of the file with status `st` and own journal
// `primary` may have: its own and, for a file with other names (hard links)
// in its folder, theirs, so that a save cut short before another name was
// made is found through every name.
QList<QByteArray> journalNamesOf(const QByteArray& primary, const struct stat& st) {
    QList<QByteArray> names = journalfile::namesOf(primary, st.st_uid);
    if (st.st_nlink < 2)
        return names;
    const QByteArray folder = primary.left(primary.size() - fileio::baseName(primary).size());
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
    while (const dirent* entry = dir ? ::readdir(dir.get()) : nullptr) {
        const QByteArray other = folder + entry->d_name;
        struct stat ost {};
        if (::lstat(other.constData(), &ost) == 0 && ost.st_dev == st.st_dev &&
            ost.st_ino == st.st_ino && RollbackJournal::pathForRealFile(other) != primary)
            names += journalfile::namesOf(RollbackJournal::pathForRealFile(other), st.st_uid);
    }
    return names;
}

QList<QByteArray> presentOf(const QList<QByteArray>& names) {
    QList<QByteArray> present;
    for (const QByteArray& name : names) {
        if (journalfile::presence(name) != journalfile::Presence::None)
            present.append(name);
    }
    return present;
}

// The journal set aside for the file whose journal is `primary`, if any.
QByteArray setAsideOf(const QByteArray& primary) {
    for (const char* suffix : {".stale", ".damaged"}) {
        if (journalfile::presence(primary + suffix) != journalfile::Presence::None)
            return primary + suffix;
    }
    return {};
}

// Refuses what must not go on in the file once its journals are dealt with.
IoStatus usable(const struct stat& st, const QString& path, const QByteArray& primary,
                int recordLength, OpenFor purpose) {
    if (purpose == OpenFor::Writing && st.st_nlink > 1)
        return IoStatus::failure(
            path, QCoreApplication::translate(
                      "RecordFile",
                      "The file has other names (hard links), through which a save cut short "
                      "could not be put back, so it is not saved. Copy it to a file of its own "
                      "and save that."));
    const QByteArray aside =
        purpose == OpenFor::Repair || recordLength <= 0 || st.st_size % recordLength == 0
            ? QByteArray()
            : setAsideOf(primary);
    if (!aside.isEmpty())
        return IoStatus::failure(
            path, QCoreApplication::translate(
                      "RecordFile",
                      "The file ends in a record cut short by an interrupted save that could not "
                      "be undone; its journal is kept as %1. Run \"quizdex-tool repair\" on the "
                      "file to move the cut record aside.")
                      .arg(shownName(aside)));
    return IoStatus::success();
}

} // namespace

IoStatus openLocked(const QByteArray& native, const QString& path, int recordLength,
                    OpenFor purpose, LockedFile* file) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        bool replaced = false;
        const IoStatus opened = openOnce(native, path, purpose, file, &replaced);
        if (!opened || file->missing)
            return opened;
        if (replaced)
            continue;
        const int fd = file->fd.get();
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return IoStatus::systemFailure(path, errno);
        // Resolved once: each resolution walks the path's links anew, and a
        // run reads a record per question.
        const QByteArray primary = RollbackJournal::pathFor(native);
        const QList<QByteArray> present = presentOf(journalNamesOf(primary, st));
        // Only the exclusive lock keeps a writer away while a journal is applied.
        if (purpose == OpenFor::Reading && !present.isEmpty()) {
            if (!fileio::lock(fd, LOCK_EX))
                return IoStatus::systemFailure(path, errno);
            if (!fileio::sameFile(fd, native))
                continue;
        }
        file->journal = primary;
        for (const QByteArray& journal : present) {
            const Settled s = settleJournal(fd, native, journal, recordLength);
            if (const IoStatus status = statusOf(s, journal, path, purpose); !status)
                return status;
            if (journal == primary && s.what == Settled::Untrusted)
                file->journal = journalfile::ownName(primary); // not this user's to move
        }
        // A journal applied changed the file's length.
        if (!present.isEmpty() && ::fstat(fd, &st) != 0)
            return IoStatus::systemFailure(path, errno);
        file->length = st.st_size;
        return usable(st, path, primary, recordLength, purpose);
    }
    return IoStatus::systemFailure(path, ESTALE);
}

bool needsSettling(const QByteArray& native, const struct stat& st, int recordLength) {
    if (recordLength > 0 && st.st_size % recordLength != 0)
        return true;
    return !presentOf(journalNamesOf(RollbackJournal::pathFor(native), st)).isEmpty();
}

QString journalsNotAppliedIn(const QString& folder) {
    return QCoreApplication::translate(
               "RecordFile",
               "These journals of interrupted saves in %1 were not applied; look at their files, "
               "then delete them:")
        .arg(quoted(folder));
}

QString notAppliedLine(const Settled& s, const QByteArray& journal) {
    const QString name = shownName(fileio::baseName(journal));
    switch (s.what) {
    case Settled::Stale:
        return QCoreApplication::translate(
                   "RecordFile",
                   "%1 does not match its file (replaced, restored or changed since), kept as %2")
            .arg(name, shownName(fileio::baseName(s.keptAs)));
    case Settled::Damaged:
        return QCoreApplication::translate("RecordFile", "%1 is damaged, kept as %2")
            .arg(name, shownName(fileio::baseName(s.keptAs)));
    case Settled::Untrusted:
        return QCoreApplication::translate(
                   "RecordFile", "%1 belongs to %2 or other users may change it, left as it is")
            .arg(name, ownerName(s.owner));
    default:
        return QCoreApplication::translate("RecordFile", "%1: %2")
            .arg(name, fileio::errorText(s.err));
    }
}

} // namespace storage
