#pragma once

#include <cstdint>
#include <optional>
#include <QByteArray>

// What a write is about to change in a record file. It goes to disk in a
// journal file beside the record file before the write, and is removed once the
// write is on disk; whoever opens the record file after a kill or a power cut
// finds it there and puts the file back as it was.
struct RollbackJournal {
    std::int64_t oldLength = 0; // the file's length before the write
    bool fileCreated = false;   // the write made the file: undoing it removes the file
    std::int64_t offset = 0;    // where oldBytes stood
    QByteArray oldBytes;        // what the write overwrites; nothing for an append

    // The journal beside the record file at `filePath` (bytes): its name plus
    // "-journal", which no file list of the program matches; a name too long
    // for that is shortened and made unique by a checksum of the full name.
    static QByteArray pathFor(const QByteArray& filePath);
    static bool isJournalName(const QByteArray& name);

    // The journal's bytes: a fixed header and the old bytes, then a checksum and the total length,
    // so that a journal cut short (its writer killed before it was on disk, when the file was not
    // yet touched) is told apart from a whole one.
    QByteArray encode() const;
    static std::optional<RollbackJournal> decode(const QByteArray& bytes);
};

// The journal files, for RecordFile: errno-style like the calls in FileIo.h.
namespace journalfile {

// A journal file at `path`, whole or not.
bool exists(const QByteArray& path);
// Writes the journal and flushes it and its folder; false with errno set.
bool write(const QByteArray& path, const RollbackJournal& journal);
// The journal at `path`; nullopt for one cut short. False with errno set when
// it cannot be read.
bool read(const QByteArray& path, std::optional<RollbackJournal>* journal);
// Removes the journal; a missing one is fine. The folder is not flushed: a
// journal that a power cut brings back only undoes again what was undone.
bool remove(const QByteArray& path);
// Removes the journal of a write that is complete and flushes the folder: a
// journal brought back by a power cut would undo a save the user was told of.
bool commit(const QByteArray& path);
// The record file whose journal is at `path`; empty when there is none.
QByteArray recordFileOf(const QByteArray& path);

} // namespace journalfile
