#include "TestText.h"

#include "Exchange.h"
#include "FileCheck.h"
#include "HeaderRecord.h"
#include "TextLines.h"
#include "TextRules.h"

#include <QTextStream>

namespace tool::testtext {

namespace {

QString kindWords(storage::QuestionKind kind) {
    switch (kind) {
    case storage::QuestionKind::TrueFalse:
        return QStringLiteral("true/false");
    case storage::QuestionKind::Typed:
        return QStringLiteral("typed answer");
    case storage::QuestionKind::Multiple:
        break;
    }
    return QStringLiteral("multiple choice");
}

// Each line of `text` after `indent`; the lines after the first further in.
QString indented(const QString& text, const QString& indent) {
    QString out;
    int n = 0;
    lines::forEachLine(text, [&](QStringView line, int) {
        out += n++ == 0 ? indent : indent + QStringLiteral("   ");
        out += line;
        out += QLatin1Char('\n');
    });
    return n == 0 ? indent + QLatin1Char('\n') : out;
}

QString feedbackWords(const storage::TestRecord& h, storage::FieldSpec field, const char* verdict) {
    QStringList items;
    if (storage::flagOn(h, field, 1))
        items << QStringLiteral("\"%1\"").arg(QLatin1String(verdict));
    if (storage::flagOn(h, field, 2))
        items << QStringLiteral("the explanation");
    if (storage::flagOn(h, field, 3))
        items << QStringLiteral("the right answer");
    if (storage::flagOn(h, field, 4))
        items << QStringLiteral("the grade so far");
    return items.isEmpty() ? QStringLiteral("nothing") : items.join(QStringLiteral(", "));
}

} // namespace

QString header(const storage::TestRecord& h, const QString& path, int questions) {
    QString out;
    QTextStream s(&out);
    s << "Test: " << storage::rules::testNameFromPath(path) << '\n';
    s << "Questions: " << questions << '\n';
    s << "Owner: " << filecheck::visible(h.text(storage::TestRecord::Owner)) << '\n';
    s << "After a right answer: "
      << feedbackWords(h, storage::TestRecord::CorrectFeedback, "Correct!") << '\n';
    s << "After a wrong answer: "
      << feedbackWords(h, storage::TestRecord::IncorrectFeedback, "Incorrect!") << '\n';
    const double passing = storage::rules::leadingNumber(h.text(storage::TestRecord::PassingScore));
    if (passing == 0)
        s << "Passing score: not set (a run takes 75%)\n";
    else
        s << "Passing score: " << passing << "%\n";
    const std::int16_t order = h.shuffleFlag();
    s << "Answer order: "
      << (order == 1   ? QStringLiteral("shuffled")
          : order == 0 ? QStringLiteral("as entered")
                       : QStringLiteral("unknown (%1)").arg(order))
      << '\n';
    return out;
}

QString question(const storage::TestRecord& rec, int k) {
    QString out = QStringLiteral("\nQuestion %1").arg(k);
    const auto q = exchange::questionOf(rec);
    if (!q) {
        out += QStringLiteral(" (unknown kind \"%1\")\n")
                   .arg(filecheck::visible(rec.text(storage::TestRecord::QuestionType)));
        return out + indented(rec.text(storage::TestRecord::QuestionText), QStringLiteral("  "));
    }
    out += QStringLiteral(" (%1)\n").arg(kindWords(q->kind));
    out += indented(q->text, QStringLiteral("  "));
    if (q->kind == storage::QuestionKind::Multiple) {
        int last = q->correct;
        for (int i = 1; i <= 5; ++i) {
            if (!q->choices[static_cast<std::size_t>(i - 1)].isEmpty())
                last = std::max(last, i);
        }
        for (int i = 1; i <= last; ++i) {
            const QString& c = q->choices[static_cast<std::size_t>(i - 1)];
            QString line = c.isEmpty() ? QStringLiteral("(empty)") : c;
            if (i == q->correct)
                line += QStringLiteral("   <- right");
            out += indented(line, QStringLiteral("  %1) ").arg(i));
        }
    } else if (q->correct > 0) {
        out += indented(q->choices[static_cast<std::size_t>(q->correct - 1)],
                        QStringLiteral("  Answer: "));
    }
    if (q->correct == 0)
        out += QStringLiteral("  (no choice is marked as the answer)\n");
    if (!q->explanation.isEmpty())
        out += indented(q->explanation, QStringLiteral("  Explanation: "));
    return out;
}

} // namespace tool::testtext
