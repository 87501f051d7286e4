#pragma once

#include "IoResult.h"
#include "RecordLimits.h"

#include <cstdint>
#include <QByteArray>
#include <QString>

namespace storage {

// A file of fixed-length records. Every operation opens the file, does its work
// and closes it again; nothing stays open between operations. Only regular
// files (or links to them) are opened: a FIFO, a socket or a device is refused
// without waiting on it. Every operation opens the file through openLocked(),
// so a write that a kill or a power cut interrupted is undone first (see
// RollbackJournal), and a journal that does not prove its write on this file
// is never applied.
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
    // file is an error and is not created. `length`, when given, receives the
    // file's length as the read found it, under the same lock.
    IoResult<QByteArray> read(int n, std::int64_t* length = nullptr) const;
    // `count` records from record `first`, in one read, as read() gives each.
    // A failed read holds the whole records read before the failure.
    IoResult<QByteArray> readRecords(int first, int count, std::int64_t* length = nullptr) const;

    // Writes `record` (exactly one record length) at record n, creating the
    // file when missing (whole: a new file appears with its first record, or
    // not at all). The record goes down whole or not at all, also when
    // the process is killed or the power fails: a write that cannot complete
    // puts back what the file held before, and one that is interrupted is put
    // back by whoever opens the file next. A record that holds `record`
    // already is not written again. A file with other names (hard links) is
    // not written: a journal made through one name is not found through the
    // others.
    IoStatus write(int n, const QByteArray& record);

    // Under an exclusive lock on the file: counts the records, then writes
    // `records` (one or more whole records, in one journalled write) from
    // count + 1 on, so that concurrent appenders never share a slot. The
    // result is the number of the first record written. A file holds at most
    // `maxRecords`.
    IoResult<int> appendAtCount(const QByteArray& records, int maxRecords = kMaxRecordCount);

private:
    IoStatus failure(int err) const;
    // Opens the file for writing, under its lock, and gives back what `write`
    // makes of it; a missing file is made holding `whole()` instead, whole or
    // not at all, and gives back `made`. When another writer makes the file
    // first, theirs is opened.
    template <class Result, class Whole, class Write>
    Result openOrCreate(Whole whole, Result made, Write write);
    IoStatus writeLocked(int fd, const QByteArray& journalPath, std::int64_t offset,
                         const QByteArray& record);

    QString m_path;
    QByteArray m_native; // the path as the system takes it
    int m_recordLength;
};

} // namespace storage
