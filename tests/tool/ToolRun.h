#pragma once

#include "Commands.h"
#include "LogRecord.h"
#include "Question.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
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

// One score log entry as the program writes it.
inline QByteArray logEntry(const QString& test, const QString& date, const QString& time,
                           const QString& score, std::int16_t questions) {
    LogRecord r;
    r.setText(LogRecord::TestTaken, test);
    r.setText(LogRecord::DateTaken, date);
    r.setText(LogRecord::TimeTaken, time);
    r.setText(LogRecord::TestScore, score);
    r.setNumQuestions(questions);
    return r.bytes();
}

} // namespace toolrun
