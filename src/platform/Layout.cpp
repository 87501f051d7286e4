#include "Layout.h"

#include "ImageBox.h"
#include "TextLabel.h"

#include <algorithm>
#include <map>
#include <QPointer>
#include <QVariant>

namespace platform::ui {

namespace {
const char* const kGivenPlace = "quizdexGivenPlace";
const char* const kBesideFirstLineOf = "quizdexBesideFirstLineOf";

QList<QWidget*> placedChildren(const QWidget* container) {
    QList<QWidget*> out;
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && isPlaced(w))
            out << w;
    }
    return out;
}

// The text whose first line `w` stands beside (see besideFirstLine), or nullptr.
QLabel* textFollowed(const QWidget* w) {
    return qobject_cast<QLabel*>(w->property(kBesideFirstLineOf).value<QObject*>());
}

// The height `w`'s contents need at its given width: its texts' lines, or the
// design of its own children as it stretched.
int heightNeeded(QWidget* w, const QRect& given) {
    if (!placedChildren(w).isEmpty())
        return layOutChildren(w, given.height());
    if (auto* label = qobject_cast<TextLabel*>(w); label && label->wordWrap())
        return label->heightForWidth(given.width());
    return 0;
}

// The layout runs again on every change of text: a control whose place did
// not change is left alone, so that laying out again costs next to nothing.
void setGeometryIfChanged(QWidget* w, const QRect& r) {
    if (w->geometry() != r)
        w->setGeometry(r);
}
} // namespace

void place(QWidget* w, const QRect& given) {
    const QVariant before = w->property(kGivenPlace);
    w->setProperty(kGivenPlace, given);
    QRect r = given;
    if (before.isValid()) {
        // A new place keeps what the layout (and scrolling) did to the old one
        // until the layout runs again.
        const QRect old = before.toRect();
        r.translate(w->pos() - old.topLeft());
        r.setHeight(given.height() + w->height() - old.height());
    }
    setGeometryIfChanged(w, r);
}

bool isPlaced(const QWidget* w) {
    return w->property(kGivenPlace).isValid();
}

QRect givenPlace(const QWidget* w) {
    return w->property(kGivenPlace).toRect();
}

void besideFirstLine(QWidget* w, QLabel* text) {
    w->setProperty(kBesideFirstLineOf, QVariant::fromValue<QObject*>(text));
}

Stretched stretchDown(const std::vector<Span>& spans, int height) {
    std::vector<int> ys = {0, height};
    for (const Span& s : spans)
        ys.insert(ys.end(), {s.top, s.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    // Given y to laid-out y, from the top down: a point keeps its distance
    // below the one before it. A text that grew pushes down the tops of the
    // controls that begin beside it, below its top, and every point below its
    // bottom, each as far below its lines as it was below the text's given bottom.
    std::vector<int> tops;
    for (const Span& s : spans)
        tops.push_back(s.top);
    std::map<int, int> moved;
    int before = ys.front();
    int movedBefore = before;
    for (const int y : ys) {
        int to = movedBefore + (y - before);
        const bool isTop = std::find(tops.begin(), tops.end(), y) != tops.end();
        for (const Span& s : spans)
            if (s.needs > s.bottom - s.top && s.top < y && (isTop || y >= s.bottom))
                to = std::max(to, moved[s.top] + s.needs + std::max(0, y - s.bottom));
        moved[y] = to;
        before = y;
        movedBefore = to;
    }
    Stretched out;
    for (const Span& s : spans)
        out.spans.emplace_back(moved[s.top],
                               s.keepsHeight ? s.bottom - s.top : moved[s.bottom] - moved[s.top]);
    out.height = moved[height];
    return out;
}

int layOutChildren(QWidget* container, int height, QPoint scrolled) {
    QList<QWidget*> controls, followers;
    std::vector<Span> spans;
    for (QWidget* w : placedChildren(container)) {
        if (textFollowed(w)) {
            followers << w;
            continue;
        }
        const QRect given = givenPlace(w);
        controls << w;
        spans.push_back({given.top(), given.top() + given.height(), heightNeeded(w, given),
                         qobject_cast<ImageBox*>(w) != nullptr});
    }
    const Stretched stretched = stretchDown(spans, height);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect given = givenPlace(controls[i]);
        const auto [top, h] = stretched.spans[static_cast<std::size_t>(i)];
        setGeometryIfChanged(controls[i],
                             QRect(given.left(), top, given.width(), h).translated(-scrolled));
    }
    for (QWidget* w : followers) {
        const QLabel* text = textFollowed(w);
        const auto* label = qobject_cast<const TextLabel*>(text);
        const int middle = text->y() + (label ? label->firstLineMiddle() : text->height() / 2);
        const QRect given = givenPlace(w);
        setGeometryIfChanged(w, QRect(given.left() - scrolled.x(), middle - given.height() / 2,
                                      given.width(), given.height()));
    }
    return stretched.height;
}

} // namespace platform::ui
