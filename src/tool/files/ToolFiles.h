#pragma once

#include "FileIo.h"
#include "RecordFile.h"

#include <cstdint>
#include <functional>
#include <QByteArray>
#include <QString>
#include <QStringList>

// The files the tool reads and writes, each whole or not at all.
namespace tool::toolfiles {

// The command line after the program's name, as the program carries file
// names: a byte that is not UTF-8 still names the same file.
QStringList arguments(int argc, const char* const* argv);

// Records 1 to `count` of a record file, read through RecordFile (a record
// past the end of the file reads as NULs, as the program reads it).
storage::IoStatus readRecords(const QString& path, int recordLength, int count,
                              const std::function<void(int, const QByteArray&)>& each);

// A new file that appears whole or not at all, and never in place of another:
// the bytes are written as a pending file beside it, flushed to disk, and
// then linked in under the name, which fails when the name is taken.
class NewFile {
public:
    explicit NewFile(QString path);
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    storage::IoStatus append(const QByteArray& bytes);
    // Links the file in under its name. When a file of the name was there
    // first, fails with `takenReason` and leaves that file alone.
    storage::IoStatus commit(const QString& takenReason);

private:
    storage::IoStatus flush();

    QString m_path;
    storage::fileio::PendingFile m_file;
    std::int64_t m_written = 0;
    QByteArray m_buffer;
    storage::IoStatus m_status;
};

// `bytes` as the file `path`, replacing what it held, whole or not at all.
storage::IoStatus writeOutput(const QString& path, const QByteArray& bytes);
// The whole file, or standard input for "-".
storage::IoResult<QByteArray> readInput(const QString& path);

// A name in the folder of `path` that differs from its name only in letter
// case, or is the same; empty when there is none.
QString sameNameIgnoringCase(const QString& path);

// Whether `path` names a regular file (or a link to one); its length. Names
// that are not valid UTF-8 are taken as the program carries them.
bool isFile(const QString& path);
std::int64_t sizeOf(const QString& path);

struct Repair {
    std::int64_t wholeRecords = 0;
    std::int64_t strayBytes = 0;
    QString strayPath;
};
// Moves the bytes after the last whole record into `path`.stray and only then
// cuts them off, under the lock the program's writers take, once an
// interrupted write is put back. The .stray is written beside its name and
// linked in, so it is whole or absent; an existing one is never touched,
// unless it holds only the start of these same bytes (left by an earlier
// repair cut short), which loses nothing when it is made again.
storage::IoResult<Repair> repair(const QString& path, int recordLength);

} // namespace tool::toolfiles
