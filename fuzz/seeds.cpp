// Writes seed inputs for every fuzz target, made by the program's own writers.
#include "AnswerFile.h"
#include "Gift.h"
#include "LogRecord.h"
#include "MoodleXml.h"
#include "Question.h"
#include "RollbackJournal.h"
#include "TestHeader.h"
#include "TestRecord.h"

#include <cstdio>
#include <QDir>
#include <QFile>

using storage::AnswerRecord;
using storage::LogRecord;
using storage::RollbackJournal;
using storage::TestRecord;

namespace {
void put(const QString& dir, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(dir);
    QFile f(QDir(dir).filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quizdex_fuzz_seeds DIR\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    TestRecord header;
    storage::fillNewHeader(header, QStringLiteral("Owner"), QStringLiteral("pw"));
    header.setText(TestRecord::PassingScore, storage::passingScoreText(75));
    TestRecord question;
    storage::Question q;
    q.kind = storage::QuestionKind::Multiple;
    q.text = QStringLiteral("Capital of France?");
    for (int i = 0; i < 5; ++i)
        q.choices[static_cast<std::size_t>(i)] = QStringLiteral("Choice %1").arg(i + 1);
    q.correct = 2;
    q.explanation = QStringLiteral("Because.\r\nTwo lines.");
    storage::storeQuestion(question, 1, q);
    LogRecord log;
    log.setText(LogRecord::DateTaken, QStringLiteral("12/5/98"));
    log.setText(LogRecord::TimeTaken, QStringLiteral("10:35:12 PM"));
    log.setText(LogRecord::TestTaken, QStringLiteral("MATH1"));
    log.setText(LogRecord::TestScore, QStringLiteral("80"));
    log.setNumQuestions(10);

    const QString records = root + QStringLiteral("/fuzz_records");
    put(records, QStringLiteral("header"), header.bytes());
    put(records, QStringLiteral("question"), question.bytes());
    put(records, QStringLiteral("log"), log.bytes());
    const QString numbers = root + QStringLiteral("/fuzz_numbers");
    put(numbers, QStringLiteral("score"), QByteArray(" 75"));
    put(numbers, QStringLiteral("fraction"), QByteArray("62.5"));
    put(numbers, QStringLiteral("length"), QByteArray("\xd2\x1d\x00\x00\x00\x00\x00\x00", 8));
    const QString logs = root + QStringLiteral("/fuzz_log_reader");
    put(logs, QStringLiteral("two"), log.bytes() + log.bytes());
    put(logs, QStringLiteral("stray"), log.bytes() + QByteArray(57, 'x'));
    const QString answers = root + QStringLiteral("/fuzz_answers");
    log.setNumQuestions(2);
    QByteArray run;
    for (int k = 1; k <= 2; ++k)
        run += storage::answers::makeRecord(
                   log, 1, k, {k + 1, 0xCBF43926u, k, QStringLiteral("Paris"), k == 1})
                   .bytes();
    put(answers, QStringLiteral("run"), run);
    put(answers, QStringLiteral("killed then logged"), run.left(AnswerRecord::kSize) + run);
    const QString tests = root + QStringLiteral("/fuzz_test_file");
    put(tests, QStringLiteral("test"), header.bytes() + question.bytes());
    put(tests, QStringLiteral("stray"), header.bytes() + question.bytes() + QByteArray(1300, 'x'));
    const QString formats = root + QStringLiteral("/fuzz_tool_formats");
    put(formats, QStringLiteral("test"), header.bytes() + question.bytes());
    put(formats, QStringLiteral("gift"),
        tool::gift::write(q, {{QStringLiteral("shuffle"), QByteArray(2, '\0')}}).toUtf8());
    put(formats, QStringLiteral("moodlexml"),
        (tool::moodlexml::fileStart() +
         tool::moodlexml::write(q, {{QStringLiteral("places"), QByteArray("1245")}}) +
         tool::moodlexml::fileEnd())
            .toUtf8());
    const QString journals = root + QStringLiteral("/fuzz_journal");
    RollbackJournal rewrite; // a question saved in place
    rewrite.device = 2049, rewrite.inode = 131, rewrite.born = 1733600000000000000;
    rewrite.oldLength = 2 * TestRecord::kSize, rewrite.offset = TestRecord::kSize;
    rewrite.oldBytes = question.bytes();
    rewrite.newBytes = header.bytes();
    put(journals, QStringLiteral("rewrite"), rewrite.encode());
    RollbackJournal append = rewrite; // a log entry appended
    append.oldLength = LogRecord::kSize, append.offset = LogRecord::kSize, append.oldBytes = {};
    append.newBytes = log.bytes();
    put(journals, QStringLiteral("append"), append.encode());
    return 0;
}
