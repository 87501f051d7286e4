// Any bytes as a score log: the reader yields six lines per counted record and
// never reads past what it was given.
#include "LogRecord.h"
#include "ScoreLog.h"
#include "TextRules.h"

#include <cstdint>
#include <cstdlib>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.log"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const scoring::LogText log = scoring::readLog(path);
    const auto count =
        rules::recordCountForLength(static_cast<std::int64_t>(size), LogRecord::kSize);
    if (!count || !log.ok)
        std::abort(); // inputs this small always count and read
    if (log.text.count(QStringLiteral("TEST TAKEN  -> ")) < *count)
        std::abort();
    return 0;
}
