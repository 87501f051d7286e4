#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

namespace platform::ui {

// Makes the arrow keys walk a group of option buttons in the order given (the
// reading order) and wrap round: Down and Right to the next, Up and Left to
// the previous, checking each as it takes the focus. Tab enters the group at
// the checked option and leaves it from there. Disabled or hidden options are
// passed over. The walk belongs to the first button.
class OptionWalk : public QObject {
    Q_OBJECT
public:
    // Nullptr for no options.
    static OptionWalk* install(const QList<QAbstractButton*>& options);

    // Makes the checked option the group's only tab stop again, or every
    // option when none is checked (Tab then enters at the first). Qt makes the
    // focused button of an exclusive group its only tab stop and leaves it so;
    // call this after checking or unchecking an option from code with its
    // signals blocked, or after a focused option was hidden.
    void resetTabStops();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit OptionWalk(const QList<QAbstractButton*>& options);
    void step(QAbstractButton* from, int direction);

    QList<QAbstractButton*> m_options;
};

} // namespace platform::ui
