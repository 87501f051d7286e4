#include "Recovery.h"

#include "FileIo.h"
#include "FileNames.h"
#include "OpenLocked.h"
#include "RecordKinds.h"
#include "RollbackJournal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storage {

namespace {

using fileio::Fd;

// The folder's entries, with links resolved in the folder's own name: the
// journals stand beside the real files.
struct Folder {
    QByteArray path;
    QList<QByteArray> names;
};

Folder listed(const QString& folder) {
    Folder f{storage::filename::toNative(folder), {}};
    if (std::unique_ptr<char, void (*)(void*)> real(::realpath(f.path.constData(), nullptr),
                                                    std::free);
        real)
        f.path = real.get();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(f.path.constData()), ::closedir);
    while (const dirent* entry = dir ? ::readdir(dir.get()) : nullptr)
        f.names.append(QByteArray(entry->d_name));
    std::sort(f.names.begin(),
              f.names.end()); // what was not applied is told in the order of the names
    return f;
}

// Removes a first record that a writer killed before it linked it in left
// under its pending name (its process gone).
void removeIfPendingOfTheDead(const QByteArray& folder, const QByteArray& name) {
    constexpr qsizetype prefix = sizeof storage::fileio::kPendingPrefix - 1;
    if (!name.startsWith(storage::fileio::kPendingPrefix))
        return;
    bool isNumber = false;
    const int id = name.mid(prefix).split('-').front().toInt(&isNumber);
    struct stat st {};
    const QByteArray path = folder + '/' + name;
    if (isNumber && id > 0 && ::kill(id, 0) != 0 && errno == ESRCH &&
        ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::unlink(path.constData());
}

// The file of one of the program's kinds in the folder that the journal at
// `journal` was made for: the one its name gives while that file is still
// the one it names, else the one with its device and inode (renamed since).
QByteArray ownFileOf(const Folder& folder, const QByteArray& journal) {
    const QByteArray byName = storage::journalfile::recordFileOf(journal);
    RollbackJournal decoded;
    RollbackJournal::Kind kind{};
    struct stat js {
    }, st{};
    const bool whole = storage::journalfile::read(journal, &decoded, &kind, &js) &&
                       kind == RollbackJournal::Kind::Whole;
    // Journals are named after real files: a name that is now a link has lost its file.
    const auto isOwn = [&](const QByteArray& path) {
        Fd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        return fd.valid() && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
               (!whole || decoded.names(st, storage::fileio::bornOf(fd.get())));
    };
    if (!byName.isEmpty() && storage::recordKindOf(byName) && isOwn(byName))
        return byName;
    if (whole && decoded.layout != RollbackJournal::Layout::WithoutIdentity) {
        for (const QByteArray& name : folder.names) {
            if (storage::recordKindOf(name) && isOwn(folder.path + '/' + name))
                return folder.path + '/' + name;
        }
    }
    return {};
}

// Deals with the journal whose file is gone: kept, unless an earlier
// version's writer was cut short while making it.
Settled withoutItsFile(const QByteArray& journal) {
    RollbackJournal decoded;
    RollbackJournal::Kind kind{};
    struct stat st {};
    if (!storage::journalfile::read(journal, &decoded, &kind, &st))
        return Settled{Settled::Nothing};
    if (kind == RollbackJournal::Kind::Foreign)
        return Settled{Settled::NotAJournal};
    // No file to compare owners with: only this user's journals count.
    if (st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)))
        return storage::passedOver(st);
    if (kind == RollbackJournal::Kind::CutShort)
        return storage::journalfile::remove(journal) ? Settled{Settled::Removed}
                                                     : Settled{Settled::Nothing};
    Settled s{kind == RollbackJournal::Kind::Damaged ? Settled::Damaged : Settled::Stale};
    s.keptAs = storage::journalfile::setAside(
        journal, kind == RollbackJournal::Kind::Damaged ? ".damaged" : ".stale");
    if (s.keptAs.isEmpty()) {
        s.what = Settled::Failed;
        s.err = errno;
    }
    return s;
}

Settled recover(const Folder& folder, const QByteArray& journal) {
    const QByteArray file = ownFileOf(folder, journal);
    if (file.isEmpty())
        return withoutItsFile(journal);
    Fd fd(::open(file.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    // What cannot be settled now is reported by the file's next opener.
    if (!fd.valid() || !storage::fileio::lock(fd.get(), LOCK_EX) ||
        !storage::fileio::sameFile(fd.get(), file))
        return Settled{Settled::Nothing};
    return storage::settleJournal(fd.get(), file, journal,
                                  storage::recordKindOf(file)->recordLength);
}

// Whether `name` is the name of a journal of one of the program's kinds of file.
bool isJournalOfOurs(const Folder& folder, const QByteArray& name) {
    if (!storage::journalfile::isJournalName(name))
        return false;
    const QByteArray file = storage::journalfile::recordFileOf(folder.path + '/' + name);
    return storage::journalfile::presence(folder.path + '/' + name) ==
               storage::journalfile::Presence::RegularFile &&
           storage::recordKindOf(file.isEmpty() ? name.left(name.lastIndexOf("-journal")) : file);
}

} // namespace

QString Recovery::message() const {
    if (notApplied.isEmpty())
        return {};
    return (QStringList{storage::journalsNotAppliedIn(folder)} + notApplied)
        .join(QLatin1String("\r\n"));
}

Recovery rollBackInterruptedWrites(const QString& folderPath) {
    const Folder folder = listed(folderPath);
    Recovery report;
    report.folder = storage::filename::fromNative(folder.path);
    for (const QByteArray& name : folder.names) {
        removeIfPendingOfTheDead(folder.path, name);
        if (!isJournalOfOurs(folder, name))
            continue;
        const QByteArray journal = folder.path + '/' + name;
        const Settled s = recover(folder, journal);
        if (s.what == Settled::Applied)
            ++report.rolledBack;
        else if (s.what == Settled::Stale || s.what == Settled::Damaged ||
                 (s.what == Settled::Untrusted && s.firstNotice) || s.what == Settled::Failed)
            report.notApplied.append(storage::notAppliedLine(s, journal));
    }
    return report;
}

} // namespace storage
