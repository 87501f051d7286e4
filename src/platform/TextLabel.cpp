#include "TextLabel.h"

#include <cmath>
#include <QPainter>
#include <QTextLayout>

namespace {
// As a plain label shows it: a carriage return as a blank, a line feed as a break.
QString shownLines(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}
} // namespace

QRect TextLabel::textRect(const QRect& outer) const {
    const QMargins frame = contentsMargins();
    const int m = margin();
    return outer.marginsRemoved(frame).adjusted(m, m, -m, -m);
}

int TextLabel::breakLines(QTextLayout& layout, int width) const {
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal leading = std::max(0, fontMetrics().leading());
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (line.lineNumber() > 0)
            y += leading;
        // Whole pixels, as Qt places the lines of a plain label.
        y = std::ceil(y);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(y));
}

int TextLabel::heightForWidth(int width) const {
    if (!wordWrap())
        return QLabel::heightForWidth(width);
    const QRect inner = textRect(QRect(0, 0, width, 0));
    const int outer = -inner.height(); // the frame and margins above and below
    if (text().isEmpty())
        return outer;
    QTextLayout layout(shownLines(text()), font(), this);
    return breakLines(layout, inner.width()) + outer;
}

int TextLabel::firstLineMiddle() const {
    return textRect(rect()).top() + fontMetrics().height() / 2;
}

QRect TextLabel::textExtent() const {
    if (!wordWrap() || textFormat() != Qt::PlainText || text().isEmpty())
        return rect();
    const QRect r = textRect(rect());
    QTextLayout layout(shownLines(text()), font(), this);
    breakLines(layout, r.width());
    QRectF used;
    for (int i = 0; i < layout.lineCount(); ++i)
        used |= layout.lineAt(i).naturalTextRect();
    const int left = r.left() + static_cast<int>(std::floor(used.left()));
    const int right = r.left() + static_cast<int>(std::ceil(used.right()));
    return QRect(QPoint(std::max(0, left), 0), QPoint(std::min(width(), right) - 1, height() - 1));
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (!wordWrap() || textFormat() != Qt::PlainText) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect r = textRect(rect());
    QTextLayout layout(shownLines(text()), font(), this);
    const int height = breakLines(layout, r.width());
    int top = r.top();
    if (alignment() & Qt::AlignVCenter)
        top += (r.height() - height) / 2;
    else if (alignment() & Qt::AlignBottom)
        top += r.height() - height;
    painter.setClipRect(r);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, foregroundRole()));
    layout.draw(&painter, QPointF(r.left(), top));
}
