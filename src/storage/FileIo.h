#pragma once

#include <cstddef>
#include <cstdint>
#include <QByteArray>
#include <QString>

// The system's file calls as the record files and their journals use them:
// whole reads and writes that survive interruptions, and flushes to disk.
// They fail as the calls they wrap do, false with errno set, since their
// callers look at errno (a rollback keeps the first failure's reason);
// RecordFile turns it into an IoStatus. Only the record files, their journals
// and quizdex-tool's own file writing use them; the rest of the program reads
// and writes through RecordFile.
namespace storage::fileio {

// Stands for "not a regular file" where an errno value is expected: FIFOs,
// sockets and devices are never opened as record files.
constexpr int kNotRegular = -1;

QString errorText(int err);

// Owns one open descriptor and its advisory lock; both go when it does.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    void reset(int fd = -1);
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool lock(int fd, int how);

// Reads up to `size` bytes at `offset`; *got tells how many came (fewer at
// the end of the file).
bool readAt(int fd, char* buf, std::size_t size, std::int64_t offset, std::size_t* got);

// Writes all of `buf` at `offset`. Meets the faults a test set in IoFaults;
// `undoing` writes (putting old bytes back) are spared the write limit, since
// they must not fail with the write they undo.
bool writeAt(int fd, const char* buf, std::size_t size, std::int64_t offset, bool undoing = false);

// Flushes the file to disk: its data and, unless `dataOnly`, its metadata.
bool sync(int fd, bool dataOnly = false);

// Notes a call that changes or flushes a file (its name, not its folder) in
// the list a test set in IoFaults (a folder flush as "fsync folder"), so the test can see the order
// of the writes and flushes; nothing without one.
void trace(const char* call, const QByteArray& path);

// Flushes the folder holding `path`, so that a file made or removed there
// stays made or removed after a power cut. False only when the flush failed;
// a file system that cannot flush folders is passed over.
bool syncFolderOf(const QByteArray& path);

// The part of `path` after its last '/'.
QByteArray baseName(const QByteArray& path);

// A new file made beside `native` and linked in under that name once it is
// whole, so that it appears whole or not at all and never in place of
// another. It has no name while it is written where the system allows (a
// writer killed half-way leaves nothing), else a temporary one of `prefix`,
// this process's id and a count, removed when this goes.
class PendingFile {
public:
    PendingFile(QByteArray native, const QByteArray& prefix);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // 0 when it was made, else the errno of making it.
    int error() const { return m_error; }
    int fd() const { return m_fd.get(); }
    // Links the written file in under its name and flushes the folder; 0, or
    // errno (EEXIST when the name was taken meanwhile, that file left alone).
    // Write and flush the file first.
    int linkIn();

private:
    QByteArray m_native;
    QByteArray m_temp;
    Fd m_fd;
    int m_error = 0;
};

} // namespace storage::fileio
