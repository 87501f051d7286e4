#include "Spoken.h"

#include "Controls.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

namespace platform::spoken {

QString shownText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    // A frame without a caption is read by the name it was given.
    if (const auto* frame = qobject_cast<const QGroupBox*>(w))
        return frame->title().isEmpty() ? frame->accessibleName() : frame->title();
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
            description +=
                description.back().isPunct() ? QStringLiteral(" ") : QStringLiteral(". ");
        description += text;
    }
    if (description == window->accessibleDescription())
        return;
    window->setAccessibleDescription(description);
}

namespace {
// The text box between its focus-in and Qt's notice of its focus.
QPointer<QObject> gFocusArriving;
QAccessible::UpdateHandler gPreviousHandler = nullptr;

struct Follower {
    // Only compared, never followed: a follower leaves the list as its label
    // is destroyed, when a QPointer to it would already point at a QWidget.
    const QObject* label;
    QPointer<QWidget> window;
    QList<QPointer<QWidget>> parts;
};
QList<Follower>& followers() {
    static QList<Follower> list;
    return list;
}

void labelChanged(QObject* label) {
    for (const Follower& f : followers()) {
        if (f.label != label || !f.window)
            continue;
        QList<QWidget*> parts;
        for (const QPointer<QWidget>& p : f.parts)
            parts << p.data();
        const bool wasShown = f.window->isVisible() && f.window->isActiveWindow();
        describeWindow(f.window, parts);
        // On opening, the window's description is read with its title. Said
        // once control is back in the event loop, from wherever the change
        // moved the focus.
        if (wasShown)
            QTimer::singleShot(0, f.window, [w = f.window] {
                if (w)
                    sayFromFocus(w, w->accessibleDescription());
            });
    }
}

// Gives a control its own description back once the focus leaves it.
class DescriptionRestorer : public QObject {
public:
    DescriptionRestorer(QWidget* control, const QString& own) : QObject(control), m_own(own) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            static_cast<QWidget*>(watched)->setAccessibleDescription(m_own);
            deleteLater();
        }
        return false;
    }

private:
    QString m_own;
};

void passOnUpdates(QAccessibleEvent* event);

void passOn(QAccessibleEvent* event) {
    if (gPreviousHandler) {
        gPreviousHandler(event);
        return;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&passOnUpdates);
}

void passOnUpdates(QAccessibleEvent* event) {
    if (passesNotice(event))
        passOn(event);
}
} // namespace

bool passesNotice(QAccessibleEvent* event) {
    const QAccessible::Event type = event->type();
    if (type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged) {
        // The focus notice that follows brings the caret and selection along;
        // and a caret in a box without the focus is nothing to read, but is
        // taken as the focus when the box has it by the time it is read.
        const QObject* box = event->object();
        if (box == gFocusArriving ||
            (box && box->isWidgetType() && !static_cast<const QWidget*>(box)->hasFocus()))
            return false;
    }
    if (type == QAccessible::Focus)
        gFocusArriving = nullptr;
    if (type == QAccessible::NameChanged && event->object() && !followers().isEmpty())
        QTimer::singleShot(0, event->object(), [label = QPointer<QObject>(event->object())] {
            if (label)
                labelChanged(label);
        });
    return true;
}

namespace {

class TextFocusFirst : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType() &&
            (qobject_cast<QLineEdit*>(watched) || qobject_cast<QPlainTextEdit*>(watched) ||
             qobject_cast<QTextEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched))) {
            gFocusArriving = watched;
            // Should no focus notice follow, nothing stays held back.
            QTimer::singleShot(0, watched, [] { gFocusArriving = nullptr; });
        }
        return false;
    }
};
} // namespace

void announceTextFocusFirst() {
    static TextFocusFirst* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new TextFocusFirst(qApp);
    qApp->installEventFilter(filter);
    gPreviousHandler = QAccessible::installUpdateHandler(&passOnUpdates);
}

void followLabel(QLabel* label, QWidget* window, const QList<QWidget*>& parts) {
    announceTextFocusFirst(); // installs the watch on accessibility notices
    Follower f{label, window, {}};
    for (QWidget* p : parts)
        f.parts << p;
    followers() << f;
    QObject::connect(label, &QObject::destroyed, [label] {
        followers().removeIf([label](const Follower& f) { return f.label == label; });
    });
}

void sayFromFocus(QWidget* window, const QString& text) {
    QWidget* focused = window->focusWidget();
    if (!focused || text.isEmpty())
        return;
    if (!focused->findChild<DescriptionRestorer*>(QString(), Qt::FindDirectChildrenOnly))
        new DescriptionRestorer(focused, focused->accessibleDescription());
    focused->setAccessibleDescription(text);
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

} // namespace platform::spoken
