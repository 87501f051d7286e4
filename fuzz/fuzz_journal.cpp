// Journals of any bytes: decoding never crashes; a journal of the current
// layout taken as whole is exactly what encoding its fields gives, and no part
// of one is taken as whole; the proof of a whole one, against a file of any
// length holding any bytes, never reads past what it was given.
#include "RollbackJournal.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    storage::RollbackJournal j;
    if (storage::RollbackJournal::decode(bytes, &j) != storage::RollbackJournal::Kind::Whole)
        return 0;
    if ((j.layout == storage::RollbackJournal::Layout::Current && j.encode() != bytes) ||
        j.offset < 0 || (!j.oldBytes.isEmpty() && j.offset > j.oldLength - j.oldBytes.size()))
        std::abort();
    storage::RollbackJournal part;
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        if (storage::RollbackJournal::decode(QByteArray::fromRawData(bytes.constData(), n),
                                             &part) == storage::RollbackJournal::Kind::Whole)
            std::abort();
    }
    for (const std::int64_t length : {j.oldLength, j.oldLength + 1, INT64_MAX}) {
        j.couldHaveLeft(length, j.newBytes, 113);
        j.couldHaveLeft(length, bytes, 2514);
    }
    return 0;
}
