#pragma once

#include "Question.h"
#include "Records.h"
#include "TestRecord.h"
#include "Tool.h"

#include <map>
#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

// quizdex-tool run in-process, as from a terminal, and the files it reads and
// writes, for the tool's tests.
namespace toolrun {

using namespace Qt::StringLiterals;

using testing::fileBytes;
using testing::InFolder;
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

inline storage::Question question(storage::QuestionKind kind, const QString& text,
                                  std::array<QString, 5> choices, int correct,
                                  const QString& explanation = {}) {
    return {kind, text, std::move(choices), explanation, correct};
}

// Record n of a test file's bytes.
inline QByteArray record(const QByteArray& file, int n) {
    return file.mid((n - 1) * storage::TestRecord::kSize, storage::TestRecord::kSize);
}

// What poppler's `program` prints for `args`, or why it failed.
inline QString poppler(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return program + u" failed: "_s + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF as a reader lays it out; one page, or all of them.
inline QString pdfText(const QString& pdf, int page = 0) {
    const QString n = QString::number(page);
    return poppler(u"pdftotext"_s,
                   QStringList{u"-layout"_s, u"-enc"_s, u"UTF-8"_s} +
                       (page > 0 ? QStringList{u"-f"_s, n, u"-l"_s, n} : QStringList()) +
                       QStringList{pdf, u"-"_s});
}

inline QString pdfInfo(const QString& pdf, const QString& field) {
    const QRegularExpression re(u"^"_s + field + u":\\s*(.*)$"_s,
                                QRegularExpression::MultilineOption);
    return re.match(poppler(u"pdfinfo"_s, {pdf})).captured(1).trimmed();
}

// Lines of `text` that are not blank, blanks squeezed: what a reader reads.
inline QString readLines(const QString& text) {
    QStringList out;
    for (QString line : text.split(u'\n'))
        if (!(line = line.simplified()).isEmpty())
            out << line;
    return out.join(u'\n');
}

// A folder of its own for a test class's files.
class Folder {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace toolrun
