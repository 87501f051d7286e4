#include "Controls.h"

#include <array>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace ui {

QColor qbColor(int n) {
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

QString captionWithoutMnemonic(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                out.append(QLatin1Char('&')), ++i;
            continue;
        }
        out.append(caption.at(i));
    }
    return out;
}

QString shownText(const QString& stored) {
    const qsizetype nul = stored.indexOf(QChar(0));
    return nul < 0 ? stored : stored.left(nul);
}

void name(QWidget* w, const QString& controlName, const QString& accessibleName) {
    w->setObjectName(controlName);
    const QString acc = captionWithoutMnemonic(accessibleName).trimmed();
    w->setAccessibleName(acc.isEmpty() ? controlName : acc);
}

namespace {
template <class T> T* placed(T* w, const QRect& where) {
    if (where.isValid())
        w->setGeometry(where);
    return w;
}
} // namespace

QLabel* label(QWidget* parent, const QString& controlName, const QString& caption,
              const QRect& where, const QString& accessibleName) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setText(caption);
    name(l, controlName, accessibleName.isEmpty() ? caption : accessibleName);
    return placed(l, where);
}

QPushButton* button(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where) {
    auto* b = new QPushButton(caption, parent);
    name(b, controlName, caption);
    b->setAutoDefault(false);
    return placed(b, where);
}

QCheckBox* checkBox(QWidget* parent, const QString& controlName, const QString& caption,
                    const QRect& where) {
    auto* c = new QCheckBox(caption, parent);
    name(c, controlName, caption);
    return placed(c, where);
}

QLineEdit* lineEdit(QWidget* parent, const QString& controlName, const QString& labelText,
                    const QRect& where) {
    auto* t = new QLineEdit(parent);
    name(t, controlName, labelText);
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

QColor backColor(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}
QColor foreColor(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace ui
