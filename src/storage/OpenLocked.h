#pragma once

#include "FileIo.h"
#include "IoResult.h"
#include "RollbackJournal.h"

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

namespace storage {

// What a record file is opened for.
enum class OpenFor {
    Reading, // read only, under a shared lock
    Writing, // read and write under an exclusive lock; refused for a file with
             // other names (hard links) or whose cut record could not be undone
    Repair,  // as for writing, by the repair that mends a cut record
};

// A record file open and locked, with its journals dealt with.
struct LockedFile {
    fileio::Fd fd;
    QByteArray journal;      // where a write's journal goes
    bool missing = false;    // opened for writing, and there is no file yet
    std::int64_t length = 0; // once its journals are dealt with
};

// The one way every reader, writer and the repair open a record file: opens
// `native`, locks it, makes sure the name still names the file it locked,
// and deals with the journals beside it before anything is read or written.
// A journal whose write the file shows interrupted is applied; one that does
// not match the file, or is damaged, is set aside and the call fails once,
// saying so; another user's is passed over and told of once. `path` names
// the file in messages; `recordLength` is its kind's.
IoStatus openLocked(const QByteArray& native, const QString& path, int recordLength,
                    OpenFor purpose, LockedFile* file);

// Whether the file at `native`, with status `st`, needs openLocked() before
// its length can be trusted: a journal stands beside it or a record is cut.
bool needsSettling(const QByteArray& native, const struct stat& st, int recordLength);

// Puts back what the write that `journal` describes changed in the file open
// for writing on `fd` (under its exclusive lock). False with errno set.
bool undoWrite(int fd, const RollbackJournal& journal);

// What became of one journal met beside its file.
struct Settled {
    enum What {
        Nothing,     // none there, or cleared meanwhile
        Applied,     // its write was undone and it was removed
        Removed,     // cut short by an earlier version before the file was touched
        Stale,       // the file is in no state its write can have left: set aside
        Damaged,     // set aside
        Untrusted,   // another user's, or others may change it: passed over
        NotAJournal, // something else stands at the name
        Failed,      // could not be dealt with, for `err`
    } what = Nothing;
    Settled(What w = Nothing) : what(w) {}
    QByteArray keptAs;        // Stale, Damaged: the name it was set aside under
    uid_t owner = 0;          // Untrusted: the journal's owner
    bool firstNotice = false; // Untrusted: not told of before in this process
    int err = 0;              // Failed
    bool fileIntact = false;  // Failed: the file can be read as it is
};
// Deals with the journal at `journal` of the file at `native`, open on `fd`
// under its exclusive lock.
Settled settleJournal(int fd, const QByteArray& native, const QByteArray& journal,
                      int recordLength);

// Another user's journal with status `st`, or one others may change: never
// applied, and told of once in a process.
Settled passedOver(const struct stat& st);

// The texts of the start-up's one message.
QString journalsNotAppliedIn(const QString& folder);
QString notAppliedLine(const Settled& settled, const QByteArray& journal);

} // namespace storage
