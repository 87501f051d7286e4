#include "OptionWalk.h"

#include <algorithm>
#include <QAbstractButton>
#include <QKeyEvent>

namespace platform::ui {

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
    const bool anyChecked = std::any_of(m_options.begin(), m_options.end(),
                                        [](const QAbstractButton* b) { return b->isChecked(); });
    const auto clickOnly = static_cast<Qt::FocusPolicy>(Qt::StrongFocus & ~Qt::TabFocus);
    for (QAbstractButton* b : m_options)
        b->setFocusPolicy(!anyChecked || b->isChecked() ? Qt::StrongFocus : clickOnly);
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
        // count * n keeps the index positive walking back, so that it wraps.
        QAbstractButton* candidate = m_options[(at + direction * n + count * n) % count];
        if (!candidate->isEnabled() || !candidate->isVisible())
            continue;
        candidate->setFocus(Qt::OtherFocusReason);
        if (!candidate->isChecked())
            candidate->click();
        return;
    }
}

} // namespace platform::ui
