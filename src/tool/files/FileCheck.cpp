#include "FileCheck.h"

#include "AnswerRecord.h"
#include "HeaderRecord.h"
#include "LogRecord.h"
#include "Question.h"
#include "RecordLimits.h"
#include "TextRules.h"
#include "ToolFiles.h"

#include <QFileInfo>
#include <QRegularExpression>

using storage::AnswerRecord;
using storage::FieldSpec;
using storage::IoResult;
using storage::IoStatus;
using storage::kMaxRecordCount;
using storage::LogRecord;
using storage::RecordFile;
using storage::TestRecord;

namespace tool::filecheck {

namespace {

QStringList headerFindings(const TestRecord& h) {
    QStringList out;
    static const QRegularExpression flagsRe(QStringLiteral("^[01]{4}$"));
    const std::pair<FieldSpec, const char*> flags[] = {{TestRecord::CorrectFeedback, "right"},
                                                       {TestRecord::IncorrectFeedback, "wrong"}};
    for (const auto& [field, after] : flags) {
        const QString v = h.text(field);
        if (!flagsRe.match(v).hasMatch())
            out << QStringLiteral("the feedback after a %1 answer is \"%2\", not four characters "
                                  "of 0 and 1")
                       .arg(QLatin1String(after), visible(v));
    }
    const QString passing = h.text(TestRecord::PassingScore);
    const double p = storage::rules::leadingNumber(passing);
    const bool unset = passing.count(QChar(0)) == passing.size(); // as the create door leaves it
    if (p == 0 && !unset)
        out << QStringLiteral("the passing score \"%1\" is not a number (a run takes 75)")
                   .arg(visible(passing));
    else if (p != 0 && (p < 50 || p > 100))
        out << QStringLiteral("the passing score %1 is outside 50 to 100").arg(p);
    if (h.shuffleFlag() != 0 && h.shuffleFlag() != 1)
        out << QStringLiteral("the answer-order flag is %1, neither 0 nor 1").arg(h.shuffleFlag());
    return out;
}

} // namespace

QStringList answerFindings(const TestRecord& rec) {
    QStringList out;
    const auto kind = storage::storedKind(rec);
    const int correct = storage::storedCorrectChoice(rec);
    if (kind && correct == 0)
        out << QStringLiteral("no choice is marked as the answer");
    else if (kind == storage::QuestionKind::Multiple &&
             rec.text(TestRecord::choice(correct)).isEmpty())
        out << QStringLiteral("the choice marked as the answer is empty");
    return out;
}

QStringList questionFindings(const TestRecord& rec, int k) {
    QStringList out;
    const auto kind = storage::storedKind(rec);
    if (!kind)
        out << QStringLiteral("unknown question kind \"%1\"")
                   .arg(visible(rec.text(TestRecord::QuestionType)));
    if (rec.questionNumber() != k)
        out << QStringLiteral("its stored number is %1").arg(rec.questionNumber());
    return out + answerFindings(rec);
}

namespace {

QStringList logFindings(const LogRecord& rec) {
    QStringList out;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    const QString score = rec.text(LogRecord::TestScore);
    if (!digits.match(score).hasMatch() || score.toInt() > 100)
        out << QStringLiteral("the score \"%1\" is not a whole number from 0 to 100")
                   .arg(visible(score));
    if (rec.numQuestions() < 0)
        out << QStringLiteral("the number of questions is %1").arg(rec.numQuestions());
    return out;
}

// What a run could not have written. Answers that no log entry claims are
// not a fault: a run killed before its entry leaves them, and readers pass
// over them.
QStringList answerFindings(const AnswerRecord& rec) {
    QStringList out;
    if (rec.asked() < 1 || rec.asked() > rec.numQuestions())
        out << QStringLiteral("question %1 of a run of %2").arg(rec.asked()).arg(rec.numQuestions());
    if (rec.questionRecord() < 2)
        out << QStringLiteral("test record %1 is not a question").arg(rec.questionRecord());
    if (rec.choice() < 0 || rec.choice() > 5)
        out << QStringLiteral("the choice is %1, not 0 to 5").arg(rec.choice());
    if (const std::int16_t right = rec.int16(AnswerRecord::kRightOffset); right != 0 && right != 1)
        out << QStringLiteral("right or wrong is %1, neither 0 nor 1").arg(right);
    static const QRegularExpression hex(QStringLiteral("^[0-9A-F]{8}$"));
    if (!hex.match(rec.text(AnswerRecord::Checksum)).hasMatch())
        out << QStringLiteral("the checksum \"%1\" is not 8 hexadecimal digits")
                   .arg(visible(rec.text(AnswerRecord::Checksum)));
    return out;
}

} // namespace

std::optional<FileKind> kindOf(const QString& path) {
    if (path.endsWith(QLatin1String(".tst"), Qt::CaseInsensitive))
        return FileKind::Test;
    if (path.endsWith(QLatin1String(".log"), Qt::CaseInsensitive))
        return FileKind::Log;
    if (path.endsWith(QLatin1String(".answers"), Qt::CaseInsensitive))
        return FileKind::Answers;
    return std::nullopt;
}

int recordLength(FileKind kind) {
    switch (kind) {
    case FileKind::Test:
        return TestRecord::kSize;
    case FileKind::Log:
        return LogRecord::kSize;
    case FileKind::Answers:
        break;
    }
    return AnswerRecord::kSize;
}

IoResult<Report> check(const QString& path, FileKind kind) {
    const int size = recordLength(kind);
    if (!toolfiles::isFile(path) && !QFileInfo::exists(path))
        return IoStatus::failure(path, QStringLiteral("No such file"));
    const IoResult<std::int64_t> measured = RecordFile(path, size).length();
    if (!measured)
        return measured.status();
    const std::int64_t length = *measured;
    Report report;
    report.wholeRecords = length / size;
    const std::int64_t stray = length % size;
    if (length == 0 && kind == FileKind::Test)
        report.findings << QStringLiteral("empty; a test begins with its header record");
    if (stray > 0)
        report.findings << QStringLiteral("%1 stray bytes %2: the length is not a whole number "
                                          "of %3-byte records")
                               .arg(stray)
                               .arg(report.wholeRecords > 0
                                        ? QStringLiteral("after record %1").arg(report.wholeRecords)
                                        : QStringLiteral("and no whole record"))
                               .arg(size);
    // The answer file alone has no 16-bit counter.
    if (kind != FileKind::Answers && !storage::rules::recordCountForLength(length, size)) {
        report.findings << QStringLiteral("more records than the count of %1 can hold; the "
                                          "program cannot read them all")
                               .arg(kMaxRecordCount);
        return report;
    }
    const IoStatus read = toolfiles::readRecords(
        path, size, static_cast<int>(report.wholeRecords), [&](int n, const QByteArray& bytes) {
            QStringList found;
            QString where = QStringLiteral("record %1").arg(n);
            if (kind == FileKind::Log) {
                LogRecord rec;
                rec.setBytes(bytes);
                found = logFindings(rec);
            } else if (kind == FileKind::Answers) {
                AnswerRecord rec;
                rec.setBytes(bytes);
                found = answerFindings(rec);
            } else {
                TestRecord rec;
                rec.setBytes(bytes);
                if (n == 1) {
                    found = headerFindings(rec);
                    where += QStringLiteral(" (header)");
                } else {
                    found = questionFindings(rec, n - 1);
                    where += QStringLiteral(" (question %1)").arg(n - 1);
                }
            }
            for (const QString& f : found)
                report.findings << where + QStringLiteral(": ") + f;
        });
    if (!read)
        return read;
    return report;
}

QString visible(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace tool::filecheck
