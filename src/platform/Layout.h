#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

class QLabel;
class QWidget;

// How controls stand in their windows. Each control is given its place in the
// window's design (twips turned into pixels, see Controls.h), relative to its
// parent, and stands there as long as every text fits its control. A text that
// needs more lines than its control has stretches the design downward: the
// control grows to its lines, and every control that begins beside it below
// its top, and every point below its bottom, moves down just far enough to
// keep its given distance below those lines. A control spans from where its
// top moved to where its bottom moved, so frames, backdrops and tall buttons
// grow with what lies beside them; pictures keep their size. Nothing moves
// sideways. Windows grow with their design, and scroll where the screen is too
// small for it (see Window.h).
namespace platform::ui {

// Puts `w` at `given`, its place in the design, in its parent's coordinates.
// Called again, it gives the control a new place (a bar that changes length).
void place(QWidget* w, const QRect& given);
// Whether `w` was given a place, and where.
bool isPlaced(const QWidget* w);
QRect givenPlace(const QWidget* w);
// `w`, placed, stands with its middle beside the middle of the first line of
// `text`, its sibling, wherever the text moves (an option button beside the
// answer it chooses).
void besideFirstLine(QWidget* w, QLabel* text);

// One control's given top and bottom, and the height its texts need (0 when it
// needs no more than it has).
struct Span {
    int top = 0;
    int bottom = 0;
    int needs = 0;
    bool keepsHeight = false;
};
// The rule above for the controls of one parent of given `height`: each
// control's new top and height, and the parent's new height.
struct Stretched {
    std::vector<std::pair<int, int>> spans;
    int height = 0;
};
Stretched stretchDown(const std::vector<Span>& spans, int height);

// Lays out the placed children of `container` by the rule, and theirs in turn,
// each moved up and left by `scrolled`; returns how tall the container's
// design of given `height` has become.
int layOutChildren(QWidget* container, int height, QPoint scrolled = {});

} // namespace platform::ui
