#include "Forms.h"

#include "FocusRing.h"

#include <algorithm>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>

namespace {
// Assistive technology tells the main window from a dialog by its role; a
// plain widget would be neither.
class FormAccessible : public QAccessibleWidget {
public:
    explicit FormAccessible(QWidget* form) : QAccessibleWidget(form) {}
    QAccessible::Role role() const override {
        return widget()->windowType() == Qt::Window ? QAccessible::Window : QAccessible::Dialog;
    }
};

QAccessibleInterface* readForms(const QString& className, QObject* object) {
    if (className == QLatin1String("Form") && static_cast<QWidget*>(object)->isWindow())
        return new FormAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// Brings a window to the front; the headless platform has no stacking to change.
void bringToFront(QWidget* w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        w->raise();
    w->activateWindow();
}
} // namespace

Form::Form() : QWidget(nullptr, Qt::Dialog) {
    static const bool factoryInstalled = (QAccessible::installFactory(readForms), true);
    (void)factoryInstalled;
    FocusRing::followFocus();
}

Form::~Form() {
    endModalWait();
}

void Form::Show() {
    show();
    bringToFront(this);
    Forms::instance().setActive(this);
}

void Form::ShowModal() {
    if (m_modalLoop) { // already waiting: just bring it back
        Show();
        return;
    }
    QPointer<Form> self(this);
    QPointer<Form> caller = Forms::active();
    Forms& forms = Forms::instance();

    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    m_modalLoop = &loop;
    m_modalDone = false;
    show();
    bringToFront(this);
    forms.setActive(this);
    if (self && !m_modalDone) {
        emit forms.modalWaitStarted(this);
        if (self && !m_modalDone)
            loop.exec(QEventLoop::DialogExec);
    }
    if (self) {
        m_modalLoop = nullptr;
        setWindowModality(Qt::NonModal);
    }
    // The window that showed this one is active again; its activation runs.
    if (caller && caller != self && caller->isVisible() && !caller->isUnloading())
        forms.setActive(caller);
    else if (forms.m_active == self || forms.m_active.isNull())
        forms.m_active = nullptr;
}

void Form::Hide() {
    const bool wasModal = m_modalLoop != nullptr;
    endModalWait();
    hide();
    if (!wasModal && Forms::active() == this)
        Forms::instance().activateLatestVisible(this);
}

void Form::HideKeepingModal() {
    hide();
}

void Form::Unload() {
    if (m_unloading)
        return;
    m_unloading = true;
    Form_Unload();
    const bool wasModal = m_modalLoop != nullptr;
    endModalWait();
    hide();
    Forms& forms = Forms::instance();
    if (!wasModal && forms.m_active == this)
        forms.activateLatestVisible(this);
    forms.forget(this); // deletes later; the next reference builds a new one
}

void Form::endModalWait() {
    m_modalDone = true;
    if (m_modalLoop)
        m_modalLoop->exit(0);
}

void Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!m_unloading)
        titleBarClose();
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Forms::instance().userActivated(this);
    return QWidget::event(event);
}

void Forms::LaterDeleter::operator()(Form* f) const {
    if (f)
        f->deleteLater();
}

Forms& Forms::instance() {
    static Forms* forms = new Forms(); // lives as long as the process
    return *forms;
}

Forms::~Forms() = default;

Form* Forms::active() {
    return instance().m_active.data();
}

void Forms::setActive(Form* form) {
    if (!form || m_active == form)
        return;
    m_active = form;
    m_history.erase(
        std::remove_if(m_history.begin(), m_history.end(),
                       [form](const QPointer<Form>& p) { return p.isNull() || p == form; }),
        m_history.end());
    m_history.emplace_back(form);
    QPointer<Form> guard(form);
    form->Form_Activate();
    if (guard)
        emit activated(form);
}

void Forms::userActivated(Form* form) {
    // The window system reports the user's own switches; a window blocked by a
    // modal one, or one on its way out, does not take over.
    if (!form->isVisible() || form->isUnloading())
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != form)
        return;
    setActive(form);
}

void Forms::activateLatestVisible(Form* leaving) {
    if (m_active == leaving)
        m_active = nullptr;
    for (auto it = m_history.rbegin(); it != m_history.rend(); ++it) {
        Form* f = it->data();
        if (f && f != leaving && f->isVisible() && !f->isUnloading()) {
            setActive(f);
            return;
        }
    }
}

void Forms::forget(Form* form) {
    for (auto it = m_forms.begin(); it != m_forms.end(); ++it) {
        if (it->second.get() == form) {
            m_forms.erase(it);
            break;
        }
    }
    if (m_active == form)
        m_active = nullptr;
}

void Forms::endProgram() {
    Forms& self = instance();
    std::vector<Form*> loaded;
    for (auto& [key, form] : self.m_forms)
        loaded.push_back(form.get());
    for (Form* f : loaded)
        f->Unload();
    if (self.m_exitHandler)
        self.m_exitHandler();
    else
        QCoreApplication::quit();
}

void Forms::setExitHandler(std::function<void()> handler) {
    instance().m_exitHandler = std::move(handler);
}

void Forms::destroyAll() {
    Forms& self = instance();
    std::vector<Form*> loaded;
    for (auto& [key, form] : self.m_forms)
        loaded.push_back(form.get());
    for (Form* f : loaded)
        f->Unload();
    self.m_forms.clear();
    self.m_history.clear();
    self.m_active = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_escapeCloses) {
        event->accept();
        if (!m_unloading)
            titleBarClose();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto usable = [this](const QPushButton* b) {
        return b && b->window() == this && b->isVisible() && b->isEnabled();
    };
    auto* target = qobject_cast<QPushButton*>(focusWidget());
    if (!usable(target)) {
        target = nullptr;
        for (QPushButton* b : findChildren<QPushButton*>()) {
            if (b->isDefault() && usable(b)) {
                target = b;
                break;
            }
        }
    }
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    target->click();
}
