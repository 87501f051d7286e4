#include "TestHeader.h"

#include "Files.h"
#include "SharedState.h"

namespace authoring {

CreateResult createTest(const QString& testsDir, const QString& typedName, const QString& owner,
                        const QString& password) {
    const QString name = rightTrimmed(typedName);
    CreateResult result;
    if (name.isEmpty() || !testNameProblem(name).isEmpty()) {
        result.outcome = CreateOutcome::IllegalName;
        return result;
    }
    const QString path = shared::joinPath(testsDir, name + QStringLiteral(".tst"));
    const QString existing = platform::resolveCaseInsensitive(path);
    result.path = existing.isEmpty() ? path : existing;

    const IoResult<std::int64_t> length =
        RecordFile(result.path, shared::kTestRecordLength).length();
    if (!length) {
        result.status = length.status();
        return result;
    }
    // An empty file is a test not yet begun; anything longer may be someone's
    // work, even when it is too short to count as a record.
    if (*length > 0) {
        result.outcome = CreateOutcome::Exists;
        return result;
    }

    fillNewHeader(shared::testRecord, owner, password);
    result.status = shared::writeTestRecord(result.path, 1, shared::testRecord);
    result.outcome = result.status ? CreateOutcome::Created : CreateOutcome::Failed;
    return result;
}

} // namespace authoring
