// The window registry: one instance per window class, modal waits, unloading,
// and the program's own notion of the active window.
#include "Services.h"
#include "TestSupport.h"
#include "WindowRegistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

class Probe : public Window {
    Q_OBJECT
public:
    Probe() {
        connect(button, &QPushButton::clicked, this, [this] {
            unload();
            box->setText(u"still safe"_s); // the handler goes on after unloading
            afterUnload = true;
        });
    }
    void onActivated() override { ++activations, onActivate(); }
    void onLoaded() override { ++loads; }
    QLineEdit* box = new QLineEdit(u"design"_s, this);
    QPushButton* button = new QPushButton(u"Unload me"_s, this);
    int activations = 0, loads = 0;
    bool afterUnload = false;
    std::function<void()> onActivate = [] {};
};
class Caller : public Probe {
    Q_OBJECT
};
class Dialog : public Probe {
    Q_OBJECT
};

class TestWindowRegistry : public QObject {
    Q_OBJECT
private slots:
    void firstReferenceCreatesHideKeepsUnloadResets() {
        testing::Env env;
        Probe& p = WindowRegistry::get<Probe>();
        QVERIFY(!p.isVisible() && &WindowRegistry::get<Probe>() == &p && p.loads == 1);

        p.present();
        p.box->setText(u"typed"_s);
        p.hideWindow();
        QCOMPARE(WindowRegistry::get<Probe>().box->text(), u"typed"_s);

        QPointer<Probe> old(&p);
        p.unload();
        QVERIFY(!WindowRegistry::isLoaded<Probe>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        Probe& fresh = WindowRegistry::get<Probe>();
        QCOMPARE(fresh.box->text(), u"design"_s);

        // unloading from its own handler, which then goes on
        fresh.present();
        QPointer<Probe> guard(&fresh);
        testing::click(fresh.button);
        QVERIFY(guard && guard->afterUnload && !WindowRegistry::isLoaded<Probe>());

        // the end of the program unloads shown and hidden windows alike
        WindowRegistry::get<Caller>().present();
        WindowRegistry::get<Probe>();
        WindowRegistry::endProgram();
        QCOMPARE(env.exitRequests, 1);
        QVERIFY(!WindowRegistry::isLoaded<Caller>() && !WindowRegistry::isLoaded<Probe>());
    }

    void modalShowWaitsUntilHiddenForGoodAndReactivatesTheCaller() {
        testing::Env env;
        Caller& caller = WindowRegistry::get<Caller>();
        caller.present();
        bool sawModal = false;
        testing::whenModal<Dialog>([&](Dialog& d) {
            sawModal = true;
            QCOMPARE(WindowRegistry::active(), &d);
            QCOMPARE(QApplication::activeModalWidget(), &d);
            d.hideWindow();
        });
        WindowRegistry::get<Dialog>().showModal();
        QVERIFY(sawModal);
        QCOMPARE(WindowRegistry::active(), &caller);
        QCOMPARE(caller.activations, 2);             // activation on return from the modal window
        QVERIFY(WindowRegistry::isLoaded<Dialog>()); // hidden, not unloaded

        // the caller clicked while the modal window is up does not take over
        testing::whenModal<Dialog>([&caller](Dialog& d) {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&caller, &activate);
            QCOMPARE(WindowRegistry::active(), &d);
            d.unload();
        });
        WindowRegistry::get<Dialog>().showModal();
        QCOMPARE(caller.activations, 3);
        QVERIFY(!WindowRegistry::isLoaded<Dialog>());

        // a window that closes itself inside its first activation does not wait
        Dialog& d = WindowRegistry::get<Dialog>();
        d.onActivate = [&d] { d.unload(); };
        d.showModal();
        QVERIFY(!WindowRegistry::isLoaded<Dialog>());
        QCOMPARE(WindowRegistry::active(), &caller);

        // hidden for a moment to show another window, it waits on until hidden for good
        QStringList steps;
        Dialog& again = WindowRegistry::get<Dialog>();
        again.onActivate = [&] {
            if (!steps.isEmpty())
                return;
            steps << u"hidden"_s;
            again.hideKeepingModal();
            testing::whenModal<Probe>([](Probe& p) { p.unload(); });
            WindowRegistry::get<Probe>().showModal();
            again.present();
            QTimer::singleShot(0, &again, [&] {
                steps << u"closed"_s;
                again.hideWindow();
            });
        };
        again.showModal();
        steps << u"returned"_s;
        QCOMPARE(steps, QStringList({u"hidden"_s, u"closed"_s, u"returned"_s}));
        QCOMPARE(WindowRegistry::active(), &caller);
    }

