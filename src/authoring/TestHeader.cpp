#include "TestHeader.h"

#include "Files.h"
#include "RecordFile.h"
#include "SharedState.h"

namespace authoring {

storage::IoResult<NewTest> createTest(const QString& testsDir, const QString& typedName,
                                      const QString& owner, const QString& password) {
    const QString name = storage::rightTrimmed(typedName);
    if (name.isEmpty() || !storage::testNameProblem(name).isEmpty())
        return NewTest{CreateOutcome::IllegalName, {}};
    const QString path = storage::shared::joinPath(testsDir, name + QStringLiteral(".tst"));
    const QString existing = platform::resolveCaseInsensitive(path);
    NewTest made{CreateOutcome::Created, existing.isEmpty() ? path : existing};

    const storage::IoResult<std::int64_t> length =
        storage::RecordFile(made.path, storage::shared::kTestRecordLength).length();
    if (!length)
        return length.status();
    // An empty file is a test not yet begun; anything longer may be someone's
    // work, even when it is too short to count as a record.
    if (*length > 0)
        return NewTest{CreateOutcome::Exists, made.path};

    storage::TestRecord header;
    storage::fillNewHeader(header, owner, password);
    if (const storage::IoStatus written = storage::shared::writeTestRecord(made.path, 1, header);
        !written)
        return written;
    return made;
}

} // namespace authoring
