#pragma once

#include <cstdint>
#include <QByteArray>
#include <QList>
#include <sys/stat.h>

namespace storage {

// What a write is about to change in a record file. It goes to disk in a
// journal file beside the record file before the write, and is removed once the
// write is on disk; whoever opens the record file after a kill or a power cut
// finds it there and puts the file back as it was. The journal names the file
// it was made for (device, inode, birth time and length) and holds both what
// the write overwrites and what it puts down, so that it is applied only to a
// file in a state that this very write can have left: never to another file
// that took the name, nor to a backup copied over the file since.
struct RollbackJournal {
    // Journals of earlier versions of the program hold less: the second
    // layout has no new bytes, the first not even the file's identity.
    enum class Layout { Current, WithoutNewBytes, WithoutIdentity };
    Layout layout = Layout::Current;
    std::uint64_t device = 0;   // the record file's st_dev...
    std::uint64_t inode = 0;    // ...and st_ino when the write began...
    std::int64_t born = 0;      // ...and its birth time in ns where the system keeps one, else 0
    std::int64_t oldLength = 0; // the file's length before the write
    std::int64_t offset = 0;    // where the write begins
    QByteArray oldBytes;        // what the write overwrites; nothing for an append
    QByteArray newBytes;        // what the write puts down

    // Whether this is the journal of the file with `st` and birth time `born`
    // (0 where unknown); a journal of the first layout names no file.
    bool names(const struct stat& st, std::int64_t born) const;
    // How many bytes from `offset` the write covers: its new bytes, or one
    // record of `recordLength` for a journal of an earlier layout.
    std::int64_t writeSize(int recordLength) const;
    // Whether a file `length` bytes long that holds `held` from `offset` on
    // (writeSize() bytes, fewer where the file ends) is in a state the write
    // can have left: its length between the old length and the end of the
    // write, and each 4 KiB page of the write either as it was or as the
    // write puts it (a kill stops a write between pages; a power cut loses
    // whole pages). An earlier layout, without the new bytes, proves the
    // length only.
    bool couldHaveLeft(std::int64_t length, const QByteArray& held, int recordLength) const;

    // The journal of the record file at `filePath` (bytes): the real file's
    // name plus "-journal" in the real file's folder, links resolved, so that
    // every name of one file gives one journal. No file list of the program
    // matches it; a name too long for that is shortened and made unique by a
    // checksum of the full name.
    static QByteArray pathFor(const QByteArray& filePath);
    // The same for a path whose links are resolved already.
    static QByteArray pathForRealFile(const QByteArray& realPath);

    enum class Kind {
        Whole,    // decodes, its checksum holds
        CutShort, // an earlier version's writer was stopped before it was on disk: the file was not
                  // touched
        Damaged,  // one of ours that does not check out
        Foreign,  // not a journal this program wrote
    };
    // The journal's bytes in the current layout: a recognisable header with
    // the total length, the file's identity, the old and the new bytes and a
    // checksum of all before it.
    QByteArray encode() const;
    static Kind decode(const QByteArray& bytes, RollbackJournal* journal);
};

// The journal files, for the record files: errno-style like the calls in FileIo.h.
namespace journalfile {

// The names a journal of the file with the journal name `primary` and owner
// `owner` may have, in the order they are looked at: the name itself, then
// the file owner's and this user's own (used while another user's journal,
// which cannot be moved, holds the name).
QList<QByteArray> namesOf(const QByteArray& primary, uid_t owner);
// This user's own name beside `primary`.
QByteArray ownName(const QByteArray& primary);
// Whether `name` (without its folder) is a name namesOf() gives.
bool isJournalName(const QByteArray& name);

// What stands at a journal's name.
enum class Presence { None, RegularFile, Other };
Presence presence(const QByteArray& path);
// Writes the journal, readable by its owner only, and flushes it and its
// folder; it appears whole or not at all. False with errno set; EEXIST when
// anything stands at the name, which is left alone.
bool write(const QByteArray& path, const RollbackJournal& journal);
// The journal at `path`, what kind it is and its status (owner, mode). False
// with errno set when it cannot be read.
bool read(const QByteArray& path, RollbackJournal* journal, RollbackJournal::Kind* kind,
          struct stat* st);
// Removes the journal; a missing one is fine. The folder is not flushed: a
// journal that a power cut brings back only undoes again what was undone.
bool remove(const QByteArray& path);
// Removes the journal of a write that is complete and flushes the folder: a
// journal brought back by a power cut would undo a save the user was told of.
bool commit(const QByteArray& path);
// Moves a journal that must not be applied out of the way, under its name
// and `suffix` (".stale", ".damaged"), never over another file; the name it
// took, or empty with errno set.
QByteArray setAside(const QByteArray& path, const char* suffix);
// The record file whose journal is at `path` by its name (both in one
// folder); empty when there is none.
QByteArray recordFileOf(const QByteArray& path);

} // namespace journalfile

} // namespace storage
