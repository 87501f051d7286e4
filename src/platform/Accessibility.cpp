#include "Accessibility.h"

#include "FocusRing.h"
#include "Spoken.h"

#include <algorithm>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLineEdit>

namespace platform {
namespace {

// Assistive technology tells the main window from a dialog by its role; a
// plain widget would be neither.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window) {}
    QAccessible::Role role() const override {
        return widget()->windowType() == Qt::Window ? QAccessible::Window : QAccessible::Dialog;
    }
};

// A one-line text box as Qt presents it, but for one thing: its text is one
// run of attributes. Qt gives every character a run of its own, ending where
// it starts, and Orca, joining the runs, reads each line without its last
// character ("An" for "Ann"). A password box gives out none of its text.
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        QString str;
        if (t == QAccessible::Value)
            str = masked() ? QString(box()->echoMode() == QLineEdit::NoEcho ? 0 : count(), '*')
                           : box()->text();
        if (str.isEmpty())
            str = QAccessibleWidget::text(t);
        if (str.isEmpty() && t == QAccessible::Description)
            str = box()->placeholderText();
        return str;
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value)
            QAccessibleWidget::setText(t, text);
        else if (!box()->isReadOnly())
            box()->setText(text);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.readOnly = box()->isReadOnly();
        s.passwordEdit = masked();
        s.selectableText = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The text.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = std::max(count(), offset);
        return {};
    }
    QString text(int startOffset, int endOffset) const override {
        if (masked() || startOffset > endOffset)
            return {};
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return count(); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        return readable(offset, start, end)
                   ? QAccessibleTextInterface::textBeforeOffset(offset, type, start, end)
                   : QString();
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        return readable(offset, start, end)
                   ? QAccessibleTextInterface::textAfterOffset(offset, type, start, end)
                   : QString();
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        return readable(offset, start, end)
                   ? QAccessibleTextInterface::textAtOffset(offset, type, start, end)
                   : QString();
    }
    QRect characterRect(int offset) const override {
        const QString ch = text(offset, offset + 1);
        if (ch.isEmpty())
            return {};
        // Measured from the caret, which knows how far the text is scrolled.
        const QFontMetrics fm(box()->font());
        const QString all = box()->text();
        const int caret = box()->cursorPosition();
        QRect r = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        r.moveLeft(r.left() + fm.horizontalAdvance(all.left(offset)) -
                   fm.horizontalAdvance(all.left(caret)));
        r.setWidth(std::max(1, fm.horizontalAdvance(ch)));
        return QRect(box()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }

    // The caret and the selection.
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0 || !box()->hasSelectedText())
            return;
        *startOffset = box()->selectionStart();
        *endOffset = box()->selectionEnd();
    }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }

    // Changes, as the box's own setText makes them.
    void deleteText(int startOffset, int endOffset) override {
        box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override {
        box()->setText(box()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
    // A password box: what it shows is not its text.
    bool masked() const { return box()->echoMode() != QLineEdit::Normal; }
    int count() const { return static_cast<int>(box()->text().size()); }

    // False for a password box, whose text is nobody's to read; -2 asks at the caret.
    bool readable(int& offset, int* start, int* end) const {
        if (masked()) {
            *start = *end = -1;
            return false;
        }
        if (offset == -2)
            offset = cursorPosition();
        return true;
    }
};

// The program's own interface for `object`, or nullptr to leave it to Qt.
QAccessibleInterface* programInterfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String("Window") && static_cast<QWidget*>(object)->isWindow())
        return new WindowAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("QLineEdit"))
        return new TextBoxAccessible(static_cast<QLineEdit*>(object));
    return nullptr;
}

} // namespace

void installAccessibility() {
    static bool installed = false;
    if (installed || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    installed = true;
    QAccessible::installFactory(programInterfaceFor);
    FocusRing::followFocus();
    spoken::installNoticeFilter();
}

} // namespace platform
