#include "Spoken.h"

#include "Controls.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace spoken {

QString shownText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(w))
        return frame->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return QString(button->text()).remove(QLatin1Char('&'));
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(w))
        return edit->toPlainText();
    return {};
}

namespace {
// A screen reader reads the loose labels of a dialog (those that label
// nothing) instead of its description, or as well, out of order. A label that
// is its own buddy labels something; a text with '&' would become a shortcut
// as a buddy's caption, so such a label stays loose.
void tieDown(QWidget* part) {
    auto* label = qobject_cast<QLabel*>(part);
    if (!label || (label->buddy() && label->buddy() != label))
        return;
    label->setBuddy(label->text().contains(QLatin1Char('&')) ? nullptr : label);
}
} // namespace

void describeWindow(QWidget* window, const QList<QWidget*>& parts) {
    QStringList texts;
    for (QWidget* part : parts) {
        if (!part || !part->isVisibleTo(window))
            continue;
        tieDown(part);
        const QString text = shownText(part).simplified();
        if (!text.isEmpty())
            texts << text;
    }
    // Each text is its own sentence to the reader, as it is its own line on
    // screen.
    QString description;
    for (const QString& text : texts) {
        if (!description.isEmpty())
            description += description.back().isPunct() ? QStringLiteral(" ") : QStringLiteral(". ");
        description += text;
    }
    if (description == window->accessibleDescription())
        return;
    window->setAccessibleDescription(description);
}

void valueChanged(QWidget* w) {
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w)) {
        QAccessibleValueInterface* value = iface->valueInterface();
        QAccessibleValueChangeEvent event(w, value ? value->currentValue() : QVariant());
        QAccessible::updateAccessibility(&event);
    }
}

void nameChanged(QWidget* w) {
    QAccessibleEvent event(w, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

OptionWalk* OptionWalk::install(const QList<QAbstractButton*>& options) {
    return options.isEmpty() ? nullptr : new OptionWalk(options);
}

OptionWalk::OptionWalk(const QList<QAbstractButton*>& options)
    : QObject(options.front()), m_options(options) {
    for (QAbstractButton* option : m_options) {
        option->installEventFilter(this);
        // Tab leaves the group from the option just chosen, whoever chose it.
        connect(option, &QAbstractButton::toggled, this, [this] { resetTabStops(); });
    }
    resetTabStops();
}

void OptionWalk::resetTabStops() {
    ui::resetTabStops(m_options);
}

bool OptionWalk::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    int direction = 0;
    switch (key->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        direction = 1;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        direction = -1;
        break;
    default:
        return false;
    }
    step(static_cast<QAbstractButton*>(watched), direction);
    return true;
}

void OptionWalk::step(QAbstractButton* from, int direction) {
    const qsizetype count = m_options.size();
    const qsizetype at = m_options.indexOf(from);
    for (qsizetype n = 1; at >= 0 && n < count; ++n) {
        QAbstractButton* candidate = m_options[(at + direction * n + count * n) % count];
        if (!candidate->isEnabled() || !candidate->isVisible())
            continue;
        candidate->setFocus(Qt::OtherFocusReason);
        if (!candidate->isChecked())
            candidate->click();
        return;
    }
}

} // namespace spoken
