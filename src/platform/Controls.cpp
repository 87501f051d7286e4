#include "Controls.h"

#include "Layout.h"
#include "TextLabel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace platform::ui {

QColor standardColor(int n) {
    // Blue is the low bit of the number: 1 is dark blue, 4 dark red.
    static constexpr std::array<QRgb, 16> kByNumber = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return QColor::fromRgb(kByNumber[static_cast<std::size_t>(n & 15)]);
}

QFont defaultFont() {
    return font(QStringLiteral("Arial"), 8.25);
}

QFont font(const QString& family, double points, bool bold, bool italic) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QString shownText(const QString& stored) {
    const qsizetype nul = stored.indexOf(QChar(0));
    return nul < 0 ? stored : stored.left(nul);
}

void name(QWidget* w, const QString& controlName) {
    w->setObjectName(controlName);
}

void readAs(QWidget* w, const QString& spokenName) {
    w->setAccessibleName(spokenName);
}

void labelFor(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    // Lists ignore the label beside them; they are read by its caption.
    if (qobject_cast<QAbstractItemView*>(control))
        control->setAccessibleName(label->text());
}

void makeReadOnly(QPlainTextEdit* text) {
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

namespace {
template <class T> T* placed(T* w, const QRect& where) {
    if (where.isValid())
        place(w, where);
    return w;
}
} // namespace

QLabel* label(QWidget* parent, const QString& controlName, const QString& caption,
              const QRect& where) {
    auto* l = new TextLabel(parent);
    l->setTextFormat(Qt::PlainText);
    // A text longer than its place takes more lines, and the layout gives it them.
    l->setWordWrap(true);
    l->setText(caption);
    name(l, controlName);
    return placed(l, where);
}

QPushButton* button(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where) {
    auto* b = new QPushButton(caption, parent);
    name(b, controlName);
    b->setAutoDefault(false);
    return placed(b, where);
}

QCheckBox* checkBox(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where) {
    auto* c = new QCheckBox(caption, parent);
    name(c, controlName);
    return placed(c, where);
}

QLineEdit* lineEdit(QWidget* parent, const QString& controlName, QLabel* label,
                    const QRect& where) {
    auto* t = new QLineEdit(parent);
    name(t, controlName);
    labelFor(label, t);
    return placed(t, where);
}

void setBackColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setForeColor(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

double contrastRatio(const QColor& a, const QColor& b) {
    // Relative luminance as WCAG 2 defines it, from sRGB.
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background) {
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

QColor backColor(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}
QColor foreColor(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace platform::ui
