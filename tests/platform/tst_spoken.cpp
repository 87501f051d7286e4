// What a screen reader is told: windows described by what they show, option
// groups walked in reading order, text boxes whose focus is told before their
// caret and whose lines are read whole, password boxes that tell no
// character, and a number that moves on said from the control with the focus.
#include "Accessibility.h"
#include "OptionWalk.h"
#include "Spoken.h"
#include "TestSupport.h"

#include <QTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {
// What of `event` goes on to the screen reader: for each notice handed on, the
// text it tells of ("removed>inserted" for an update), marked "=" when it is
// `event` itself.
QStringList told(QAccessibleEvent& event) {
    QStringList out;
    platform::spoken::filterNotice(&event, [&](QAccessibleEvent* e) {
        QString text = e == &event ? u"="_s : QString();
        if (e->type() == QAccessible::TextInserted)
            text += static_cast<QAccessibleTextInsertEvent*>(e)->textInserted();
        else if (e->type() == QAccessible::TextRemoved)
            text += static_cast<QAccessibleTextRemoveEvent*>(e)->textRemoved();
        else if (e->type() == QAccessible::TextUpdated)
            text += static_cast<QAccessibleTextUpdateEvent*>(e)->textRemoved() + '>' +
                    static_cast<QAccessibleTextUpdateEvent*>(e)->textInserted();
        out << text;
    });
    return out;
}
bool passes(QAccessibleEvent&& event) {
    const QStringList out = told(event);
    return out.size() == 1 && out[0].startsWith('=');
}
QAccessibleTextInterface* textOf(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->textInterface();
}
} // namespace

