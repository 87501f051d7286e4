#include "AnswerResults.h"
#include "Command.h"
#include "CommandSteps.h"
#include "Console.h"
#include "FileCheck.h"
#include "TestText.h"
#include "ToolFiles.h"

namespace tool {
namespace {

class Show : public Command {
public:
    const char* name() const override { return "show"; }
    QString synopsis() const override { return QStringLiteral("TEST.tst|NAME.answers"); }
    QString summary() const override {
        return QStringLiteral("a test as readable text, an answer file run by run");
    }
    QString details() const override {
        return QStringLiteral(
            R"(Shows the test as text: its owner (never the password), the feedback after a
right and a wrong answer, the passing score, the answer order, then each
question with its kind, its choices, the one that is right and the explanation.
An answer file (.answers) is shown run by run: each answer, right or wrong, and
whether the run counts (its entry is in the score log beside it) or why not.
)");
    }

    int run(const Args& a, Console& io) override {
        if (a.files.size() != 1)
            return io.usage(QStringLiteral("give one test or answer file"));
        const QString path = a.files.front();
        const auto kind = filecheck::kindOf(path);
        if (kind == filecheck::FileKind::Answers)
            return showAnswers(path, io);
        // Read as a test, a log's 113-byte entries would be called an empty test.
        if (kind == filecheck::FileKind::Log)
            return io.usage(
                QStringLiteral("%1 is a score log; \"quizdex-tool log --csv\" lists its entries")
                    .arg(path));
        const auto count = testRecordCount(path, io);
        if (!count)
            return kFailed;
        QString text;
        const storage::IoStatus st = toolfiles::readRecords(
            path, storage::TestRecord::kSize, *count, [&](int n, const QByteArray& b) {
                storage::TestRecord rec;
                rec.setBytes(b);
                text += n == 1 ? testtext::header(rec, path, *count - 1)
                               : testtext::question(rec, n - 1);
            });
        if (!st)
            return io.failed(st);
        io.out << text;
        return kDone;
    }
};

} // namespace

std::unique_ptr<Command> showCommand() {
    return std::make_unique<Show>();
}

} // namespace tool
