// Every window with the longest texts its files can hold, in English and in
// each language the program has a catalogue for, on a screen of 1280 x 1024
// pixels at the dpi CTest gives this run (96, and 192 as for large fonts):
// each text shows whole in its control, each control lies within its parent,
// each window within the screen's free area, and where a window scrolls, each
// control the keyboard reaches comes into view. Texts on the program's own
// colours read at 4.5:1 or better.
#include "Controls.h"
#include "DetailedFeedbackWindow.h"
#include "FileListBox.h"
#include "HeaderRecord.h"
#include "HelpWindow.h"
#include "IntroductionWindow.h"
#include "Layout.h"
#include "MainWindow.h"
#include "PropertiesWindow.h"
#include "Question.h"
#include "QuestionCountWindow.h"
#include "QuestionEditor.h"
#include "ScoreLogWindow.h"
#include "ScoreWindow.h"
#include "SharedState.h"
#include "ShortFeedbackWindow.h"
#include "StartUp.h"
#include "TestRunWindow.h"
#include "TestSupport.h"
#include "TextLabel.h"

#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// The colour a control's text is drawn on: a button's own, else that of the
// nearest control that fills its background, up to the window.
QColor colourBehind(const QWidget* w) {
    if (qobject_cast<const QPushButton*>(w))
        return w->palette().color(QPalette::Button);
    for (; !w->isWindow() && !w->autoFillBackground(); w = w->parentWidget()) {
    }
    return w->palette().color(w->backgroundRole());
}

bool showsText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->pixmap().isNull() && !label->text().trimmed().isEmpty();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return !button->text().isEmpty();
    return false;
}

// The area of `window` not under its scroll bars.
QRect view(QWidget& window) {
    QRect r = window.rect();
    for (QScrollBar* bar : window.findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
        if (bar->isVisible())
            (bar->orientation() == Qt::Vertical ? r.setRight(bar->x() - 1)
                                                : r.setBottom(bar->y() - 1));
    return r;
}

QString where(const QRect& r) {
    return u"%1,%2 %3x%4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What is wrong with `window` as it shows now, one line each.
QStringList problems(Window& window) {
    QStringList out = testing::cutOffTexts(&window);
    if (!window.screen()->availableGeometry().contains(window.frameGeometry()))
        out << u"the window at "_s + where(window.frameGeometry()) + u" leaves the screen"_s;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        QWidget* parent = w->parentWidget();
        const QRect room = parent == &window ? window.contentRect() : parent->rect();
        if (platform::ui::isPlaced(w) && !room.contains(w->geometry()))
            out << w->objectName() + u" at "_s + where(w->geometry()) + u" leaves "_s + where(room);
        // The bars of the score chart are read against both their colours in
        // tst_scoring; the title's yellow twin is the shadow of its face.
        const double contrast =
            platform::ui::contrastRatio(w->palette().color(w->foregroundRole()), colourBehind(w));
        if (showsText(w) && w->isEnabled() && !w->objectName().startsWith("bar"_L1) &&
            w->objectName() != "Label10(1)"_L1 && contrast < 4.5)
            out << w->objectName() + u" reads at %1:1"_s.arg(contrast, 0, 'f', 2);
    }
    // Each control the keyboard reaches, in turn: it comes into view.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        out << u"the window never became active"_s;
    QWidget* const first = QApplication::focusWidget();
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if (!w->isVisibleTo(&window) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        w->setFocus(Qt::TabFocusReason);
        // As much of it as the view can hold (of a text, its lines); of a
        // button, its caption in the middle.
        const auto* label = qobject_cast<const TextLabel*>(w);
        const QRect r = (label ? label->textExtent() : w->rect())
                            .translated(w->mapTo(&window, QPoint(0, 0))),
                    shown = view(window) & r;
        const bool whole = shown.width() == std::min(r.width(), view(window).width()) &&
                           shown.height() == std::min(r.height(), view(window).height());
        if (!whole || (qobject_cast<QAbstractButton*>(w) && !shown.contains(r.center())))
            out << w->objectName() + u" has the focus out of view at "_s + where(r);
    }
    if (first)
        first->setFocus(Qt::TabFocusReason);
    for (QString& line : out)
        line.prepend(window.objectName() + u": "_s);
    return out;
}

// The options of the run stand beside the first lines of their answers.
QStringList optionsOffTheirFirstLines(TestRunWindow& run) {
    QStringList out;
    for (const QChar letter : u"ABCDE"_s) {
        auto* option = testing::control<QRadioButton>(&run, u"answer"_s + letter);
        auto* text = testing::control<QLabel>(&run, u"label"_s + letter);
        QStyleOptionButton o;
        o.initFrom(option);
        const int mark =
            option
                ->mapTo(&run, option->style()
                                  ->subElementRect(QStyle::SE_RadioButtonIndicator, &o, option)
                                  .center())
                .y();
        const int line = text->mapTo(&run, text->contentsRect().topLeft()).y() +
                         QFontMetrics(text->font()).height() / 2;
        if (option->isVisible() && std::abs(mark - line) > 2)
            out << u"answer%1 beside %2, its first line at %3"_s.arg(letter).arg(mark).arg(line);
    }
    return out;
}

} // namespace

class TestFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The screen CTest asked for: 1280 x 1024 pixels at the dpi it names.
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->geometry().size() * screen->devicePixelRatio(), QSize(1280, 1024));
        QCOMPARE(qRound(96 * screen->devicePixelRatio()),
                 qEnvironmentVariableIntValue("QUIZDEX_FIT_DPI"));
    }

    void everyWindowShowsItsLongestTextsWhole_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("unbroken");
        for (const QString& language : QStringList{QString()} + startup::availableLanguages())
            for (const bool unbroken : {false, true})
                QTest::addRow("%s, %s", language.isEmpty() ? "en" : qPrintable(language),
                              unbroken ? "one unbroken word" : "words")
                    << language << unbroken;
    }
    void everyWindowShowsItsLongestTextsWhole() {
        QFETCH(QString, language);
        QFETCH(bool, unbroken);
        testing::Env env;
        if (!language.isEmpty())
            QCOMPARE(startup::installTranslations({language}), language);
        const auto english = qScopeGuard([] {
            for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly))
                QCoreApplication::removeTranslator(t), delete t;
        });
        const auto text = [unbroken](int length, int variant = 0) {
            return testing::longestText(length, unbroken, variant);
        };
        // A test and a candidate with the longest names a file can have, the test's
        // owner and questions with the longest texts their fields hold.
        const QString name = text(251), candidate = text(251, 1);
        QList<testing::Fields> questions;
        for (int k = 1; k <= 2; ++k) {
            QStringList choices;
            for (int c = 0; c < 5; ++c)
                choices << text(200, 2 + c);
            questions.append({u"MULTIPLE"_s, text(500, k), choices, choices[0], text(500, 7)});
        }
        const QByteArray bytes = testing::testFile(
            {.owner = text(200), .password = u"pw"_s, .right = u"1000"_s, .wrong = u"1111"_s},
            questions);
        env.writeFile(u"tests/"_s + name + u".tst"_s, bytes);
        const QString right = questions[0].choices[0];

        QStringList found, seen;
        const auto look = [&](Window& w) {
            found << problems(w);
            seen << w.objectName();
        };
        // The run: the first answer right (a short verdict), the second wrong (every feedback).
        testing::closeWhenModal<ShortFeedbackWindow>(look);
        testing::closeWhenModal<DetailedFeedbackWindow>(look);
        testing::closeWhenModal<ScoreWindow>(look);
        MainWindow& m = testing::readyToTake(name + u".tst"_s, candidate);
        testing::takeTest(
            m,
            [&](TestRunWindow& t) {
                for (const bool answerRight : {true, false}) {
                    look(t);
                    found << optionsOffTheirFirstLines(t);
                    // printed whole, however little of it the screen shows
                    testing::click(testing::control<QPushButton>(&t, u"Command3"_s));
                    if (env.printer->printed.last().size() !=
                        t.contentSize() * t.devicePixelRatio())
                        found << u"the run printed %1 pixels wide"_s.arg(
                            env.printer->printed.last().width());
                    for (const QChar letter : u"ABCDE"_s)
                        if ((testing::control<QLabel>(&t, u"label"_s + letter)->text() == right) ==
                            answerRight) {
                            testing::click(
                                testing::control<QRadioButton>(&t, u"answer"_s + letter));
                            break;
                        }
                    testing::click(testing::control<QPushButton>(&t, u"Command1"_s));
                }
            },
            [&](QuestionCountWindow& w) { look(w); }, [&](IntroductionWindow& w) { look(w); });

        // The main window's pages, the score log in full, the help, the test's
        // properties and its questions.
        auto* tabs = testing::control<QTabWidget>(&m, u"SSTab1"_s);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            look(m);
        }
        testing::control<FileListBox>(&m, u"File3"_s)->selectFile(candidate + u".log"_s);
        testing::click(testing::control<QPushButton>(&m, u"Command5"_s));
        look(WindowRegistry::get<ScoreLogWindow>());
        testing::click(
            testing::control<QPushButton>(WindowRegistry::find<ScoreLogWindow>(), u"Command1"_s));
        testing::closeWhenModal<HelpWindow>(look);
        testing::click(testing::control<QPushButton>(&m, u"Command7"_s));
        storage::shared::testPath = env.testsFile(name + u".tst"_s);
        testing::closeWhenModal<PropertiesWindow>(look, "Command2");
        QVERIFY(PropertiesWindow::openFor(storage::shared::testPath));
        testing::closeWhenModal<QuestionEditor>(look, "Command2");
        WindowRegistry::get<QuestionEditor>().showModal();

        QCOMPARE(seen,
                 QStringList({"Form2", "frmNumOfQ", "frmTakeTest", "frmCI", "frmTakeTest", "frmBig",
                              "frmScore", "frmMain", "frmMain", "frmMain", "frmMain", "frmMain",
                              "Form1", "frmHelp", "frmProperties", "frmTestBuild"}));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u"\n"_s)));
    }
};

QTEST_MAIN(TestFit)
#include "tst_fit.moc"
