#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <QByteArray>
#include <QString>
#include <sys/stat.h>
#include <sys/types.h>

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

// What a new file or journal is called while it is written, where the file
// system cannot make a file without a name: hidden, ending in none of the
// program's kinds, and followed by the writer's process id.
constexpr char kPendingPrefix[] = ".quizdex-new-";

QString errorText(int err);

// Where a test steps into these calls: it can make one fail, stop a write
// part-way (as a kill or a full disk does) or note the calls in order. The
// program installs none, and then every call goes straight to the system.
class IoSeam {
public:
    enum class Call { OpenForReading, OpenForWriting, ReadJournal, RemoveJournal };
    virtual ~IoSeam() = default;
    // The errno `call` fails with, or 0.
    virtual int failure(Call) { return 0; }
    // How many of the `size` bytes a write at `offset` may put down;
    // `undoing` writes put old bytes back.
    virtual std::size_t allowed(std::int64_t offset, std::size_t size, bool undoing) {
        return (void)offset, (void)undoing, size;
    }
    // After `done` of `size` bytes went down: the errno the write fails
    // with, or 0.
    virtual int written(std::size_t done, std::size_t size) { return done < size ? ENOSPC : 0; }
    // A call that changes or flushes a file, on `fd` or at `path` (a folder
    // flush has neither).
    virtual void noted(const char* call, int fd, const QByteArray& path) {
        (void)call, (void)fd, (void)path;
    }
    // A new file is written beside its name and about to be linked in.
    virtual void beforeLinkingIn() {}
};
void setSeam(IoSeam* seam);
IoSeam* seam();

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

// Why a file with status `st` is no record file: 0 for a regular file,
// EISDIR for a folder, kNotRegular for the rest.
int kindError(const struct stat& st);
// Why an open of `native` failed just now: its errno, or kNotRegular for a
// special file that refused to open (a socket).
int openError(const QByteArray& native);
// Whether `fd` is still the file that `native` names.
bool sameFile(int fd, const QByteArray& native);
// The birth time in ns of the file open on `fd`; 0 where the system keeps none.
std::int64_t bornOf(int fd);

// Reads up to `size` bytes at `offset`; *got tells how many came (fewer at
// the end of the file).
bool readAt(int fd, char* buf, std::size_t size, std::int64_t offset, std::size_t* got);

// Writes all of `buf` at `offset`; `undoing` when it puts old bytes back.
bool writeAt(int fd, const char* buf, std::size_t size, std::int64_t offset, bool undoing = false);

// Flushes the file to disk: its data and, unless `dataOnly`, its metadata.
bool sync(int fd, bool dataOnly = false);

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
// this process's id and a count, removed when this goes. It is made with
// `mode` (less the umask).
class PendingFile {
public:
    PendingFile(QByteArray native, const QByteArray& prefix, mode_t mode = 0666);
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