    void userSwitchesActivateButReturningFromAnotherApplicationDoesNot() {
        testing::Env env;
        Caller& main = WindowRegistry::get<Caller>();
        Probe& view = WindowRegistry::get<Probe>();
        main.present();
        view.present();
        QVERIFY(view.activations == 1 && main.activations == 1);

        // the window system reports the user clicking back to the main window
        QEvent activate(QEvent::WindowActivate), deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&main, &activate);
        QCOMPARE(main.activations, 2);
        QCOMPARE(WindowRegistry::active(), &main);

        // leaving for another application and coming back to the same window,
        // or closing a message box over it, changes nothing
        QApplication::sendEvent(&main, &deactivate);
        QApplication::sendEvent(&main, &activate);
        QCOMPARE(main.activations, 2);

        QApplication::sendEvent(&view, &activate);
        QCOMPARE(view.activations, 2);
    }

    void aRingMarksTheFocusWhileTheKeyboardIsInUseButNeverOnPaper() {
        testing::Env env;
        Probe& p = WindowRegistry::get<Probe>();
        p.resize(300, 120);
        p.box->setGeometry(40, 20, 100, 22);
        p.button->setGeometry(160, 20, 100, 25);
        auto* option = new QRadioButton(&p); // no caption: the style marks nothing
        option->setGeometry(40, 60, 17, 17);
        p.present();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        const QColor mark = p.palette().color(QPalette::Active, QPalette::Highlight);
        const auto ringOn = [&](const QWidget* w, QImage image = {}) {
            image = image.isNull() ? p.grab().toImage() : image;
            return image.pixelColor(w->x() - 1, w->y() + w->height() / 2) == mark;
        };
        option->setFocus(); // no key pressed yet: a mouse user sees no ring
        QVERIFY(!ringOn(option));
        testing::press(Qt::Key_Space);
        QVERIFY(option->isChecked() && ringOn(option));
        QVERIFY(platform::printWindow(&p));
        QVERIFY(!ringOn(option, env.printer->printed.value(0)));
        testing::press(Qt::Key_Tab); // follows the focus
        QVERIFY(ringOn(p.box) && !ringOn(option));
        QTest::mouseClick(p.button, Qt::LeftButton);
        QVERIFY(!ringOn(p.box) && !ringOn(p.button));
    }

    void enterPressesTheFocusedButtonOrElseTheDefaultOne() {
        testing::Env env;
        Probe& p = WindowRegistry::get<Probe>();
        auto* ok = new QPushButton(u"Ok"_s, &p);
        ok->setDefault(true);
        int oks = 0;
        connect(ok, &QPushButton::clicked, [&oks] { ++oks; });
        p.present();
        QTest::keyClick(p.box, Qt::Key_Return);
        QTest::keyClick(p.box, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(p.box, Qt::Key_Return, Qt::ShiftModifier); // not an Enter of its own
        QCOMPARE(oks, 2);
        ok->hide();
        QTest::keyClick(p.box, Qt::Key_Return);
        QCOMPARE(oks, 2);
        p.button->setFocus();
        QTest::keyClick(p.button, Qt::Key_Return);
        QVERIFY(p.afterUnload && oks == 2);
    }
};

QTEST_MAIN(TestWindowRegistry)
#include "tst_windowRegistry.moc"
