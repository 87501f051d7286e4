#pragma once

#include "Question.h"
#include "Records.h"
#include "TestRecord.h"
#include "Tool.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

// quizdex-tool run in-process, as from a terminal, and the files it reads and
// writes, for the tool's tests.
namespace toolrun {

using testing::fileBytes;
using testing::logEntry;
using testing::testFile;
using testing::writeBytes;

struct Run {
    int status = 0;
    QString out, err;
};

inline Run runTool(const QStringList& args) {
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.status = tool::run(args, out, err);
    out.flush();
    err.flush();
    return r;
}

inline storage::Question question(storage::QuestionKind kind, const QString& text,
                                  std::array<QString, 5> choices, int correct,
                                  const QString& explanation = {}) {
    return {kind, text, std::move(choices), explanation, correct};
}

// Record n of a test file's bytes.
inline QByteArray record(const QByteArray& file, int n) {
    return file.mid((n - 1) * storage::TestRecord::kSize, storage::TestRecord::kSize);
}

// The working folder set to `dir` while it lives, as the user's shell has
// it, for commands given bare file names ("-o Geo.tst").
class InFolder {
public:
    explicit InFolder(const QString& dir) : m_was(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~InFolder() { QDir::setCurrent(m_was); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    QString m_was;
};

// A folder of its own for a test class's files.
class Folder {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace toolrun
