#pragma once

#include "Question.h"

#include <optional>
#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// The records of the program's files as the tests expect them on disk, put
// together from the layouts alone (each field's offset and width, text in
// Windows-1252 padded with blanks, numbers 16-bit little-endian), never through
// the program's record classes: an expected record cannot share their faults.
namespace testing {

// The working folder set to `dir` while it lives (as a user's shell has it,
// for bare file names), and put back after, whatever a check changed it to.
class InFolder {
public:
    explicit InFolder(const QString& dir = QStringLiteral(".")) : m_was(QDir::currentPath()) {
        QDir::setCurrent(dir);
    }
    ~InFolder() { QDir::setCurrent(m_was); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    QString m_was;
};

// The bytes of the file at `path` (empty when it cannot be read), and a file
// written whole; a file that cannot be written ends the test run.
QByteArray fileBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// The names in the folder `dir` that match `filters` (all when none), hidden
// and special files too.
QStringList namesIn(const QString& dir, const QStringList& filters = {});
// What the system says of the error `err`.
QString systemText(int err);

// Bytes 0x80 to 0x9F of Windows-1252 as the code page publishes them, its five
// holes kept as the C1 controls.
inline const QString kCp1252High =
    QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
// `text` in Windows-1252, a '?' for each character outside it.
QByteArray cp1252(const QString& text);
// `text` in the field at `offset`, padded with blanks or cut to `width`.
void putText(QByteArray& record, int offset, int width, const QString& text);
void putInt16(QByteArray& record, int offset, int value);

constexpr int kTestRecord = 2514, kLogEntry = 113, kAnswerRecord = 300;

// A test's header as the create door writes it: NULs wherever it sets
// nothing, the passing score too until the properties set one.
struct Header {
    QString owner = QStringLiteral("o"), password = QStringLiteral("p");
    QString right = QStringLiteral("1000"), wrong = QStringLiteral("1110"); // feedback flags
    std::optional<QString> passing = {};
    int shuffle = 1;
};
QByteArray headerRecord(const Header& header = {});

// A question's fields as the editor stores them. `right` is the correct
// answer's field, which keeps what the record held when no choice is marked.
struct Fields {
    QString type = QStringLiteral("TRUE/FALSE"), text = {};
    QStringList choices = {};
    std::optional<QString> right = {};
    QString explanation = {};
};
// Question `number` stored over `base`, the record it takes the place of,
// whose reserved fields and answer-order flag it keeps.
QByteArray questionRecord(int number, const Fields& question,
                          QByteArray base = QByteArray(kTestRecord, '\0'));
// A test as the editor writes one: the header, then each question stored over
// the record before it.
QByteArray testFile(const Header& header = {}, const QList<Fields>& questions = {});
QByteArray testFile(const Header& header, const std::vector<storage::Question>& questions);
// True/false questions "Q1" to "Qn", each answered TRUE.
QList<Fields> numberedQuestions(int n);

// A score log entry.
struct Entry {
    QString test = QStringLiteral("MATH1"), date = QStringLiteral("12/5/98"),
            time = QStringLiteral("10:35:12 PM"), score = QStringLiteral("80");
    int questions = 10;
};
QByteArray logEntry(const Entry& entry = {});

// One record of an answer file: a question asked in the run that log entry
// `entry` names.
struct Answer {
    Entry run = {}; // test, date, time and number of questions as the entry has them
    int entry = 1, asked = 1, record = 2;
    QString checksum = QStringLiteral("00000000");
    int choice = 0;
    bool right = false;
    QString text = {};
};
QByteArray answerRecord(const Answer& answer);

// A record class read from `bytes`, for calls that take one.
template <class Record> Record recordOf(const QByteArray& bytes) {
    Record r;
    r.setBytes(bytes);
    return r;
}

} // namespace testing
