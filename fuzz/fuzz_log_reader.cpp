// Any bytes as a score log: the reader yields one entry of six lines per
// counted record and never reads past what it was given.
#include "FuzzInput.h"
#include "LogRecord.h"
#include "ScoreLog.h"
#include "TextRules.h"

#include <cstdint>
#include <cstdlib>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = inputAsFile(data, size, QStringLiteral("fuzz.log"));
    const storage::IoResult<QList<storage::LogRecord>> log = scoring::readLog(path);
    const auto count = storage::rules::recordCountForLength(static_cast<std::int64_t>(size),
                                                            storage::LogRecord::kSize);
    if (!count || !log)
        std::abort(); // inputs this small always count and read
    if (log.value().size() != *count ||
        scoring::logText(log.value()).count(QStringLiteral("TEST TAKEN  -> ")) < *count)
        std::abort();
    return 0;
}
