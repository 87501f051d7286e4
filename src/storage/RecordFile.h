#pragma once

#include "IoResult.h"

#include <cstdint>
#include <QByteArray>
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
    int readOpenErrno = 0;    // opening for reading fails with this
    static IoFaults& current();
    static void clear() { current() = IoFaults{}; }
};

// A file of fixed-length records. Every operation opens the file, does its work
// and closes it again; nothing stays open between operations. Only regular
// files (or links to them) are opened: a FIFO, a socket or a device is refused
// without waiting on it. A write that a kill or a power cut interrupted is
// undone by the next operation on the file (see RollbackJournal).
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
    // file when missing. The record goes down whole or not at all, also when
    // the process is killed or the power fails: a write that cannot complete
    // puts back what the file held before, and one that is interrupted is put
    // back by whoever opens the file next. A record that holds `record`
    // already is not written again.
    IoStatus write(int n, const QByteArray& record);

    // Under an exclusive lock on the file: counts the records, then writes
    // `record` at count + 1, so that concurrent appenders never share a slot.
    // The result is the record number written.
    IoResult<int> appendAtCount(const QByteArray& record);

private:
    IoStatus failure(int err) const;
    IoStatus writeLocked(int fd, std::int64_t offset, const QByteArray& record, bool created);

    QString m_path;
    QByteArray m_native;  // the path as the system takes it
    QByteArray m_journal; // where a write keeps what it overwrites
    int m_recordLength;
};

// Undoes every write in `folder` that a kill or a power cut interrupted, as at
// the program's start; returns how many files were put back.
int rollBackInterruptedWrites(const QString& folder);
