#include "Fixtures.h"

#include "Question.h"
#include "Records.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <vector>

namespace fixtures {

void writeTest(const QString& path, int questions) {
    std::vector<storage::Question> all(static_cast<std::size_t>(questions));
    for (int k = 1; k <= questions; ++k) {
        storage::Question& q = all[static_cast<std::size_t>(k - 1)];
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
    }
    // no feedback windows: a run measures drawing and showing questions
    testing::writeBytes(path, testing::testFile({QStringLiteral("Bench"), QStringLiteral("bench"),
                                                 QStringLiteral("0000"), QStringLiteral("0000"),
                                                 QStringLiteral(" 75")},
                                                all));
}

QByteArray logEntry(int i) {
    return testing::logEntry({QStringLiteral("Test %1").arg(i % 97), QStringLiteral("12/5/98"),
                              QStringLiteral("10:35:12 PM"), QString::number(i % 101), i % 50 + 1});
}

void writeLog(const QString& path, int entries) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(entries) * testing::kLogEntry);
    for (int i = 1; i <= entries; ++i)
        bytes.append(logEntry(i));
    testing::writeBytes(path, bytes);
}

void writeClass(const QString& dir, int logs, int entries, int tests) {
    QDir().mkpath(dir);
    for (int t = 1; t <= tests; ++t)
        writeTest(QDir(dir).filePath(QStringLiteral("Unit %1.tst").arg(t)), 10);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDate first(2026, 1, 5);
    for (int l = 1; l <= logs; ++l) {
        QByteArray bytes;
        bytes.reserve(static_cast<qsizetype>(entries) * testing::kLogEntry);
        for (int i = 0; i < entries; ++i)
            bytes.append(testing::logEntry(
                {QStringLiteral("Unit %1").arg(i % tests + 1),
                 us.toString(first.addDays(i), QLocale::ShortFormat),
                 QStringLiteral("9:%1:00 AM").arg(l % 60, 2, 10, QLatin1Char('0')),
                 QString::number((l * 7 + i * 13) % 101), 10}));
        testing::writeBytes(
            QDir(dir).filePath(QStringLiteral("Pupil %1.log").arg(l, 3, 10, QLatin1Char('0'))),
            bytes);
    }
}

} // namespace fixtures
