#include "UpDownBar.h"

#include <algorithm>
#include <QAccessibleWidget>

namespace {

// Assistive technology reads the counter as a spin button holding the count;
// the scroll bar's own reading would give the negated value it keeps.
class UpDownBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UpDownBarAccessible(UpDownBar* bar) : QAccessibleWidget(bar, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(bar()->count());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return bar()->count(); }
    void setCurrentValue(const QVariant& value) override {
        bar()->setCount(std::clamp(value.toInt(), bar()->lowest(), bar()->highest()));
    }
    QVariant maximumValue() const override { return bar()->highest(); }
    QVariant minimumValue() const override { return bar()->lowest(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    UpDownBar* bar() const { return static_cast<UpDownBar*>(widget()); }
};

QAccessibleInterface* readCounters(const QString& className, QObject* object) {
    if (className == QLatin1String("UpDownBar"))
        return new UpDownBarAccessible(static_cast<UpDownBar*>(object));
    return nullptr;
}

} // namespace

// A vertical bar's top end is its minimum; holding the negated count puts the
// largest count at the top, so the top arrow counts up. The arrow keys count
// too: up raises, down lowers.
UpDownBar::UpDownBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    static const bool factoryInstalled = (QAccessible::installFactory(readCounters), true);
    (void)factoryInstalled;
    setFocusPolicy(Qt::StrongFocus);
    setSingleStep(1);
    setPageStep(1);
    setCountRange(1, 1);
    connect(this, &QScrollBar::valueChanged, this, [this](int v) { emit countChanged(-v); });
}

void UpDownBar::setCountRange(int low, int high) {
    setRange(-std::max(low, high), -std::min(low, high));
}
