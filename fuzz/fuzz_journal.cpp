// Journals of any bytes: decoding never crashes, a journal taken as whole is
// exactly what encoding its fields gives, and every part of one cut short is
// taken as cut short, never as whole.
#include "RollbackJournal.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    RollbackJournal j;
    if (RollbackJournal::decode(bytes, &j) != RollbackJournal::Kind::Whole)
        return 0;
    if (j.encode() != bytes || j.offset < 0 || j.offset + j.oldBytes.size() > j.oldLength)
        std::abort();
    RollbackJournal part;
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        if (RollbackJournal::decode(QByteArray::fromRawData(bytes.constData(), n), &part) !=
            RollbackJournal::Kind::CutShort)
            std::abort();
    }
    return 0;
}
