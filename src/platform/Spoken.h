#pragma once

#include <functional>
#include <QList>
#include <QString>

class QAccessibleEvent;
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
// has changed. Returns whether it changed.
bool describeWindow(QWidget* window, const QList<QWidget*>& parts);

// Describes `window` anew by `parts` (see describeWindow), at once, so that a
// window that comes back is read with what it shows now. When the description
// changed while the window is the active one, the screen reader also says it
// from the control that has the focus, once control is back in the event
// loop: a number that moves on while the focus stays on the button that moved
// it is heard.
void describeAndSay(QWidget* window, const QList<QWidget*>& parts);

// Has the screen reader say `text` now, from the control with the focus in
// `window`: it becomes that control's description until the focus leaves it.
void sayFromFocus(QWidget* window, const QString& text);

// From the first call on, every accessibility notice goes through
// filterNotice() on its way to the screen reader. Later calls do nothing.
void installNoticeFilter();

// Hands `event` to `passOn`, holds it back, or hands on a copy that tells no
// secret:
// - A text box tells of its caret and selection as it takes the focus, before
//   Qt tells of the focus itself; the reader then takes the focus as moved
//   already and never reads the box or its label. Those early notices are held
//   back, as is a caret in a box without the focus.
// - What is typed into a password box, or taken out of it, goes on as the
//   box's mask characters, as a sighted user sees it; a box that shows nothing
//   tells nothing.
void filterNotice(QAccessibleEvent* event, const std::function<void(QAccessibleEvent*)>& passOn);

} // namespace platform::spoken
