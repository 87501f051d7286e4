#pragma once

#include <cstdint>
#include <QByteArray>

// What a write is about to change in a record file. It goes to disk in a
// journal file beside the record file before the write, and is removed once the
// write is on disk; whoever opens the record file after a kill or a power cut
// finds it there and puts the file back as it was. The journal names the file
// it was made for (device, inode, birth time and length), so that it is never
// applied to another file that took the name since, even one that was given
// the inode number of a deleted file.
struct RollbackJournal {
    std::uint64_t device = 0;   // the record file's st_dev...
    std::uint64_t inode = 0;    // ...and st_ino when the write began...
    std::int64_t born = 0;      // ...and its birth time in ns where the system keeps one, else 0
    std::int64_t oldLength = 0; // the file's length before the write
    std::int64_t offset = 0;    // where oldBytes stood
    QByteArray oldBytes;        // what the write overwrites; nothing for an append

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
        CutShort, // its writer was stopped before it was on disk: the file was not touched
        Damaged,  // one of ours at its full length that does not check out
        Foreign,  // not a journal this program wrote
    };
    // The journal's bytes: a recognisable header with the total length, the
    // file's identity, the old bytes and a checksum of all before it.
    QByteArray encode() const;
    static Kind decode(const QByteArray& bytes, RollbackJournal* journal);
};

// The journal files, for RecordFile: errno-style like the calls in FileIo.h.
namespace storage::journalfile {

// What stands at a journal's name.
enum class Presence { None, RegularFile, Other };
Presence presence(const QByteArray& path);
// Writes the journal and flushes it and its folder; false with errno set. A
// file of ours left at the name is replaced; anything else there fails with
// EEXIST and is left alone.
bool write(const QByteArray& path, const RollbackJournal& journal);
// The journal at `path` and what kind it is. False with errno set when it
// cannot be read.
bool read(const QByteArray& path, RollbackJournal* journal, RollbackJournal::Kind* kind);
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
// The record file whose journal is at `path` (both in one folder); empty
// when there is none.
QByteArray recordFileOf(const QByteArray& path);

} // namespace storage::journalfile
