#include "ClassResults.h"
#include "PdfBook.h"
#include "TextRules.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tool::results {

namespace {

using paper::drawText;
using paper::PdfBook;

using paper::kFailColour;
using paper::kPassColour;

// The score window's yellow passing bar.
const QColor kPassingBarColour(255, 255, 0);

QString percent(double x) {
    return percentText(x) + QLatin1Char('%');
}

void addTable(PdfBook& book, const TestReport& r) {
    const QFont text = book.font(10);
    const QFont bold = book.font(10, true);
    const qreal w = book.width();
    // Candidate, entries, latest, best, result: the name takes what is left.
    const qreal cols[] = {0, w * 0.46, w * 0.6, w * 0.74, w * 0.87, w};
    auto row = [&](const QStringList& cells, const QFont& font, bool rule) {
        qreal h = 0;
        for (int i = 0; i < 5; ++i)
            h = std::max(h, book.textHeight(font, cols[i + 1] - cols[i] - book.mm(2), cells[i]));
        h += book.mm(1.6);
        book.add(h, [=, &book](QPainter& p, const QRectF& area) {
            for (int i = 0; i < 5; ++i)
                drawText(p,
                         QRectF(area.left() + cols[i], area.top() + book.mm(0.8),
                                cols[i + 1] - cols[i] - book.mm(2), h),
                         font, cells[i]);
            p.setPen(QPen(rule ? Qt::black : Qt::lightGray, book.pt(rule ? 0.8 : 0.4)));
            p.drawLine(area.bottomLeft(), area.bottomRight());
        });
    };
    row({QStringLiteral("Candidate"), QStringLiteral("Entries"), QStringLiteral("Latest"),
         QStringLiteral("Best"), QStringLiteral("Result")},
        bold, true);
    for (const Standing& s : r.candidates)
        row({s.candidate, QString::number(s.entries), percent(s.latest), percent(s.best),
             s.passed ? QStringLiteral("pass") : QStringLiteral("fail")},
            text, false);
}

// The chart's rows: a label on the left, then the scores from 0 to 100 drawn
// to scale, short of a margin on the right.
struct ChartRow {
    qreal labelWidth; // from the row's left edge
    qreal zero;       // where a score of 0 lies
    qreal perPoint;   // the width of one point of score

    ChartRow(const PdfBook& book, const QRectF& r)
        : labelWidth(book.width() * 0.3), zero(r.left() + labelWidth),
          perPoint((r.right() - book.mm(2) - zero) / 100.0) {}
    qreal x(double score) const { return zero + score * perPoint; }
};

// One bar of the chart: its label on the left, the bar drawn to scale from
// 0 to 100 with the 0, 50 and 100 marks running through every bar.
void addBar(PdfBook& book, const QString& label, double score, const QString& caption,
            const QColor& fill, const QColor& ink) {
    const QFont text = book.font(9);
    const qreal h = book.mm(7);
    book.add(h, [=, &book](QPainter& p, const QRectF& r) {
        const ChartRow row(book, r);
        const qreal left = row.zero;
        const qreal textH = book.textHeight(text, row.labelWidth, QStringLiteral("X"));
        const qreal textTop = r.top() + (h - textH) / 2;
        drawText(p, QRectF(r.left(), textTop, row.labelWidth - book.mm(2), textH), text, label);
        const qreal barW = std::clamp(score, 0.0, 100.0) * row.perPoint;
        const QRectF bar(left, r.top() + book.mm(1), std::max(barW, book.pt(1)), h - book.mm(2));
        p.setPen(QPen(Qt::black, book.pt(0.5)));
        for (const double mark : {0.0, 50.0, 100.0})
            p.drawLine(QPointF(row.x(mark), r.top()), QPointF(row.x(mark), r.bottom()));
        p.fillRect(bar, fill); // over the marks, as the bars lie over the lines
        // The caption inside the bar when it fits, as the score window has it.
        const qreal capW = QFontMetricsF(text, p.device()).horizontalAdvance(caption);
        p.setPen(capW + book.mm(2) < barW ? ink : QColor(Qt::black));
        const qreal capX =
            capW + book.mm(2) < barW ? left + barW - capW - book.mm(1) : left + barW + book.mm(1);
        drawText(p, QRectF(capX, textTop, capW + book.mm(1), textH), text, caption);
    });
}

// The 0, 50 and 100 marks named above the bars.
void addScale(PdfBook& book) {
    const QFont text = book.font(8);
    const qreal h = book.textHeight(text, book.width(), QStringLiteral("100%"));
    book.add(h, [=, &book](QPainter& p, const QRectF& r) {
        const ChartRow row(book, r);
        for (const int mark : {0, 50, 100}) {
            const qreal x = row.x(mark);
            drawText(p, QRectF(x - book.mm(10), r.top(), book.mm(20), h), text,
                     QStringLiteral("%1%").arg(mark), Qt::AlignHCenter);
        }
    });
}

// Where the passing score comes from, as the page tells it; %1 the score.
QString passingLine(PassingFrom from) {
    switch (from) {
    case PassingFrom::Header:
        return QStringLiteral("Passing score %1, from the test's header");
    case PassingFrom::RunDefault:
        return QStringLiteral("Passing score %1, the one a run takes: the test's header sets none");
    case PassingFrom::NoTest:
        break;
    }
    return QStringLiteral(
        "Passing score %1: the test is not in the folder, so the score window's usual one");
}

void addReport(PdfBook& book, const TestReport& r) {
    const QFont title = book.font(16, true);
    const QFont text = book.font(10);
    const QFont bold = book.font(11, true);
    const qreal w = book.width();
    auto line = [&](const QString& s, const QFont& f, bool newPage = false) {
        book.add(
            book.textHeight(f, w, s) + book.mm(1),
            [=](QPainter& p, const QRectF& area) { drawText(p, area, f, s); }, newPage);
    };
    const double passing = r.passing.value_or(storage::rules::passingScore({}));
    line(QStringLiteral("Results: ") + r.test, title, true);
    line(passingLine(r.passingFrom).arg(percent(passing)), text);
    book.space(book.mm(4));
    addTable(book, r);
    book.space(book.mm(4));
    line(QStringLiteral("Passed: %1 of %2    Mean: %3    Median: %4")
             .arg(r.passedCount)
             .arg(r.candidates.size())
             .arg(percent(r.mean), percent(r.median)),
         bold);
    book.space(book.mm(5));
    line(QStringLiteral("Latest scores"), bold);
    addScale(book);
    addBar(book, QStringLiteral("Passing score"), passing,
           QStringLiteral("Passing Score = %1").arg(percent(passing)), kPassingBarColour,
           Qt::black);
    for (const Standing& s : r.candidates)
        addBar(book, s.candidate, s.latest,
               QStringLiteral("%1 (%2)").arg(percent(s.latest), s.passed ? QStringLiteral("PASS")
                                                                         : QStringLiteral("FAIL")),
               s.passed ? kPassColour : kFailColour, paper::kInkOnBars);
}

} // namespace

QByteArray reportPdf(const std::vector<TestReport>& reports, const QPageSize& size, int* pages) {
    PdfBook book(size, QStringLiteral("Class results"));
    for (const TestReport& r : reports)
        addReport(book, r);
    QByteArray pdf = book.finish();
    if (pages)
        *pages = book.pageCount();
    return pdf;
}

} // namespace tool::results
