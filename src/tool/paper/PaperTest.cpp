#include "PaperTest.h"

#include "Choices.h"
#include "PdfBook.h"

#include <QPainter>

namespace tool::paper {

using storage::Question;
using storage::QuestionKind;

namespace {

// The right answer as the key shows it: "B) Paris", "TRUE", the typed text.
QString rightAnswer(const Question& q) {
    if (q.correct < 1 || q.correct > 5)
        return QStringLiteral("(none marked)");
    const auto i = static_cast<std::size_t>(q.correct - 1);
    if (q.kind == QuestionKind::Multiple)
        return choices::letters(q)[i] + QStringLiteral(") ") + q.choices[i];
    return q.choices[i];
}

void addHeading(PdfBook& book, const PaperTest& test, bool key) {
    const QFont title = book.font(16, true);
    const QFont small = book.font(10);
    const QString name = key ? test.name + QStringLiteral(": answer key") : test.name;
    const qreal w = book.width();
    book.add(book.textHeight(title, w, name),
             [=](QPainter& p, const QRectF& r) { drawText(p, r, title, name); });
    const QString owner = QStringLiteral("Owner: ") + test.owner;
    book.add(book.textHeight(small, w, owner) + book.mm(2),
             [=](QPainter& p, const QRectF& r) { drawText(p, r, small, owner); });
    if (!key) {
        // Lines to write the name and the date on.
        const qreal h = book.textHeight(small, w, QStringLiteral("Name:")) + book.mm(6);
        const qreal gap = book.mm(2);
        const qreal nameW = book.textWidth(small, QStringLiteral("Name:")) + book.mm(1);
        const qreal dateW = book.textWidth(small, QStringLiteral("Date:")) + book.mm(1);
        book.add(h, [=, &book](QPainter& p, const QRectF& r) {
            const qreal base = r.bottom() - book.mm(1);
            const qreal dateX = r.left() + r.width() * 0.62;
            drawText(p, QRectF(r.left(), base - h / 2, nameW, h), small, QStringLiteral("Name:"));
            drawText(p, QRectF(dateX, base - h / 2, dateW, h), small, QStringLiteral("Date:"));
            p.setPen(QPen(Qt::black, book.pt(0.6)));
            p.drawLine(QPointF(r.left() + nameW + gap, base), QPointF(dateX - book.mm(6), base));
            p.drawLine(QPointF(dateX + dateW + gap, base), QPointF(r.right(), base));
        });
    }
    book.space(book.mm(6));
}

void addQuestion(PdfBook& book, const Question& q, int number, bool key) {
    const QFont text = book.font(11);
    const QFont bold = book.font(11, true);
    const qreal indent = book.mm(9);
    const qreal gap = book.mm(1.5);
    struct Part {
        qreal x;
        QString text;
        QFont font;
        bool ruled = false;
    };
    std::vector<Part> parts{{indent, q.text, text}};
    const qreal choiceX = indent + book.mm(3);
    if (key) {
        parts.push_back({choiceX, QStringLiteral("Answer: ") + rightAnswer(q), bold});
        if (!q.explanation.isEmpty())
            parts.push_back({choiceX, QStringLiteral("Explanation: ") + q.explanation, text});
    } else if (q.kind == QuestionKind::Multiple) {
        const auto letters = choices::letters(q);
        for (std::size_t i = 0; i < letters.size(); ++i) {
            if (!letters[i].isEmpty())
                parts.push_back({choiceX, letters[i] + QStringLiteral(")  ") + q.choices[i], text});
        }
    } else if (q.kind == QuestionKind::TrueFalse) {
        parts.push_back({choiceX, QStringLiteral("TRUE  /  FALSE"), text});
    } else {
        parts.push_back({choiceX, QString(), text, true});
    }
    std::vector<qreal> heights;
    qreal total = 0;
    for (const Part& part : parts) {
        const qreal h =
            part.ruled ? book.mm(9) : book.textHeight(part.font, book.width() - part.x, part.text);
        heights.push_back(h);
        total += h + gap;
    }
    const QString label = QStringLiteral("%1.").arg(number);
    book.add(total, [=, &book](QPainter& p, const QRectF& r) {
        drawText(p, QRectF(r.left(), r.top(), indent, heights[0]), bold, label);
        qreal y = r.top();
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Part& part = parts[i];
            const QRectF area(r.left() + part.x, y, r.width() - part.x, heights[i]);
            if (part.ruled) {
                p.setPen(QPen(Qt::black, book.pt(0.6)));
                p.drawLine(QPointF(area.left(), area.bottom()),
                           QPointF(area.right(), area.bottom()));
            } else {
                drawText(p, area, part.font, part.text);
            }
            y += heights[i] + gap;
        }
    });
    book.space(book.mm(4));
}

} // namespace

QByteArray printTest(const PaperTest& test, bool key, const QPageSize& size, int* pages) {
    PdfBook book(size, key ? test.name + QStringLiteral(": answer key") : test.name);
    addHeading(book, test, key);
    int n = 0;
    for (const Question& q : test.questions)
        addQuestion(book, q, ++n, key);
    QByteArray pdf = book.finish();
    if (pages)
        *pages = book.pageCount();
    return pdf;
}

} // namespace tool::paper