class TestSpoken : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::installAccessibility(); }

    void optionsAreWalkedInReadingOrderRoundAndRoundPassingOverUnusableOnes() {
        QWidget w;
        QList<QAbstractButton*> options;
        // Placed as the count window has them: the third beside the first.
        for (QPoint at : {QPoint(0, 0), QPoint(0, 30), QPoint(200, 0), QPoint(200, 30)}) {
            options << new QRadioButton(&w);
            options.last()->setObjectName(u"o%1"_s.arg(options.size() - 1));
            options.last()->move(at);
        }
        options[0]->setChecked(true);
        options[3]->setEnabled(false);
        platform::ui::OptionWalk::install(options);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        options[0]->setFocus(Qt::TabFocusReason);
        QStringList walk;
        for (Qt::Key key :
             {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right}) {
            testing::press(key);
            walk << testing::focused()->objectName() +
                        (static_cast<QAbstractButton*>(testing::focused())->isChecked() ? "*" : "");
        }
        QCOMPARE(walk, QStringList({"o1*", "o2*", "o0*", "o2*", "o1*", "o2*"}));
        // Tab enters and leaves at the chosen option alone.
        const auto tabStop = [](QAbstractButton* b) {
            return bool(b->focusPolicy() & Qt::TabFocus);
        };
        QVERIFY(!tabStop(options[0]) && !tabStop(options[1]) && tabStop(options[2]));
        options[2]->hide();
        options[0]->click(); // chosen by mouse: the tab stop follows
        QVERIFY(tabStop(options[0]));
        options[0]->setFocus();
        testing::press(Qt::Key_Up); // the hidden and the disabled one are passed over
        QCOMPARE(testing::focused(), options[1]);
    }

    void aWindowIsDescribedByTheTextsItShowsNowInOrder() {
        QWidget w;
        auto* verdict = new QLabel(u"Correct Answer!"_s, &w);
        auto* frame = new QGroupBox(u"Explanation of Answer"_s, &w);
        auto* unnamed = new QGroupBox(&w);
        unnamed->setAccessibleName(u"Questions"_s);
        auto* ampersand = new QLabel(u"Tom & Jerry"_s, &w);
        const QList<QWidget*> parts = {
            verdict,        frame,   new QLabel(u"  Water boils\nat 100 degrees  "_s, frame),
            new QLabel(&w), unnamed, ampersand};
        platform::spoken::describeWindow(&w, parts);
        QCOMPARE(QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Description),
                 u"Correct Answer! Explanation of Answer. Water boils at 100 degrees. Questions. "
                 "Tom & Jerry"_s);
        // Described labels label themselves, so that a reader does not read them
        // a second time as loose text; one with '&' would become a shortcut.
        QVERIFY(verdict->buddy() == verdict && !ampersand->buddy());
        frame->hide();
        verdict->setText(u"InCorrect Answer!"_s);
        platform::spoken::describeWindow(&w, parts);
        QCOMPARE(w.accessibleDescription(), u"InCorrect Answer! Questions. Tom & Jerry"_s);
    }

    void aTextBoxTellsOfItsFocusBeforeItsCaretAndNeverOfACaretWithoutFocus() {
        QWidget w;
        auto* first = new QPushButton(u"first"_s, &w);
        auto* box = new QLineEdit(u"typed before"_s, &w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        first->setFocus();
        // A caret moved from code in a box without the focus.
        QVERIFY(!passes(QAccessibleTextCursorEvent(box, 3)));
        testing::press(Qt::Key_Tab); // in, with all its text selected
        QCOMPARE(testing::focused(), box);
        // Between the box's focus-in and Qt's notice of its focus (which comes
        // after it) its caret and selection are held back.
        QVERIFY(!passes(QAccessibleTextSelectionEvent(box, 0, 12)));
        QVERIFY(!passes(QAccessibleTextCursorEvent(box, 12)));
        QVERIFY(passes(QAccessibleEvent(box, QAccessible::Focus)));
        QVERIFY(passes(QAccessibleTextCursorEvent(box, 12))); // typing in it is told as ever
        QVERIFY(passes(QAccessibleEvent(first, QAccessible::NameChanged)));
    }

    void aNumberThatMovesOnIsDescribedAtOnceAndSaidFromTheFocusUntilItLeaves() {
        QWidget w;
        auto* frame = new QGroupBox(&w);
        frame->setAccessibleName(u"Questions"_s);
        auto* number = new QLabel(u"1"_s, frame);
        auto* next = new QPushButton(u"Next"_s, &w);
        next->setToolTip(u"go on"_s);
        auto* other = new QPushButton(u"Other"_s, &w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        next->setFocus();
        number->setText(u"2"_s);
        platform::spoken::describeAndSay(&w, {frame, number});
        QCOMPARE(w.accessibleDescription(), u"Questions. 2"_s); // before any event
        QTRY_COMPARE(next->accessibleDescription(), u"Questions. 2"_s);
        other->setFocus();
        QCOMPARE(QAccessible::queryAccessibleInterface(next)->text(QAccessible::Description),
                 u"go on"_s);
    }

    // Orca reads a line as the runs of attributes that cover it: each run must
    // reach the end of the text, or the line loses its last characters.
    void aTextBoxIsReadWholeAtEveryOffset_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("name") << u"Ann"_s;
        QTest::newRow("one") << u"A"_s;
        QTest::newRow("words") << u"Frau Dr. Schmidt-Meyer"_s;
    }
    void aTextBoxIsReadWholeAtEveryOffset() {
        QFETCH(QString, text);
        QLineEdit box(text);
        QAccessibleTextInterface* t = textOf(&box);
        for (int offset = 0; offset < text.size(); ++offset) {
            int start = -1, end = -1;
            t->attributes(offset, &start, &end);
            QVERIFY2(start <= offset && end == text.size(), qPrintable(QString::number(offset)));
            QCOMPARE(t->textAtOffset(offset, QAccessible::LineBoundary, &start, &end), text);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(&box)->text(QAccessible::Value), text);
    }

    void aPasswordBoxGivesOutNoCharacterAsItIsTypedOrRead() {
        QWidget w;
        auto* box = new QLineEdit(&w);
        box->setEchoMode(QLineEdit::Password);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        box->setFocus();
        QTest::keyClicks(box, u"secret"_s);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
        int start = 0, end = 0;
        QVERIFY(a->state().passwordEdit && a->textInterface()->characterCount() == 6);
        QCOMPARE(a->textInterface()->text(0, 6) + a->text(QAccessible::Value) +
                     a->textInterface()->textAtOffset(2, QAccessible::LineBoundary, &start, &end),
                 u"******"_s);
        // each character typed, taken out or set goes on as the box shows it
        const QString mask = box->displayText().left(1);
        QAccessibleTextInsertEvent typed(box, 5, u"t"_s);
        QAccessibleTextRemoveEvent removed(box, 0, u"se"_s);
        QAccessibleTextUpdateEvent set(box, 0, u"secret"_s, u"pin"_s);
        QCOMPARE(told(typed) + told(removed) + told(set),
                 QStringList({mask, mask.repeated(2), mask.repeated(6) + '>' + mask.repeated(3)}));
        box->setEchoMode(QLineEdit::NoEcho);
        QVERIFY(told(typed).isEmpty() && a->text(QAccessible::Value).isEmpty());
        box->setEchoMode(QLineEdit::Normal); // an ordinary box tells what is typed
        QVERIFY(passes(QAccessibleTextInsertEvent(box, 5, u"t"_s)));
    }
};

QTEST_MAIN(TestSpoken)
#include "tst_spoken.moc"
