// Numbers read from text and record counts of arbitrary lengths.
#include "TextRules.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double v = storage::rules::leadingNumber(text);
    if (!std::isfinite(v))
        std::abort();
    (void)storage::rules::numberText(v);
    if (size >= 8) {
        std::int64_t length = 0;
        std::memcpy(&length, data, sizeof length);
        for (const int recordLength : {113, 2514}) {
            const auto n = storage::rules::recordCountForLength(length, recordLength);
            if (n &&
                (*n < 0 || (length > 0 && std::llabs(static_cast<long long>(*n) * recordLength -
                                                     length) > recordLength / 2)))
                std::abort();
        }
        const int a = static_cast<int>(data[0]) | (static_cast<int>(data[1]) << 8);
        const int b = static_cast<int>(data[2]) | (static_cast<int>(data[3]) << 8);
        const int p = storage::rules::exactPercentage(a, b);
        if (p < 0 || (a <= b && p > 100))
            std::abort();
    }
    return 0;
}
