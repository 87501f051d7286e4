#include "ToolFiles.h"

#include "FileIo.h"
#include "FileNames.h"
#include "OpenLocked.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using storage::IoResult;
using storage::IoStatus;
using storage::RecordFile;

namespace tool::toolfiles {

namespace {

constexpr qsizetype kBufferSize = 1 << 20;
constexpr int kRecordsAtOnce = 1024;

IoStatus failure(const QString& path, int err) {
    return IoStatus::failure(path, storage::fileio::errorText(err));
}

} // namespace

QStringList arguments(int argc, const char* const* argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << storage::filename::fromNative(QByteArray(argv[i]));
    return args;
}

IoStatus readRecords(const QString& path, int recordLength, int count,
                     const std::function<void(int, const QByteArray&)>& each) {
    const RecordFile file(path, recordLength);
    for (int first = 1; first <= count; first += kRecordsAtOnce) {
        const int n = std::min(kRecordsAtOnce, count - first + 1);
        const IoResult<QByteArray> bytes = file.readRecords(first, n);
        if (!bytes)
            return bytes.status();
        for (int i = 0; i < n; ++i)
            each(first + i,
                 QByteArray::fromRawData(bytes->constData() + i * recordLength, recordLength));
    }
    return IoStatus::success();
}

NewFile::NewFile(QString path)
    // A short prefix of its own (a long test name leaves no room for a
    // suffix) that does not end in ".tst", so the program never lists it.
    : m_path(std::move(path)), m_file(storage::filename::toNative(m_path), ".quizdex-import-") {
    if (m_file.error())
        m_status = failure(m_path, m_file.error());
}

IoStatus NewFile::flush() {
    if (m_status && !m_buffer.isEmpty() &&
        !storage::fileio::writeAt(m_file.fd(), m_buffer.constData(),
                                  static_cast<std::size_t>(m_buffer.size()), m_written))
        m_status = failure(m_path, errno);
    m_written += m_buffer.size();
    m_buffer.clear();
    return m_status;
}

IoStatus NewFile::append(const QByteArray& bytes) {
    if (!m_status)
        return m_status;
    m_buffer.append(bytes);
    return m_buffer.size() >= kBufferSize ? flush() : m_status;
}

IoStatus NewFile::commit(const QString& takenReason) {
    if (!flush())
        return m_status;
    if (!storage::fileio::sync(m_file.fd()))
        return m_status = failure(m_path, errno);
    if (const int err = m_file.linkIn())
        m_status = err == EEXIST ? IoStatus::failure(m_path, takenReason) : failure(m_path, err);
    return m_status;
}

IoStatus writeOutput(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return IoStatus::failure(path, file.errorString());
    return IoStatus::success();
}

IoResult<QByteArray> readInput(const QString& path) {
    QFile file;
    const bool opened = path == QLatin1String("-")
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        return IoStatus::failure(path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return IoStatus::failure(path, file.errorString());
    return bytes;
}

QString sameNameIgnoringCase(const QString& path) {
    const QFileInfo info(path);
    const QStringList entries =
        info.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
        return e.compare(info.fileName(), Qt::CaseInsensitive) == 0;
    });
    return it == entries.end() ? QString() : info.dir().filePath(*it);
}

bool isFile(const QString& path) {
    struct stat st {};
    return ::stat(storage::filename::toNative(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

std::int64_t sizeOf(const QString& path) {
    struct stat st {};
    return ::stat(storage::filename::toNative(path).constData(), &st) == 0
               ? std::int64_t(st.st_size)
               : 0;
}

namespace {

// Whether the file at `native` holds the start of `bytes` and no more: what
// a repair of those bytes killed before this version made its .stray whole.
bool isStartOf(const QByteArray& native, const QByteArray& bytes) {
    storage::fileio::Fd fd(
        ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size > bytes.size())
        return false;
    QByteArray held(static_cast<qsizetype>(st.st_size), '\0');
    std::size_t got = 0;
    return storage::fileio::readAt(fd.get(), held.data(), static_cast<std::size_t>(held.size()), 0,
                                   &got) &&
           got == std::size_t(held.size()) && bytes.startsWith(held);
}

} // namespace

IoResult<Repair> repair(const QString& path, int recordLength) {
    const QByteArray native = storage::filename::toNative(path);
    struct stat st {};
    if (::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return failure(path, EISDIR);
    // A write that a kill interrupted is put back first, as any opener does;
    // then, under the lock the program's writers take, none writes meanwhile.
    storage::LockedFile file;
    if (const IoStatus opened =
            storage::openLocked(native, path, recordLength, storage::OpenFor::Repair, &file);
        !opened)
        return opened;
    const storage::fileio::Fd& fd = file.fd;
    if (::fstat(fd.get(), &st) != 0)
        return failure(path, errno);
    const std::int64_t length = st.st_size;
    Repair result;
    result.wholeRecords = length / recordLength;
    result.strayBytes = length % recordLength;
    result.strayPath = path + QStringLiteral(".stray");
    if (result.strayBytes == 0)
        return result;

    const std::int64_t keep = length - result.strayBytes;
    QByteArray stray(static_cast<qsizetype>(result.strayBytes), '\0');
    std::size_t got = 0;
    if (!storage::fileio::readAt(fd.get(), stray.data(), static_cast<std::size_t>(stray.size()),
                                 keep, &got) ||
        got != std::size_t(stray.size()))
        return failure(path, errno ? errno : EIO);
    // A .stray is whole or absent, except one left by a repair of these very
    // bytes that an older version of the tool did not finish: it holds their
    // start, and is made again.
    const QByteArray strayNative = storage::filename::toNative(result.strayPath);
    if (::lstat(strayNative.constData(), &st) == 0 && isStartOf(strayNative, stray) &&
        ::unlink(strayNative.constData()) != 0)
        return failure(result.strayPath, errno);
    NewFile out(result.strayPath);
    if (IoStatus st = out.append(stray); !st)
        return st;
    if (IoStatus st = out.commit(storage::fileio::errorText(EEXIST)); !st)
        return st;
    if (::ftruncate(fd.get(), static_cast<off_t>(keep)) != 0) {
        const int err = errno;
        ::unlink(strayNative.constData()); // the file still holds them
        return failure(path, err);
    }
    if (!storage::fileio::sync(fd.get()))
        return failure(path, errno);
    return result;
}

} // namespace tool::toolfiles
