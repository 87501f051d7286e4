#pragma once

#include <functional>
#include <memory>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QBuffer;
class QPainter;
class QPdfWriter;

// A PDF made of blocks stacked down the page: a block never splits across a
// page break, and each page ends with "Page 2 of 5". Fonts are embedded, so
// every character of Windows-1252 prints on any reader. Needs a
// QGuiApplication (the offscreen platform does).
namespace tool::paper {

// The score window's colours, which the reports' bars take: its standard
// palette's green for a pass and red for a fail. White reads on both (5.1:1
// and 10.9:1); black on the green would be 4.1:1, under the 4.5:1 text needs.
inline const QColor kPassColour(0, 128, 0);
inline const QColor kFailColour(128, 0, 0);
inline const QColor kInkOnBars(Qt::white);

// The paper of the user's locale: letter in the United States and Canada,
// A4 elsewhere.
QPageSize localePaper();

class PdfBook {
public:
    PdfBook(const QPageSize& size, const QString& title);
    ~PdfBook();
    PdfBook(const PdfBook&) = delete;
    PdfBook& operator=(const PdfBook&) = delete;

    using Paint = std::function<void(QPainter&, const QRectF&)>;

    // The width a block may take, and millimetres and points in its units.
    qreal width() const;
    qreal mm(qreal millimetres) const;
    qreal pt(qreal points) const;
    // The program's text face at `points`, bold or not.
    QFont font(qreal points, bool bold = false) const;
    // The height `text` takes, wrapped at `width`, in `font`.
    qreal textHeight(const QFont& font, qreal width, const QString& text) const;
    // The width of `text` on one line.
    qreal textWidth(const QFont& font, const QString& text) const;

    // A block `height` high, painted into its rectangle; `newPage` starts it
    // on a page of its own.
    void add(qreal height, Paint paint, bool newPage = false);
    // Blank space; dropped at the top of a page.
    void space(qreal height);
    // Starts a part on a page of its own, whose pages are counted apart and
    // whose footers name it: "Version A, page 2 of 3".
    void startSection(const QString& label);

    // Lays the blocks out on pages and gives the PDF's bytes.
    QByteArray finish();
    int pageCount() const { return m_pages; }

private:
    struct Block {
        qreal height;
        Paint paint;
        bool newPage;
        bool space;
        int section;
    };
    struct Placed {
        const Block* block;
        int page;
        qreal top;
    };
    // Where each block goes, its page and its top, on pages `bottom` high;
    // counts the pages, so that the footers can tell their number.
    std::vector<Placed> place(qreal bottom);
    void paint(QPainter& p, const Placed& placed, const QRect& page, qreal bottom) const;
    // The footer of page `page` (from 1): its number within its section.
    QString footer(int page) const;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    std::vector<Block> m_blocks;
    int m_pages = 0;
    QStringList m_sections{QString()}; // the footers' labels; none before the first
    bool m_sectionStarts = false;      // the next block starts a new section's page
    std::vector<int> m_pageSection;    // the section of each page
};

// `text` wrapped at the rectangle's width, line breaks of any kind kept.
void drawText(QPainter& p, const QRectF& r, const QFont& font, const QString& text,
              int align = Qt::AlignLeft);

} // namespace tool::paper
