#include "HeaderRecord.h"

#include "Cp1252.h"
#include "TextRules.h"

namespace storage {

namespace {
// Typed text as a header field of `width` would hold it.
QString asStored(const QString& typed, int width) {
    return cp1252::decode(cp1252::encode(typed).left(width));
}
} // namespace

QString testNameProblem(const QString& name) {
    return rules::fileNameProblem(name, QStringLiteral(".tst"));
}

void fillNewHeader(TestRecord& rec, const QString& owner, const QString& password) {
    rec.clear(); // nothing of a test read earlier goes into the new one
    rec.setText(TestRecord::Owner, owner);
    rec.setText(TestRecord::Password, password);
    rec.setShuffleFlag(1);
    rec.setText(TestRecord::CorrectFeedback, QStringLiteral("1000"));
    rec.setText(TestRecord::IncorrectFeedback, QStringLiteral("1110"));
}

bool ownerAndPasswordMatch(const TestRecord& header, const QString& owner,
                           const QString& password) {
    return header.text(TestRecord::Owner)
                   .compare(asStored(owner, TestRecord::Owner.width), Qt::CaseInsensitive) == 0 &&
           header.text(TestRecord::Password)
                   .compare(asStored(password, TestRecord::Password.width), Qt::CaseInsensitive) ==
               0;
}

bool flagOn(const TestRecord& header, FieldSpec field, int position) {
    if (position < 1 || position > field.width)
        return false;
    return header.raw(field).at(position - 1) == '1';
}

QString flagText(const std::array<bool, 4>& on) {
    QString out;
    for (bool b : on)
        out += b ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

int passingScoreToShow(const TestRecord& header) {
    const double v = rules::leadingNumber(header.text(TestRecord::PassingScore));
    if (!(v > 49))
        return 75;
    if (v >= 100)
        return 100;
    return static_cast<int>(rules::roundHalfEven(v));
}

QString passingScoreText(int score) {
    return rules::numberText(static_cast<long long>(score));
}

} // namespace storage
