#pragma once

#include "HeaderRecord.h"
#include "LogRecord.h"
#include "Question.h"
#include "TestRecord.h"
#include "Tool.h"

#include <map>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

// quizdex-tool run in-process, as from a terminal, and the files it reads and
// writes, for the tool's tests.
namespace toolrun {

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

// quizdex-tool as a user runs it, a process of its own under `locale`
// (LC_ALL), which Qt reads once a process; `env` sets more variables (a null
// value unsets one).
inline Run runToolProcess(const QString& locale, const QStringList& args,
                          const std::map<QString, QString>& env = {}) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("LC_ALL"), locale);
    for (const auto& [name, value] : env)
        value.isNull() ? e.remove(name) : e.insert(name, value);
    QProcess tool;
    tool.setProcessEnvironment(e);
    tool.start(QStringLiteral(QUIZDEX_TOOL), args);
    Run r;
    r.status = tool.waitForFinished(30000) ? tool.exitCode() : -1;
    r.out = QString::fromUtf8(tool.readAllStandardOutput());
    r.err = QString::fromUtf8(tool.readAllStandardError());
    return r;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline storage::Question question(storage::QuestionKind kind, const QString& text,
                                  std::array<QString, 5> choices, int correct,
                                  const QString& explanation = {}) {
    return {kind, text, std::move(choices), explanation, correct};
}

// The header the program's create door writes.
inline storage::TestRecord newHeader(const QString& owner, const QString& password) {
    storage::TestRecord h;
    storage::fillNewHeader(h, owner, password);
    return h;
}

// A test as the editor writes one: each question stored over the record it
// holds, which starts as the header it has read.
inline QByteArray editorTest(const storage::TestRecord& header,
                             const std::vector<storage::Question>& questions) {
    QByteArray out = header.bytes();
    storage::TestRecord rec = header;
    for (std::size_t k = 1; k <= questions.size(); ++k) {
        storage::storeQuestion(rec, int(k), questions[k - 1]);
        out += rec.bytes();
    }
    return out;
}

// Record n of a test file's bytes.
inline QByteArray record(const QByteArray& file, int n) {
    return file.mid((n - 1) * storage::TestRecord::kSize, storage::TestRecord::kSize);
}

// One score log entry as the program writes it.
inline QByteArray logEntry(const QString& test, const QString& date, const QString& time,
                           const QString& score, std::int16_t questions) {
    storage::LogRecord r;
    r.setText(storage::LogRecord::TestTaken, test);
    r.setText(storage::LogRecord::DateTaken, date);
    r.setText(storage::LogRecord::TimeTaken, time);
    r.setText(storage::LogRecord::TestScore, score);
    r.setNumQuestions(questions);
    return r.bytes();
}

// A score log entry of 80 of 10 questions.
inline const QByteArray kEntry = logEntry(QStringLiteral("MATH1"), QStringLiteral("12/5/98"),
                                          QStringLiteral("10:35:12 PM"), QStringLiteral("80"), 10);

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
