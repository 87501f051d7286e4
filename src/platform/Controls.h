#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Positions and sizes are given in twips: 15 twips are one pixel at 96 dpi.
namespace platform::ui {

constexpr int px(int twips) {
    return (twips + 7) / 15;
}
constexpr QRect twips(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// The standard 16-colour palette by number (0 black ... 15 bright white).
QColor standardColor(int n);
inline QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

// Arial 8.25 point, the default control font.
QFont defaultFont();
QFont font(const QString& family, double points, bool bold = false, bool italic = false);

// Gives the control its control name as objectName, by which tests and
// automation find it. Assistive technology reads a control's own text (a
// label's text, a caption, a window's title), so those get no other name: a
// set accessible name would freeze what is read while the text moves on.
void name(QWidget* w, const QString& controlName);
// What assistive technology reads for a control that shows no text of its own
// and has no label beside it: a picture, a frame, a box.
void readAs(QWidget* w, const QString& spokenName);
// The label beside `control` names it. The label's caption must hold no '&':
// it would become a keyboard shortcut. A list is read by the caption the label
// has now.
void labelFor(QLabel* label, QWidget* control);
// A text to read, not to change: read-only, with a caret that the arrow keys,
// Page Up and Down and Ctrl+Home and End move, so that a keyboard or screen
// reader user goes through it line by line. Qt gives a read-only text none.
void makeReadOnly(QPlainTextEdit* text);

// What a text box or caption shows of a stored value: the text before its first
// NUL. Fields that no writer ever assigned hold NULs and show as empty.
QString shownText(const QString& stored);

// Controls made the one way: named (see name()), placed at `where` when it is
// given (see Layout.h). Labels show their text as plain text, never as markup,
// since many show what a user typed, and wrap it to as many lines as it needs. Buttons never become
// the default by taking focus. A text box is read by the label beside it.
QLabel* label(QWidget* parent, const QString& controlName, const QString& caption,
              const QRect& where = {});
QPushButton* button(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where = {});
QCheckBox* checkBox(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where = {});
QLineEdit* lineEdit(QWidget* parent, const QString& controlName, QLabel* label,
                    const QRect& where = {});

void setBackColor(QWidget* w, const QColor& c);
void setForeColor(QWidget* w, const QColor& c);
QColor backColor(const QWidget* w);
// How far apart two colours are to the eye, from 1 (the same) to 21 (black and
// white); text needs at least 4.5 against what is behind it to be read.
double contrastRatio(const QColor& a, const QColor& b);
// Black or white, whichever reads better on `background`.
QColor readableOn(const QColor& background);
QColor foreColor(const QWidget* w);

} // namespace platform::ui
