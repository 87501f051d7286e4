#include "ClassFiles.h"

#include "AnswerFile.h"
#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <QDir>
#include <QFileInfo>
#include <set>

using storage::IoResult;
using storage::IoStatus;
using storage::LogRecord;
using storage::RecordFile;
using storage::TestRecord;

namespace tool {

std::optional<QStringList> logsOf(const QStringList& given, Console& io) {
    QStringList logs;
    std::set<QString> seen; // a log named twice, or by its folder too, counts once
    const auto add = [&](const QString& log) {
        if (seen.insert(QDir::cleanPath(log)).second)
            logs << log;
    };
    for (const QString& path : given) {
        const auto kind = filecheck::kindOf(path);
        if (QFileInfo(path).isDir()) {
            const QDir dir(path);
            for (const QString& f :
                 dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name))
                add(dir.filePath(f));
        } else if (kind == filecheck::FileKind::Log) {
            add(path);
        } else if (kind == filecheck::FileKind::Answers) {
            add(path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".log"));
        } else {
            io.usage(QStringLiteral("%1 is no folder, score log (.log) or answer file (.answers)")
                         .arg(path));
            return std::nullopt;
        }
    }
    return logs;
}

IoResult<QList<LogRecord>> readEntries(const QString& log) {
    const IoResult<std::int64_t> length = RecordFile(log, LogRecord::kSize).length();
    if (!length)
        return length.status();
    QList<LogRecord> entries;
    entries.reserve(static_cast<qsizetype>(*length / LogRecord::kSize));
    const IoStatus st =
        toolfiles::readRecords(log, LogRecord::kSize, static_cast<int>(*length / LogRecord::kSize),
                               [&](int, const QByteArray& b) {
                                   entries.append(LogRecord());
                                   entries.back().setBytes(b);
                               });
    if (!st)
        return st;
    return entries;
}

namespace {

// Record `n` of a test into what the reports know of it.
void take(TestBeside& test, int n, const QByteArray& bytes) {
    TestRecord rec;
    rec.setBytes(bytes);
    if (n > 1) {
        test.questions.push_back({n, rec.text(TestRecord::QuestionText),
                                  rec.text(TestRecord::CorrectAnswer),
                                  storage::answers::checksumText(storage::answers::checksum(rec))});
        return;
    }
    const QString field = rec.text(TestRecord::PassingScore);
    test.passing = storage::rules::passingScore(field);
    test.from = storage::rules::leadingNumber(field) != 0 ? results::PassingFrom::Header
                                                          : results::PassingFrom::RunDefault;
}

} // namespace

ClassFiles::ClassFiles(const Args& a, bool questions, Console& io)
    : m_wanted(a.value(option::kTest)), m_skip(a.flag(option::kSkip)), m_questions(questions),
      m_io(io) {
    if (m_wanted.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
        m_wanted.chop(4);
}

bool ClassFiles::whole(const QString& path) {
    if (checkedClean(path, m_io))
        return true;
    damaged(path);
    return false;
}

void ClassFiles::damaged(const QString& path) {
    if (m_skip)
        m_io.err << path << ": left out, damaged\n";
    else
        m_damaged = true;
}

const TestBeside* ClassFiles::testFor(const QString& dir, const QString& test) {
    // Test names are file names, which letter case does not tell apart.
    if (!m_wanted.isEmpty() && test.compare(m_wanted, Qt::CaseInsensitive) != 0)
        return nullptr;
    const QString key = dir + QLatin1Char('/') + test.toCaseFolded();
    auto known = m_tests.find(key);
    if (known == m_tests.end()) {
        const QString found =
            toolfiles::sameNameIgnoringCase(QDir(dir).filePath(test + QStringLiteral(".tst")));
        known = m_tests.emplace(key, found.isEmpty() ? TestBeside() : read(found)).first;
    }
    return known->second.damaged ? nullptr : &known->second;
}

// The test at `path`, checked first: its passing score, and its questions
// when the report asks for them.
TestBeside ClassFiles::read(const QString& path) {
    TestBeside test;
    test.found = true;
    test.damaged = true;
    if (!whole(path))
        return test;
    const IoResult<std::int16_t> count = RecordFile(path, TestRecord::kSize).count();
    const IoStatus st =
        !count ? count.status()
               : toolfiles::readRecords(path, TestRecord::kSize, m_questions ? *count : 1,
                                        [&](int n, const QByteArray& b) { take(test, n, b); });
    if (!st) {
        m_io.failed(st);
        damaged(path);
        return test;
    }
    test.damaged = false;
    return test;
}

bool ClassFiles::stopped() {
    if (m_damaged)
        m_io.failed(QStringLiteral("Nothing written: damaged files (see quizdex-tool check and "
                                   "repair; --skip leaves them out)."));
    return m_damaged;
}

int ClassFiles::nothingFound(const QString& what) {
    return m_io.failed(
        m_wanted.isEmpty()
            ? QStringLiteral("Nothing written: no %1 in the score logs.").arg(what)
            : QStringLiteral("Nothing written: no %1 for the test %2.").arg(what, m_wanted));
}

int ReportOutput::write(const QByteArray& bytes, const QString& done, Console& io) const {
    if (const IoStatus written = writeNewOutput(path, bytes, force); !written)
        return io.failed(written);
    io.out << path << ": " << done << '\n';
    return kDone;
}

} // namespace tool
