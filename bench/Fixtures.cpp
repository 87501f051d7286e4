#include "Fixtures.h"

#include "LogRecord.h"
#include "TestRecord.h"

#include <cstdio>
#include <cstdlib>
#include <QFile>

namespace fixtures {
namespace {
void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}
} // namespace

void writeTest(const QString& path, int questions) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(questions + 1) * TestRecord::kSize);
    TestRecord rec;
    rec.setText(TestRecord::Owner, QStringLiteral("Bench"));
    rec.setText(TestRecord::Password, QStringLiteral("bench"));
    rec.setText(TestRecord::CorrectFeedback, QStringLiteral("0000"));
    rec.setText(TestRecord::IncorrectFeedback, QStringLiteral("0000"));
    rec.setText(TestRecord::PassingScore, QStringLiteral(" 75"));
    rec.setShuffleFlag(1);
    bytes.append(rec.bytes());
    for (int k = 1; k <= questions; ++k) {
        rec.setQuestionNumber(static_cast<std::int16_t>(k));
        rec.setText(TestRecord::QuestionText,
                    QStringLiteral("Question number %1: what is %1 + 1?").arg(k));
        const int kind = k % 3;
        rec.setText(TestRecord::QuestionType, kind == 0   ? kTypeTrueFalse
                                              : kind == 1 ? kTypeMultiple
                                                          : kTypeTyped);
        for (int c = 1; c <= 5; ++c)
            rec.setText(TestRecord::choice(c), QString());
        if (kind == 0) {
            rec.setText(TestRecord::Choice1, QStringLiteral("TRUE"));
            rec.setText(TestRecord::Choice2, QStringLiteral("FALSE"));
        } else if (kind == 1) {
            for (int c = 1; c <= 5; ++c)
                rec.setText(TestRecord::choice(c), QString::number(k + c - 2));
        } else {
            rec.setText(TestRecord::Choice1, QString::number(k + 1));
        }
        rec.setRaw(TestRecord::CorrectAnswer,
                   rec.raw(kind == 1 ? TestRecord::Choice2 : TestRecord::Choice1));
        rec.setText(TestRecord::Explanation,
                    QStringLiteral("Because %1 + 1 = %2.").arg(k).arg(k + 1));
        bytes.append(rec.bytes());
    }
    writeAll(path, bytes);
}

void writeLog(const QString& path, int entries) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(entries) * LogRecord::kSize);
    LogRecord rec;
    for (int i = 1; i <= entries; ++i) {
        rec.setText(LogRecord::DateTaken, QStringLiteral("12/5/98"));
        rec.setText(LogRecord::TimeTaken, QStringLiteral("10:35:12 PM"));
        rec.setText(LogRecord::TestTaken, QStringLiteral("Test %1").arg(i % 97));
        rec.setText(LogRecord::TestScore, QString::number(i % 101));
        rec.setNumQuestions(static_cast<std::int16_t>(i % 50 + 1));
        bytes.append(rec.bytes());
    }
    writeAll(path, bytes);
}

} // namespace fixtures
