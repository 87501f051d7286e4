// The window registry: one instance per window class, modal waits, unloading,
// and the program's own notion of the active window.
#include "Forms.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class Probe : public Form {
    Q_OBJECT
public:
    Probe() {
        box = new QLineEdit(QStringLiteral("design"), this);
        button = new QPushButton(QStringLiteral("Unload me"), this);
        connect(button, &QPushButton::clicked, this, [this] {
            Unload();
            box->setText(QStringLiteral("still safe")); // the handler goes on after unloading
            afterUnload = true;
        });
    }
    void Form_Activate() override {
        ++activations;
        if (onActivate)
            onActivate();
    }
    void Form_Load() override { ++loads; }
    QLineEdit* box;
    QPushButton* button;
    int activations = 0;
    int loads = 0;
    bool afterUnload = false;
    std::function<void()> onActivate;
};
class Caller : public Probe {
    Q_OBJECT
};
class Dialog : public Probe {
    Q_OBJECT
};
class Intro : public Probe {
    Q_OBJECT
};

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void firstReferenceCreatesHideKeepsUnloadResets() {
        testing::Env env;
        QVERIFY(!Forms::isLoaded<Probe>());
        Probe& p = Forms::get<Probe>();
        QCOMPARE(p.loads, 1);
        QVERIFY(!p.isVisible());
        QCOMPARE(&Forms::get<Probe>(), &p);
        QCOMPARE(p.loads, 1);

        p.Show();
        p.box->setText(QStringLiteral("typed"));
        p.Hide();
        QCOMPARE(Forms::get<Probe>().box->text(), QStringLiteral("typed"));

        QPointer<Probe> old(&p);
        p.Unload();
        QVERIFY(!Forms::isLoaded<Probe>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        QCOMPARE(Forms::get<Probe>().box->text(), QStringLiteral("design"));
    }

    void unloadingFromItsOwnHandlerIsSafe() {
        testing::Env env;
        Probe& p = Forms::get<Probe>();
        p.Show();
        QPointer<Probe> guard(&p);
        testing::click(p.button);
        QVERIFY(guard);
        QVERIFY(guard->afterUnload);
        QVERIFY(!Forms::isLoaded<Probe>());
    }

    void modalShowWaitsUntilHiddenAndReactivatesTheCaller() {
        testing::Env env;
        Caller& caller = Forms::get<Caller>();
        caller.Show();
        QCOMPARE(caller.activations, 1);
        QCOMPARE(Forms::active(), &caller);

        bool sawModal = false;
        testing::whenModal<Dialog>([&](Dialog& d) {
            sawModal = true;
            QCOMPARE(Forms::active(), &d);
            QCOMPARE(QApplication::activeModalWidget(), &d);
            d.Hide();
        });
        Forms::get<Dialog>().ShowModal();
        QVERIFY(sawModal);
        QCOMPARE(Forms::active(), &caller);
        QCOMPARE(caller.activations, 2);    // activation on return from the modal window
        QVERIFY(Forms::isLoaded<Dialog>()); // hidden, not unloaded

        testing::whenModal<Dialog>([](Dialog& d) { d.Unload(); });
        Forms::get<Dialog>().ShowModal();
        QCOMPARE(caller.activations, 3);
        QVERIFY(!Forms::isLoaded<Dialog>());
    }

    void windowCanCloseItselfInsideItsFirstActivation() {
        testing::Env env;
        Forms::get<Caller>().Show();
        Dialog& d = Forms::get<Dialog>();
        d.onActivate = [&d] { d.Unload(); };
        d.ShowModal(); // returns without waiting
        QVERIFY(!Forms::isLoaded<Dialog>());
        QCOMPARE(Forms::active(), Forms::find<Caller>());
    }

    void briefHideKeepsTheModalWait() {
        testing::Env env;
        Caller& caller = Forms::get<Caller>();
        caller.Show();
        bool introShown = false;
        bool stillWaiting = false;
        Dialog& d = Forms::get<Dialog>();
        d.onActivate = [&] {
            if (introShown)
                return;
            introShown = true;
            d.HideKeepingModal();
            testing::whenModal<Intro>([](Intro& i) { i.Unload(); });
            Forms::get<Intro>().ShowModal();
            d.Show();
            QVERIFY(d.isVisible());
            stillWaiting = d.isInModalWait();
            QTimer::singleShot(0, &d, [&d] { d.Hide(); });
        };
        d.ShowModal();
        QVERIFY(introShown);
        QVERIFY(stillWaiting);
        QCOMPARE(Forms::active(), &caller);
    }

    void userSwitchesActivateButReturningFromAnotherApplicationDoesNot() {
        testing::Env env;
        Caller& main = Forms::get<Caller>();
        Probe& view = Forms::get<Probe>();
        main.Show();
        view.Show();
        QCOMPARE(view.activations, 1);
        QCOMPARE(main.activations, 1);

        // the window system reports the user clicking back to the main window
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&main, &activate);
        QCOMPARE(main.activations, 2);
        QCOMPARE(Forms::active(), &main);

        // leaving for another application and coming back to the same window,
        // or closing a message box over it, changes nothing
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&main, &deactivate);
        QApplication::sendEvent(&main, &activate);
        QCOMPARE(main.activations, 2);

        QApplication::sendEvent(&view, &activate);
        QCOMPARE(view.activations, 2);
    }

    void windowBlockedByAModalOneDoesNotTakeOver() {
        testing::Env env;
        Caller& main = Forms::get<Caller>();
        main.Show();
        testing::whenModal<Dialog>([&main](Dialog& d) {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&main, &activate);
            QCOMPARE(Forms::active(), &d);
            d.Hide();
        });
        Forms::get<Dialog>().ShowModal();
        QCOMPARE(main.activations, 2);
    }

    void endProgramUnloadsEverything() {
        testing::Env env;
        Forms::get<Caller>().Show();
        Forms::get<Probe>(); // loaded but hidden
        Forms::endProgram();
        QCOMPARE(env.exitRequests, 1);
        QVERIFY(!Forms::isLoaded<Caller>());
        QVERIFY(!Forms::isLoaded<Probe>());
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
