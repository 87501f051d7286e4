// Reading score logs on the main window's log tab and in the full view.
#include "Controls.h"
#include "FileListBox.h"
#include "Form1.h"
#include "frmMain.h"
#include "Module1.h"
#include "ScoreLog.h"
#include "TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

namespace {

QByteArray entryBytes(const QByteArray& test, const QByteArray& score, std::int16_t questions) {
    LogRecord r;
    scoring::fillEntry(r, QString::fromLatin1(test), QStringLiteral("12/5/98"),
                       QStringLiteral("10:35:12 PM"), score.toInt(), questions);
    return r.bytes();
}

QString entry(const QString& test, int questions, const QString& score) {
    return QStringLiteral(
               "TEST TAKEN  -> %1\r\nTIME TAKEN  -> 10:35:12 PM\r\nDATE TAKEN  -> 12/5/98\r\n"
               "# QUESTIONS -> %2\r\nTEST SCORE  -> %3%\r\n\r\n")
        .arg(test, QString::number(questions), score);
}

// What a plain text view holds for `text` (its line breaks are LF).
QString shown(const QString& text) {
    QString s = text;
    return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

frmMain& openLogTab() {
    frmMain& m = Forms::get<frmMain>();
    m.Show();
    m.SSTab1->setCurrentIndex(3);
    return m;
}

void clickLog(frmMain& m, const QString& name) {
    for (int i = 0; i < m.File3->count(); ++i) {
        if (m.File3->item(i)->text() == name) {
            QTest::mouseClick(m.File3->viewport(), Qt::LeftButton, {},
                              m.File3->visualItemRect(m.File3->item(i)).center());
            return;
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("no log ") + name), __FILE__, __LINE__);
}

// The window system telling the program that the user switched to `w`.
void userSwitchesTo(QWidget* w) {
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(w, &e);
}

const QString kThree =
    entry("MATH1", 10, "80") + entry("ALGEBRA", 4, "25") + entry("MATH1", 10, "100");

} // namespace

class TestLogViews : public QObject {
    Q_OBJECT
private slots:
    void selectingALogFillsTheMiniatureView() {
        testing::Env env;
        env.writeFile("tests/Ann.log", entryBytes("MATH1", "80", 10) +
                                           entryBytes("ALGEBRA", "25", 4) +
                                           entryBytes("MATH1", "100", 10));
        env.writeFile("tests/Bob.log", entryBytes("GEO", "0", 0));
        env.writeFile("tests/Empty.log", {});
        frmMain& m = openLogTab();
        QVERIFY(m.Text4->toPlainText().isEmpty());

        clickLog(m, "Ann.log");
        QCOMPARE(m.Text4->toPlainText(), shown(kThree));
        clickLog(m, "Bob.log"); // replaces, does not extend
        QCOMPARE(m.Text4->toPlainText(), shown(entry("GEO", 0, "0")));
        clickLog(m, "Empty.log");
        QCOMPARE(m.Text4->toPlainText(), QString());
        QVERIFY(env.boxes->shown.isEmpty());
        QCOMPARE(env.readFile("tests/Ann.log").size(), 3 * 113); // reading changes nothing
    }

    void aLogThatCannotBeReadIsReported() {
        testing::Env env;
        env.writeFile("tests/Ann.log", entryBytes("MATH1", "80", 10));
        env.writeFile("tests/Gone.log", entryBytes("GEO", "50", 2));
        frmMain& m = openLogTab();
        clickLog(m, "Ann.log");
        QFile::remove("tests/Gone.log"); // deleted between listing and selecting
        clickLog(m, "Gone.log");
        QCOMPARE(m.Text4->toPlainText(), QString());
        QCOMPARE(env.boxes->shown, QStringList({scoring::logErrorMessage()}));
        QVERIFY(!QFile::exists("tests/Gone.log"));

        // past the 16-bit record counter: the message, and the entries counted stay
        env.writeFile("tests/Big.log", entryBytes("BIG", "7", 1).repeated(32768));
        m.File3->refresh();
        QElapsedTimer timer;
        timer.start();
        clickLog(m, "Big.log");
        qInfo("a log of 32,768 entries shown in %lld ms", timer.elapsed());
        QCOMPARE(env.boxes->shown.size(), 2);
        QCOMPARE(env.boxes->shown.last(), scoring::logErrorMessage());
        QCOMPARE(m.Text4->blockCount(), 32767 * 6 + 1);
    }

    void fullViewFollowsTheSelectedLog() {
        testing::Env env;
        env.writeFile("tests/Ann.log", entryBytes("MATH1", "80", 10) +
                                           entryBytes("ALGEBRA", "25", 4) +
                                           entryBytes("MATH1", "100", 10));
        env.writeFile("tests/Bob.log", entryBytes("GEO", "0", 0));
        frmMain& m = openLogTab();

        // nothing selected: an empty view under an empty caption, no message
        testing::click(m.Command5);
        QVERIFY(Forms::isLoaded<Form1>());
        Form1& f = Forms::get<Form1>();
        QVERIFY(f.isVisible());
        QVERIFY(!f.isModal() && QApplication::activeModalWidget() == nullptr);
        QCOMPARE(f.windowTitle(), QString());
        QCOMPARE(f.Text1->toPlainText(), QString());
        QVERIFY(env.boxes->shown.isEmpty());
        QCOMPARE(f.Text1->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(ui::backColor(f.Text1), ui::rgb(192, 255, 192));
        QCOMPARE(testing::unnamedControls(&f), QStringList());

        // the main window stays usable; returning to the full view reloads it
        userSwitchesTo(&m);
        clickLog(m, "Ann.log");
        userSwitchesTo(&f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Ann.log"));
        QCOMPARE(f.Text1->toPlainText(), shown(kThree));
        QCOMPARE(f.Text1->toPlainText(), m.Text4->toPlainText());

        f.move(0, 0);
        f.Text1->verticalScrollBar()->setValue(f.Text1->verticalScrollBar()->maximum());
        userSwitchesTo(&m);
        clickLog(m, "Bob.log");
        testing::click(m.Command5); // brings it forward, rebuilt
        QCOMPARE(f.windowTitle(), QStringLiteral("Bob.log"));
        QCOMPARE(f.Text1->toPlainText(), shown(entry("GEO", 0, "0")));
        QCOMPARE(f.Text1->verticalScrollBar()->value(), 0);
        QVERIFY(f.pos() != QPoint(0, 0)); // centred again

        testing::click(f.Command1);
        QVERIFY(!Forms::isLoaded<Form1>());
        QCOMPARE(Forms::active(), &m);
    }
};

QTEST_MAIN(TestLogViews)
#include "tst_logviews.moc"
