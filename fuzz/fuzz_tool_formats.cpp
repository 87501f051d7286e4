// Any bytes as a GIFT, Aiken, CSV or Moodle XML file, and as a test exported
// to GIFT, CSV and Moodle XML and imported back: the readers take anything,
// and whatever export writes, import reads back to the same question records,
// each numbered by its place.
#include "Aiken.h"
#include "Csv.h"
#include "FuzzInput.h"
#include "Gift.h"
#include "MoodleXml.h"
#include "RecordFile.h"
#include "TestRecord.h"
#include "Tool.h"

#include <cstdint>
#include <cstdlib>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

int run(const QStringList& args, QString* err = nullptr) {
    QString out, errors;
    QTextStream o(&out), e(&errors);
    const int status = tool::run(args, o, e);
    e.flush();
    if (err)
        *err = errors;
    return status;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)tool::gift::read(text);
    (void)tool::aiken::read(text);
    (void)tool::csv::readQuestions(text);
    (void)tool::moodlexml::read(text);

    const QString test = inputAsFile(data, size, QStringLiteral("fuzz.tst"));
    const QDir dir = QFileInfo(test).dir();
    const storage::RecordFile original(test, storage::TestRecord::kSize);
    for (const QString& format :
         {QStringLiteral("gift"), QStringLiteral("csv"), QStringLiteral("moodlexml")}) {
        const QString exported = dir.filePath(QStringLiteral("fuzz.") + format);
        const QString back = dir.filePath(QStringLiteral("Back.tst"));
        QFile::remove(back);
        QString notes;
        if (run({QStringLiteral("export"), QStringLiteral("--format"), format,
                 QStringLiteral("--skip"), test, QStringLiteral("-o"), exported},
                &notes) != 0)
            continue; // not a test at all
        QString err;
        const int status =
            run({QStringLiteral("import"), QStringLiteral("--format"), format, exported,
                 QStringLiteral("-o"), back, QStringLiteral("--owner"), QStringLiteral("o"),
                 QStringLiteral("--password"), QStringLiteral("p")},
                &err);
        if (status != 0) {
            check(err.contains(QStringLiteral("no questions to import")));
            continue;
        }
        if (notes.contains(QStringLiteral("(left out)")))
            continue;
        const auto count = original.count();
        const storage::RecordFile imported(back, storage::TestRecord::kSize);
        const auto importedCount = imported.count();
        check(count && importedCount && *importedCount == *count);
        for (int n = 2; n <= *count; ++n) {
            const auto a = original.read(n);
            const auto b = imported.read(n);
            check(a && b);
            storage::TestRecord placed;
            placed.setBytes(*a);
            placed.setQuestionNumber(static_cast<std::int16_t>(n - 1));
            check(placed.bytes() == *b);
        }
    }
    return 0;
}
