#include "ClassResults.h"
#include "PdfBook.h"
#include "RunAnswers.h"

#include <algorithm>
#include <QFontMetricsF>
#include <QPainter>

namespace tool::answers {

namespace {

using paper::drawText;
using paper::PdfBook;

void addLine(PdfBook& book, const QString& text, const QFont& font, bool newPage = false) {
    book.add(
        book.textHeight(font, book.width(), text) + book.mm(1),
        [=](QPainter& p, const QRectF& area) { drawText(p, area, font, text); }, newPage);
}

QString itemLabel(const Item& i) {
    QString label = QStringLiteral("Q%1").arg(i.question);
    if (i.edited)
        label += i.text.isEmpty() ? QStringLiteral(" (no longer in the test)")
                                  : QStringLiteral(" (before an edit)");
    return i.text.isEmpty() ? label : label + QStringLiteral("  ") + i.text;
}

QString itemDetails(const Item& i) {
    QStringList parts{QStringLiteral("asked %1, right %2").arg(i.asked).arg(i.right)};
    if (i.commonWrongCount > 0)
        parts << QStringLiteral("most given wrong answer \"%1\" (%2)")
                     .arg(i.commonWrong)
                     .arg(i.commonWrongCount);
    if (i.discrimination)
        parts << QStringLiteral("discrimination %1").arg(*i.discrimination, 0, 'f', 2);
    if (!i.flags.isEmpty())
        parts << i.flags.join(QStringLiteral(", "));
    return parts.join(QStringLiteral("; "));
}

// A question's block: its label and its facility as a bar from 0 to 100 %,
// the 30 % and 90 % marks through it, then what else is known of it.
void addItem(PdfBook& book, const Item& item) {
    const QFont label = book.font(9, true);
    const QFont small = book.font(8);
    const qreal barH = book.mm(6);
    const qreal labelW = book.width() * 0.42;
    const QString details = itemDetails(item);
    const qreal h = barH + book.textHeight(small, book.width(), details) + book.mm(3);
    book.add(h, [=, &book](QPainter& p, const QRectF& r) {
        const QFontMetricsF metrics(label, p.device());
        drawText(p, QRectF(r.left(), r.top() + book.mm(1), labelW - book.mm(2), barH), label,
                 metrics.elidedText(itemLabel(item), Qt::ElideRight, labelW - book.mm(3)));
        const qreal left = r.left() + labelW;
        const qreal full = r.right() - book.mm(2) - left;
        const std::optional<double> facility = item.facility();
        if (facility) {
            const bool look = !item.flags.isEmpty();
            const QRectF bar(left, r.top(), std::max(full * *facility, book.pt(1)), barH);
            p.fillRect(bar, look ? paper::kFailColour : paper::kPassColour);
            const QString caption = results::percentText(100 * *facility) + QLatin1Char('%');
            const qreal capW = QFontMetricsF(small, p.device()).horizontalAdvance(caption);
            const bool inside = capW + book.mm(2) < bar.width();
            p.setPen(inside ? paper::kInkOnBars : QColor(Qt::black));
            drawText(p,
                     QRectF(inside ? bar.right() - capW - book.mm(1) : bar.right() + book.mm(1),
                            r.top() + book.mm(1), capW + book.mm(1), barH),
                     small, caption);
        } else {
            drawText(p, QRectF(left, r.top() + book.mm(1), full, barH), small,
                     QStringLiteral("not asked"));
        }
        p.setPen(QPen(Qt::black, book.pt(0.5), Qt::DashLine));
        for (const double mark : {0.0, 0.3, 0.9, 1.0})
            p.drawLine(QPointF(left + full * mark, r.top()),
                       QPointF(left + full * mark, r.top() + barH));
        drawText(p, QRectF(r.left(), r.top() + barH + book.mm(1), r.width(), h - barH), small,
                 details);
    });
}

void addItemReport(PdfBook& book, const ItemReport& r) {
    const QFont text = book.font(10);
    addLine(book, QStringLiteral("Item analysis: ") + r.test, book.font(16, true), true);
    addLine(book,
            QStringLiteral("%1 with answers; the top and the bottom group %2 each (27 %, by "
                           "score). Facility is the share right; discrimination the share right "
                           "in the top group less the share in the bottom group.")
                .arg(r.runs == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(r.runs),
                     r.groupSize == 1 ? QStringLiteral("1 run")
                                      : QStringLiteral("%1 runs").arg(r.groupSize)),
            text);
    if (r.runsWithout > 0)
        addLine(book,
                QStringLiteral("%1 logged without answers (before answers were kept) not counted.")
                    .arg(r.runsWithout == 1 ? QStringLiteral("1 run")
                                            : QStringLiteral("%1 runs").arg(r.runsWithout)),
                text);
    if (!r.testFound)
        addLine(book,
                QStringLiteral("The test is not beside the logs: questions by number, without "
                               "their text."),
                text);
    if (std::any_of(r.items.begin(), r.items.end(), [](const Item& i) { return i.edited; }))
        addLine(book,
                QStringLiteral("Answers to a question edited since are counted apart, marked "
                               "\"before an edit\"."),
                text);
    book.space(book.mm(4));
    addLine(book, QStringLiteral("Questions, worst first (dashed: 30 % and 90 %)"),
            book.font(11, true));
    std::vector<const Item*> order;
    for (const Item& i : r.items)
        order.push_back(&i);
    // Least often right first; questions never asked last.
    std::stable_sort(order.begin(), order.end(), [](const Item* a, const Item* b) {
        return a->facility().value_or(2) < b->facility().value_or(2);
    });
    for (const Item* i : order)
        addItem(book, *i);
}

// A row of wrapped cells between the column edges `edges`, with a rule below.
void addRow(PdfBook& book, const std::vector<qreal>& edges, const QStringList& cells,
            const QFont& font, bool heading) {
    qreal h = 0;
    for (std::size_t c = 0; c + 1 < edges.size(); ++c)
        h = std::max(h, book.textHeight(font, edges[c + 1] - edges[c] - book.mm(2),
                                        cells.value(qsizetype(c))));
    h += book.mm(1.6);
    book.add(h, [=, &book](QPainter& p, const QRectF& area) {
        for (std::size_t c = 0; c + 1 < edges.size(); ++c)
            drawText(p,
                     QRectF(area.left() + edges[c], area.top() + book.mm(0.8),
                            edges[c + 1] - edges[c] - book.mm(2), h),
                     font, cells.value(qsizetype(c)));
        p.setPen(QPen(heading ? Qt::black : Qt::lightGray, book.pt(heading ? 0.8 : 0.4)));
        p.drawLine(area.bottomLeft(), area.bottomRight());
    });
}

} // namespace

QByteArray itemsPdf(const std::vector<ItemReport>& reports, const QPageSize& size, int* pages) {
    PdfBook book(size, QStringLiteral("Item analysis"));
    for (const ItemReport& r : reports)
        addItemReport(book, r);
    QByteArray pdf = book.finish();
    if (pages)
        *pages = book.pageCount();
    return pdf;
}

QByteArray answersPdf(const std::vector<Run>& runs, const Tests& tests, const QPageSize& size,
                      int* pages) {
    PdfBook book(size, QStringLiteral("Answers"));
    const qreal w = book.width();
    const std::vector<qreal> edges = {0, w * 0.06, w * 0.52, w * 0.72, w * 0.9, w};
    const QFont text = book.font(9);
    const QFont bold = book.font(9, true);
    const Run* previous = nullptr;
    for (const Run& run : runs) {
        if (!previous || previous->candidate != run.candidate)
            addLine(book, QStringLiteral("Answers: ") + run.candidate, book.font(16, true), true);
        previous = &run;
        book.space(book.mm(4));
        addLine(book, runTitle(run), book.font(11, true));
        const std::vector<AnswerLine> lines = answerLines(run, tests);
        if (run.answers.isEmpty()) {
            addLine(book, lines.front().note, text);
            continue;
        }
        addRow(book, edges,
               {QStringLiteral("#"), QStringLiteral("Question"), QStringLiteral("Answer given"),
                QStringLiteral("Right answer"), QStringLiteral("Result")},
               bold, true);
        for (const AnswerLine& l : lines) {
            QString question = QStringLiteral("Q%1  %2").arg(l.question, l.text);
            if (!l.note.isEmpty())
                question += QStringLiteral(" (%1)").arg(l.note);
            addRow(book, edges, {l.place, question, l.given, l.right, l.result}, text, false);
        }
    }
    QByteArray pdf = book.finish();
    if (pages)
        *pages = book.pageCount();
    return pdf;
}

} // namespace tool::answers
