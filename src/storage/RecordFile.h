#pragma once

#include "IoResult.h"
#include "RecordLimits.h"

namespace storage::fileio {
class Fd;
}

#include <cstdint>
#include <functional>
#include <QByteArray>
#include <QList>
#include <QString>

// Faults a test can make the record files meet where the machine cannot make
// them (as root, read-only permissions stop nothing). Inactive by default.
struct IoFaults {
    int openErrno = 0;            // opening for writing fails with this
    std::int64_t writeLimit = -1; // writes stop once this many bytes went down in all...
    int writeErrno = 0;           // ...failing with this (ENOSPC, EIO)
    // The process is killed (SIGKILL) once this many bytes went down in all,
    // as a kill or a power cut would cut a write short.
    std::int64_t killAfter = -1;
    std::int64_t written = 0; // bytes written since the faults were set
    // Removing or setting aside a journal fails with this (a journal of
    // another user in a folder this one may not change).
    int removeErrno = 0;
    int journalReadErrno = 0; // reading a journal fails with this
    // Runs when a first write has its file ready beside the name, before it
    // links it in: another writer can be made to come first there.
    std::function<void()> beforeLinkingIn = nullptr;
    // When set, every write and flush of a record file or journal is noted
    // here in order ("write Geo.tst-journal", "fsync Geo.tst-journal",
    // "fsync folder", "fdatasync Geo.tst", "unlink Geo.tst-journal").
    QList<QByteArray>* calls = nullptr;
    int readOpenErrno = 0; // opening for reading fails with this
    static IoFaults& current();
    static void clear() { current() = IoFaults{}; }
};

// A file of fixed-length records. Every operation opens the file, does its work
// and closes it again; nothing stays open between operations. Only regular
// files (or links to them) are opened: a FIFO, a socket or a device is refused
// without waiting on it. A write that a kill or a power cut interrupted is
// undone by the next operation on the file (see RollbackJournal). A journal
// that does not belong to the file (made for a file since replaced, damaged,
// or not a journal at all) is never applied: the operation that meets it sets
// it aside and fails once, saying so.
class RecordFile {
public:
    RecordFile(QString path, int recordLength);

    const QString& path() const { return m_path; }

    // Whether a file of any kind is there (a link to nothing is not).
    bool exists() const;
    // The file's length; 0 for a missing file, which is not created.
    IoResult<std::int64_t> length() const;
    // Length / record length to the nearest whole number, halves to even. A
    // missing file counts 0 and is not created. Fails when the count does not
    // fit in 16 bits or the file cannot be examined.
    IoResult<std::int16_t> count() const;

    // Record n (1-based). Bytes past the end of the file read as NULs. A missing
    // file is an error and is not created.
    IoResult<QByteArray> read(int n) const;
    // `count` records from record `first`, in one read, as read() gives each.
    // A failed read holds the whole records read before the failure.
    IoResult<QByteArray> readRecords(int first, int count) const;

    // Writes `record` (exactly one record length) at record n, creating the
    // file when missing (whole: a new file appears with its first record, or
    // not at all). The record goes down whole or not at all, also when
    // the process is killed or the power fails: a write that cannot complete
    // puts back what the file held before, and one that is interrupted is put
    // back by whoever opens the file next. A record that holds `record`
    // already is not written again.
    IoStatus write(int n, const QByteArray& record);

    // Under an exclusive lock on the file: counts the records, then writes
    // `records` (one or more whole records, in one journalled write) from
    // count + 1 on, so that concurrent appenders never share a slot. The
    // result is the number of the first record written. A file holds at most
    // `maxRecords`.
    IoResult<int> appendAtCount(const QByteArray& records, int maxRecords = kMaxRecordCount);

private:
    IoStatus failure(int err) const;
    IoStatus openForWriting(storage::fileio::Fd& fd, QByteArray* journal, bool* missing) const;
    IoStatus writeLocked(int fd, const QByteArray& journalPath, std::int64_t offset,
                         const QByteArray& record);

    QString m_path;
    QByteArray m_native; // the path as the system takes it
    int m_recordLength;
};

// Undoes every write in `folder` that a kill or a power cut interrupted, as at
// the program's start; returns how many files were put back. A journal whose
// file is gone is set aside; one that does not match its file is left to the
// file's next opener, which reports it. Files that are not journals of this
// program are left alone, whatever their names.
int rollBackInterruptedWrites(const QString& folder);
