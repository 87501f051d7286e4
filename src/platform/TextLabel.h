#pragma once

#include <QLabel>

class QTextLayout;

// A label for plain text. With word wrap on, its lines break between words and,
// where one word is wider than the label, inside that word, so that every
// character shows; heightForWidth() tells how tall the lines are, which is
// what the window's layout gives the label (see Layout.h).
class TextLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    bool hasHeightForWidth() const override { return wordWrap(); }
    // The height the text takes at `width`, the label's frame and margins included.
    int heightForWidth(int width) const override;
    // How far below the label's top the middle of its first line lies.
    int firstLineMiddle() const;
    // The part of the label its text covers, from its widest line's left to
    // its right, the label's full height; what must be in view to read it.
    QRect textExtent() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Breaks the text into lines `width` pixels wide; returns their height.
    int breakLines(QTextLayout& layout, int width) const;
    QRect textRect(const QRect& outer) const;
};
