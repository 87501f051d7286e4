#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Positions and sizes are given in twips: 15 twips are one pixel at 96 dpi.
namespace ui {

constexpr int px(int twips) {
    return (twips + 7) / 15;
}
constexpr QRect twips(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// The standard 16-colour palette by number (0 black ... 15 bright white).
QColor qbColor(int n);
inline QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

// Arial 8.25 point, the default control font.
QFont defaultFont();
QFont font(const QString& family, double points, bool bold = false, bool italic = false);

// Names the control for automation and screen readers: its control name as
// objectName, and its caption (without '&') or the label beside it as its
// accessible name.
void name(QWidget* w, const QString& controlName, const QString& accessibleName = {});
QString captionWithoutMnemonic(const QString& caption);

// What a text box or caption shows of a stored value: the text before its first
// NUL. Fields that no writer ever assigned hold NULs and show as empty.
QString shownText(const QString& stored);

// Controls made the one way: named (see name()), placed at `where` when it is
// given. Labels show their text as plain text, never as markup, since many
// show what a user typed. Buttons never become the default by taking focus.
QLabel* label(QWidget* parent, const QString& controlName, const QString& caption,
              const QRect& where = {}, const QString& accessibleName = {});
QPushButton* button(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where = {});
QCheckBox* checkBox(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where = {});
QLineEdit* lineEdit(QWidget* parent, const QString& controlName, const QString& labelText,
                    const QRect& where = {});

void setBackColor(QWidget* w, const QColor& c);
void setForeColor(QWidget* w, const QColor& c);
QColor backColor(const QWidget* w);
QColor foreColor(const QWidget* w);

} // namespace ui
