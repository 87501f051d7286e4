#include "SharedState.h"

#include "TextRules.h"

#include <QDir>

namespace storage::shared {

QString testsDir;
QString testPath;
QString candidateName;

QString pathSep() {
    return QString(QDir::separator());
}

QString joinPath(const QString& folder, const QString& name) {
    return folder + pathSep() + name;
}

QString defaultTestsDir() {
    return QStringLiteral(".") + pathSep() + QStringLiteral("tests");
}

IoResult<TestRecord> readTestRecord(const QString& path, int n, std::int64_t* records) {
    std::int64_t length = 0;
    const IoResult<QByteArray> bytes = RecordFile(path, kTestRecordLength).read(n, &length);
    if (!bytes)
        return bytes.status();
    if (records)
        *records = rules::roundedRecordCount(length, kTestRecordLength);
    TestRecord record;
    record.setBytes(*bytes);
    return record;
}

IoStatus writeTestRecord(const QString& path, int n, const TestRecord& record) {
    return RecordFile(path, kTestRecordLength).write(n, record.bytes());
}

IoResult<std::int16_t> testRecordCount(const QString& path) {
    return RecordFile(path, kTestRecordLength).count();
}

void reset() {
    testsDir.clear();
    testPath.clear();
    candidateName.clear();
}

} // namespace storage::shared
