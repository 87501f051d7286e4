#include "SharedState.h"

#include <QDir>

namespace shared {

QString testsDir;
QString testPath;
QString candidateName;
std::int16_t finalScore = 0;
TestRecord testRecord;
LogRecord logRecord;

QString pathSep() {
    return QString(QDir::separator());
}

QString joinPath(const QString& folder, const QString& name) {
    return folder + pathSep() + name;
}

QString defaultTestsDir() {
    return QStringLiteral(".") + pathSep() + QStringLiteral("tests");
}

IoStatus readTestRecord(const QString& path, int n) {
    const IoResult<QByteArray> bytes = RecordFile(path, kTestRecordLength).read(n);
    if (bytes)
        testRecord.setBytes(*bytes);
    return bytes.status();
}

IoStatus writeTestRecord(const QString& path, int n) {
    return RecordFile(path, kTestRecordLength).write(n, testRecord.bytes());
}

std::optional<std::int16_t> testRecordCount(const QString& path, IoStatus* status) {
    const IoResult<std::int16_t> count = RecordFile(path, kTestRecordLength).count();
    if (!count && status)
        *status = count.status();
    return count ? std::optional(*count) : std::nullopt;
}

void reset() {
    testsDir.clear();
    testPath.clear();
    candidateName.clear();
    finalScore = 0;
    testRecord.clear();
    logRecord.clear();
}

} // namespace shared
