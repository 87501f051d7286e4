#include "Fixtures.h"

#include "LogRecord.h"
#include "Question.h"
#include "TestHeader.h"
#include "TestRecord.h"

#include <cstdio>
#include <cstdlib>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>

using storage::LogRecord;
using storage::TestRecord;

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
    storage::fillNewHeader(rec, QStringLiteral("Bench"), QStringLiteral("bench"));
    // no feedback windows: a run measures drawing and showing questions
    rec.setText(TestRecord::CorrectFeedback, QStringLiteral("0000"));
    rec.setText(TestRecord::IncorrectFeedback, QStringLiteral("0000"));
    rec.setText(TestRecord::PassingScore, storage::passingScoreText(75));
    bytes.append(rec.bytes());
    for (int k = 1; k <= questions; ++k) {
        storage::Question q;
        q.text = QStringLiteral("Question number %1: what is %1 + 1?").arg(k);
        q.explanation = QStringLiteral("Because %1 + 1 = %2.").arg(k).arg(k + 1);
        q.correct = 1;
        switch (k % 3) {
        case 0:
            q.kind = storage::QuestionKind::TrueFalse;
            q.choices = {QStringLiteral("TRUE"), QStringLiteral("FALSE")};
            break;
        case 1:
            q.kind = storage::QuestionKind::Multiple;
            for (int c = 0; c < 5; ++c)
                q.choices[static_cast<std::size_t>(c)] = QString::number(k + c - 1);
            q.correct = 2;
            break;
        default:
            q.kind = storage::QuestionKind::Typed;
            q.choices[0] = QString::number(k + 1);
        }
        storage::storeQuestion(rec, k, q);
        bytes.append(rec.bytes());
    }
    writeAll(path, bytes);
}

QByteArray logEntry(int i) {
    LogRecord rec;
    rec.setText(LogRecord::DateTaken, QStringLiteral("12/5/98"));
    rec.setText(LogRecord::TimeTaken, QStringLiteral("10:35:12 PM"));
    rec.setText(LogRecord::TestTaken, QStringLiteral("Test %1").arg(i % 97));
    rec.setText(LogRecord::TestScore, QString::number(i % 101));
    rec.setNumQuestions(static_cast<std::int16_t>(i % 50 + 1));
    return rec.bytes();
}

void writeLog(const QString& path, int entries) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(entries) * LogRecord::kSize);
    for (int i = 1; i <= entries; ++i)
        bytes.append(logEntry(i));
    writeAll(path, bytes);
}

void writeClass(const QString& dir, int logs, int entries, int tests) {
    QDir().mkpath(dir);
    for (int t = 1; t <= tests; ++t)
        writeTest(QDir(dir).filePath(QStringLiteral("Unit %1.tst").arg(t)), 10);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDate first(2026, 1, 5);
    for (int l = 1; l <= logs; ++l) {
        QByteArray bytes;
        bytes.reserve(static_cast<qsizetype>(entries) * LogRecord::kSize);
        for (int i = 0; i < entries; ++i) {
            LogRecord rec;
            rec.setText(LogRecord::DateTaken, us.toString(first.addDays(i), QLocale::ShortFormat));
            rec.setText(LogRecord::TimeTaken,
                        QStringLiteral("9:%1:00 AM").arg(l % 60, 2, 10, QLatin1Char('0')));
            rec.setText(LogRecord::TestTaken, QStringLiteral("Unit %1").arg(i % tests + 1));
            rec.setText(LogRecord::TestScore, QString::number((l * 7 + i * 13) % 101));
            rec.setNumQuestions(10);
            bytes.append(rec.bytes());
        }
        writeAll(QDir(dir).filePath(QStringLiteral("Pupil %1.log").arg(l, 3, 10, QLatin1Char('0'))),
                 bytes);
    }
}

} // namespace fixtures
