#include "PdfBook.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>

namespace tool::paper {

namespace {

constexpr int kResolution = 300; // dots per inch; plenty for text and bars
constexpr qreal kMarginMm = 18;

// Lays `text` out at `width`: its lines broken at words, and inside a word
// too long for a line; each CR LF, CR or LF a new paragraph. Paints it when
// `p` is given. Returns the height it takes.
qreal layOut(QPainter* p, QPaintDevice* device, const QPointF& at, const QFont& font, qreal width,
             const QString& text, int align) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const QFontMetricsF m(font, device);
    qreal y = 0;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& para : text.split(breaks)) {
        QTextLayout layout(para, font, device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            qreal x = 0;
            if (align & Qt::AlignHCenter)
                x = (width - line.naturalTextWidth()) / 2;
            else if (align & Qt::AlignRight)
                x = width - line.naturalTextWidth();
            line.setPosition(QPointF(x, y));
            y += m.lineSpacing();
        }
        layout.endLayout();
        if (p)
            layout.draw(p, at);
    }
    return y;
}

} // namespace

QPageSize localePaper() {
    const QLocale::Territory t = QLocale::system().territory();
    return QPageSize(t == QLocale::UnitedStates || t == QLocale::Canada ? QPageSize::Letter
                                                                        : QPageSize::A4);
}

PdfBook::PdfBook(const QPageSize& size, const QString& title)
    : m_buffer(std::make_unique<QBuffer>()) {
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(kResolution);
    m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait,
                                        QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                        QPageLayout::Millimeter));
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("quizdex-tool"));
}

PdfBook::~PdfBook() = default;

qreal PdfBook::width() const {
    return m_writer->pageLayout().paintRectPixels(kResolution).width();
}

qreal PdfBook::mm(qreal millimetres) const {
    return millimetres * kResolution / 25.4;
}

qreal PdfBook::pt(qreal points) const {
    return points * kResolution / 72.0;
}

QFont PdfBook::font(qreal points, bool bold) const {
    QFont f;
    f.setFamilies(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    // No ligatures: a reader's search and copy then find "ff" as two letters.
    f.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

qreal PdfBook::textHeight(const QFont& font, qreal width, const QString& text) const {
    return layOut(nullptr, m_writer.get(), {}, font, width, text, Qt::AlignLeft);
}

qreal PdfBook::textWidth(const QFont& font, const QString& text) const {
    return QFontMetricsF(font, m_writer.get()).horizontalAdvance(text);
}

void PdfBook::add(qreal height, Paint paint, bool newPage) {
    m_blocks.push_back({height, std::move(paint), newPage, false});
}

void PdfBook::space(qreal height) {
    m_blocks.push_back({height, {}, false, true});
}

std::vector<PdfBook::Placed> PdfBook::place(qreal bottom) {
    std::vector<Placed> placed;
    int pageNo = 1;
    qreal y = 0;
    bool pageEmpty = true;
    for (const Block& b : m_blocks) {
        if (b.space && (pageEmpty || y + b.height > bottom))
            continue; // space at a page's end or start is no space
        if (!pageEmpty && (b.newPage || y + b.height > bottom)) {
            ++pageNo;
            y = 0;
            pageEmpty = true;
        }
        if (!b.space)
            placed.push_back({&b, pageNo, y});
        y += b.height;
        pageEmpty = false;
    }
    m_pages = pageNo;
    return placed;
}

void PdfBook::paint(QPainter& p, const Placed& placed, const QRect& page, qreal bottom) const {
    // Each block starts with black ink, whatever the one before left.
    p.save();
    const qreal h = placed.block->height;
    if (h > bottom) {
        // Taller than a page (a text of many empty lines): shrunk to fit its
        // own page rather than split or cut.
        const qreal f = bottom / h;
        p.translate(0, placed.top);
        p.scale(f, f);
        placed.block->paint(p, QRectF(0, 0, page.width(), h));
    } else {
        placed.block->paint(p, QRectF(0, placed.top, page.width(), h));
    }
    p.restore();
}

QByteArray PdfBook::finish() {
    const QRect page = m_writer->pageLayout().paintRectPixels(kResolution);
    const QFont footFont = font(9);
    const qreal footer = QFontMetricsF(footFont, m_writer.get()).height() + mm(4);
    const qreal bottom = page.height() - footer;
    const std::vector<Placed> placed = place(bottom);

    QPainter p(m_writer.get());
    // The page's origin is the corner of the paint rectangle, inside the margins.
    int current = 1;
    auto footerOf = [&](int n) {
        drawText(p, QRectF(0, page.height() - footer + mm(4), page.width(), footer - mm(4)),
                 footFont, QStringLiteral("Page %1 of %2").arg(n).arg(m_pages), Qt::AlignHCenter);
    };
    for (const Placed& pl : placed) {
        while (current < pl.page) {
            footerOf(current);
            m_writer->newPage();
            ++current;
        }
        paint(p, pl, page, bottom);
    }
    while (current <= m_pages) {
        footerOf(current);
        if (current < m_pages)
            m_writer->newPage();
        ++current;
    }
    p.end();
    return m_buffer->data();
}

void drawText(QPainter& p, const QRectF& r, const QFont& font, const QString& text, int align) {
    p.setFont(font);
    layOut(&p, p.device(), r.topLeft(), font, r.width(), text, align);
}

} // namespace tool::paper
