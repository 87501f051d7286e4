#include "RecordFile.h"

#include "FileIo.h"
#include "FileNames.h"
#include "OpenLocked.h"
#include "RecordLimits.h"
#include "RollbackJournal.h"
#include "TextRules.h"

#include <cerrno>
#include <QCoreApplication>
#include <QLocale>

#include <sys/stat.h>
#include <unistd.h>

namespace storage {

namespace {

// Writes a new file's bytes beside its name and links them in, so the file
// appears whole or not at all. EEXIST when another writer made the file first.
// 0, or errno.
int createWhole(const QByteArray& native, const QByteArray& bytes) {
    storage::fileio::PendingFile file(native, storage::fileio::kPendingPrefix);
    if (file.error())
        return file.error();
    if (!storage::fileio::writeAt(file.fd(), bytes.constData(),
                                  static_cast<std::size_t>(bytes.size()), 0) ||
        !storage::fileio::sync(file.fd()))
        return errno;
    if (storage::fileio::IoSeam* const s = storage::fileio::seam())
        s->beforeLinkingIn();
    return file.linkIn();
}

} // namespace

RecordFile::RecordFile(QString path, int recordLength)
    : m_path(std::move(path)), m_native(storage::filename::toNative(m_path)),
      m_recordLength(recordLength) {}

IoStatus RecordFile::failure(int err) const {
    return IoStatus::systemFailure(m_path, err);
}

bool RecordFile::exists() const {
    struct stat st {};
    return ::stat(m_native.constData(), &st) == 0;
}

IoResult<std::int64_t> RecordFile::length() const {
    struct stat st {};
    int err = ::stat(m_native.constData(), &st) != 0 ? errno : storage::fileio::kindError(st);
    if (err == ENOENT)
        return std::int64_t{0};
    if (err)
        return failure(err);
    if (storage::needsSettling(m_native, st, m_recordLength)) {
        LockedFile file;
        const IoStatus settled =
            storage::openLocked(m_native, m_path, m_recordLength, OpenFor::Reading, &file);
        if (!settled)
            return settled;
        if (::fstat(file.fd.get(), &st) != 0)
            return failure(errno);
    }
    return static_cast<std::int64_t>(st.st_size);
}

IoResult<std::int16_t> RecordFile::count() const {
    const IoResult<std::int64_t> len = length();
    if (!len)
        return len.status();
    if (const auto n = storage::rules::recordCountForLength(*len, m_recordLength))
        return *n;
    return IoStatus::failure(m_path, QCoreApplication::translate(
                                         "RecordFile", "The file holds more than 32,767 records."));
}

IoResult<QByteArray> RecordFile::read(int n, std::int64_t* length) const {
    return readRecords(n, 1, length);
}

IoResult<QByteArray> RecordFile::readRecords(int first, int count, std::int64_t* length) const {
    if (first < 1 || count < 0)
        return IoStatus::failure(m_path,
                                 QCoreApplication::translate("RecordFile", "Bad record number."));
    LockedFile file;
    if (const IoStatus opened =
            storage::openLocked(m_native, m_path, m_recordLength, OpenFor::Reading, &file);
        !opened)
        return opened;
    if (length)
        *length = file.length;
    QByteArray buf(static_cast<qsizetype>(count) * m_recordLength, '\0');
    std::size_t got = 0;
    if (!storage::fileio::readAt(file.fd.get(), buf.data(), static_cast<std::size_t>(buf.size()),
                                 static_cast<std::int64_t>(first - 1) * m_recordLength, &got)) {
        const int err = errno;
        buf.truncate(static_cast<qsizetype>(got - got % m_recordLength));
        return {buf, failure(err)};
    }
    return buf; // bytes past the end stay NUL
}

template <class Result, class Whole, class Write>
Result RecordFile::openOrCreate(Whole whole, Result made, Write write) {
    for (;;) {
        LockedFile file;
        if (const IoStatus opened =
                storage::openLocked(m_native, m_path, m_recordLength, OpenFor::Writing, &file);
            !opened)
            return opened;
        if (!file.missing)
            return write(file);
        const int err = createWhole(m_native, whole());
        if (err != EEXIST) // else another writer made it first: write into theirs
            return err ? Result(failure(err)) : made;
    }
}

IoStatus RecordFile::write(int n, const QByteArray& record) {
    if (n < 1 || record.size() != m_recordLength)
        return IoStatus::failure(m_path, QCoreApplication::translate("RecordFile", "Bad record."));
    const std::int64_t offset = static_cast<std::int64_t>(n - 1) * m_recordLength;
    // The bytes of a file made new are built only then: for a write into a
    // large test they would be the size of the whole test.
    const auto whole = [&] { return QByteArray(offset, '\0') + record; };
    return openOrCreate(whole, IoStatus::success(),
                        [&](const LockedFile& file) {
                            return writeLocked(file.fd.get(), file.journal, offset, record);
                        });
}

IoResult<int> RecordFile::appendAtCount(const QByteArray& records, int maxRecords) {
    const qsizetype adding = records.size() / m_recordLength;
    if (adding < 1 || adding > maxRecords || records.size() % m_recordLength != 0)
        return IoStatus::failure(m_path, QCoreApplication::translate("RecordFile", "Bad record."));
    const auto whole = [&] { return records; };
    return openOrCreate(whole, IoResult<int>(1), [&](const LockedFile& file) -> IoResult<int> {
        struct stat st {};
        if (::fstat(file.fd.get(), &st) != 0)
            return failure(errno);
        const std::int64_t count = storage::rules::roundedRecordCount(st.st_size, m_recordLength);
        if (count > maxRecords - adding)
            return IoStatus::failure(
                m_path,
                QCoreApplication::translate("RecordFile", "The file holds %1 records, its limit.")
                    .arg(QLocale(QLocale::English).toString(maxRecords)));
        const IoStatus written =
            writeLocked(file.fd.get(), file.journal, count * m_recordLength, records);
        if (!written)
            return written;
        return static_cast<int>(count + 1);
    });
}

IoStatus RecordFile::writeLocked(int fd, const QByteArray& journalPath, std::int64_t offset,
                                 const QByteArray& record) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failure(errno);
    RollbackJournal journal;
    journal.device = st.st_dev;
    journal.inode = st.st_ino;
    journal.born = storage::fileio::bornOf(fd);
    journal.oldLength = st.st_size;
    journal.offset = offset;
    journal.newBytes = record;
    if (offset < st.st_size) {
        journal.oldBytes.resize(
            static_cast<qsizetype>(std::min<std::int64_t>(record.size(), st.st_size - offset)));
        std::size_t got = 0;
        if (!storage::fileio::readAt(fd, journal.oldBytes.data(),
                                     static_cast<std::size_t>(journal.oldBytes.size()), offset,
                                     &got))
            return failure(errno);
        journal.oldBytes.truncate(static_cast<qsizetype>(got));
    }
    // A record written unchanged is left alone: an author paging through the
    // questions pays for no flush.
    if (journal.oldBytes == record)
        return IoStatus::success();

    // The journal is on disk before the file is touched, and the file is on
    // disk before the journal goes.
    if (!storage::journalfile::write(journalPath, journal)) {
        const int err = errno;
        if (err != EEXIST) // linked in but not flushed: its file was not touched
            storage::journalfile::remove(journalPath);
        return failure(err);
    }
    if (storage::fileio::writeAt(fd, record.constData(), static_cast<std::size_t>(record.size()),
                                 offset) &&
        storage::fileio::sync(fd, true) && storage::journalfile::commit(journalPath))
        return IoStatus::success();
    const int err = errno;
    // When this fails too, the journal stays and the next opener tries again;
    // the reason of the failed write is what the user needs.
    if (storage::undoWrite(fd, journal))
        storage::journalfile::remove(journalPath);
    return failure(err);
}

} // namespace storage
