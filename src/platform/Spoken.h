#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAbstractButton;
class QAccessibleEvent;
class QLabel;
class QWidget;

// What a screen reader says when something appears or changes. Everything here
// is built from the texts the controls show at that moment, so what is heard
// follows what is seen (and its translation).
namespace platform::spoken {

// The text a control shows: a label's text, a frame's caption (or name), a button's
// caption, a text box's contents; empty for anything else.
QString shownText(const QWidget* w);

// Gives `window` as its accessible description the shown texts of `parts`, in
// the order given, leaving out hidden and empty ones. A screen reader speaks a
// dialog's description with its title when the window opens. Call it again
// whenever the texts change; it tells the screen reader when the description
// has changed.
void describeWindow(QWidget* window, const QList<QWidget*>& parts);

// A text box tells a screen reader of its caret and selection as it takes
// the focus, before Qt tells of the focus itself; the reader then takes the
// focus as moved already and never reads the box or its label. From the first
// call on, those early notices are left out. Later calls do nothing.
void announceTextFocusFirst();

// Whenever `label` shows a new text, `window` is described anew by `parts`
// (see describeWindow) and the screen reader says the description from the
// control that has the focus: a number that moves on while the focus stays
// on the button that moved it is heard.
void followLabel(QLabel* label, QWidget* window, const QList<QWidget*>& parts);

// Has the screen reader say `text` now, from the control with the focus in
// `window`: it becomes that control's description until the focus leaves it.
void sayFromFocus(QWidget* window, const QString& text);

// Whether an accessibility notice goes on to the screen reader, once
// announceTextFocusFirst() ran (it sees them all then): false for those held
// back. It also follows the labels given to followLabel().
bool passesNotice(QAccessibleEvent* event);

// Makes the arrow keys walk a group of option buttons in the order given (the
// reading order) and wrap round: Down and Right to the next, Up and Left to
// the previous, checking each as it takes the focus. Tab enters the group at
// the checked option and leaves it from there. Disabled or hidden options are
// passed over. The walker belongs to the first button.
class OptionWalk : public QObject {
    Q_OBJECT
public:
    static OptionWalk* install(const QList<QAbstractButton*>& options);

    // Makes the checked option the group's only tab stop again (every option
    // when none is checked). Call after checking an option from code.
    void resetTabStops();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit OptionWalk(const QList<QAbstractButton*>& options);
    void step(QAbstractButton* from, int direction);

    QList<QAbstractButton*> m_options;
};

} // namespace platform::spoken
