#include "Spoken.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyle>
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
void makeOwnBuddy(QWidget* part) {
    auto* label = qobject_cast<QLabel*>(part);
    if (!label || (label->buddy() && label->buddy() != label))
        return;
    label->setBuddy(label->text().contains(QLatin1Char('&')) ? nullptr : label);
}
} // namespace

bool describeWindow(QWidget* window, const QList<QWidget*>& parts) {
    QStringList texts;
    for (QWidget* part : parts) {
        if (!part || !part->isVisibleTo(window))
            continue;
        makeOwnBuddy(part);
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
        return false;
    window->setAccessibleDescription(description);
    return true;
}

void describeAndSay(QWidget* window, const QList<QWidget*>& parts) {
    const bool shown = window->isVisible() && window->isActiveWindow();
    if (!describeWindow(window, parts) || !shown)
        return;
    // Said from wherever the change moves the focus, once it has.
    QTimer::singleShot(0, window,
                       [window] { sayFromFocus(window, window->accessibleDescription()); });
}

namespace {
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
} // namespace

void sayFromFocus(QWidget* window, const QString& text) {
    QWidget* focused = window->focusWidget();
    if (!focused || text.isEmpty())
        return;
    if (!focused->findChild<DescriptionRestorer*>(QString(), Qt::FindDirectChildrenOnly))
        new DescriptionRestorer(focused, focused->accessibleDescription());
    focused->setAccessibleDescription(text);
}

namespace {
// The text box between its focus-in and Qt's notice of its focus.
QPointer<QObject> gFocusArriving;
QAccessible::UpdateHandler gPreviousHandler = nullptr;

// Marks a text box whose focus notice is on its way.
class FocusArrival : public QObject {
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

void filteredUpdateHandler(QAccessibleEvent* event);

// Hands a notice to the handler that was installed before ours, or else to
// Qt's own way to the screen reader. QAccessible::updateAccessibility() is
// that way only while no handler is installed; with ours in place it would
// come straight back here, so ours steps aside for the one call.
void passToScreenReader(QAccessibleEvent* event) {
    if (gPreviousHandler) {
        gPreviousHandler(event);
        return;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&filteredUpdateHandler);
}

// Qt's update handler, installed once: every notice, filtered.
void filteredUpdateHandler(QAccessibleEvent* event) {
    filterNotice(event, passToScreenReader);
}

bool isEarlyOrUnfocusedCaret(QAccessibleEvent* event) {
    const QAccessible::Event type = event->type();
    if (type != QAccessible::TextCaretMoved && type != QAccessible::TextSelectionChanged)
        return false;
    // The focus notice that follows brings the caret and selection along;
    // and a caret in a box without the focus is nothing to read, but is
    // taken as the focus when the box has it by the time it is read.
    const QObject* box = event->object();
    return box == gFocusArriving ||
           (box && box->isWidgetType() && !static_cast<const QWidget*>(box)->hasFocus());
}

// The password box `event` tells of a change in, or nullptr.
const QLineEdit* passwordBox(QAccessibleEvent* event) {
    const QAccessible::Event type = event->type();
    if (type != QAccessible::TextInserted && type != QAccessible::TextRemoved &&
        type != QAccessible::TextUpdated)
        return nullptr;
    const auto* box = qobject_cast<const QLineEdit*>(event->object());
    return box && box->echoMode() != QLineEdit::Normal ? box : nullptr;
}
} // namespace

void filterNotice(QAccessibleEvent* event, const std::function<void(QAccessibleEvent*)>& passOn) {
    if (isEarlyOrUnfocusedCaret(event))
        return;
    if (event->type() == QAccessible::Focus)
        gFocusArriving = nullptr;
    const QLineEdit* box = passwordBox(event);
    if (!box) {
        passOn(event);
        return;
    }
    if (box->echoMode() == QLineEdit::NoEcho)
        return;
    const QChar mask(box->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, box));
    const auto masked = [mask](const QString& text) { return QString(text.size(), mask); };
    auto* object = event->object();
    switch (event->type()) {
    case QAccessible::TextInserted: {
        const auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
        QAccessibleTextInsertEvent told(object, e->changePosition(), masked(e->textInserted()));
        told.setCursorPosition(e->cursorPosition());
        passOn(&told);
        break;
    }
    case QAccessible::TextRemoved: {
        const auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
        QAccessibleTextRemoveEvent told(object, e->changePosition(), masked(e->textRemoved()));
        told.setCursorPosition(e->cursorPosition());
        passOn(&told);
        break;
    }
    default: {
        const auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
        QAccessibleTextUpdateEvent told(object, e->changePosition(), masked(e->textRemoved()),
                                        masked(e->textInserted()));
        told.setCursorPosition(e->cursorPosition());
        passOn(&told);
        break;
    }
    }
}

void installNoticeFilter() {
    static FocusArrival* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new FocusArrival(qApp);
    qApp->installEventFilter(filter);
    gPreviousHandler = QAccessible::installUpdateHandler(&filteredUpdateHandler);
}

} // namespace platform::spoken
