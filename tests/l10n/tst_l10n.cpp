// The program in German: every window's texts translated and fitting their
// controls, the catalogue chosen from the user's languages, and files written
// byte for byte as in English.
#include "DetailedFeedbackWindow.h"
#include "HelpText.h"
#include "HelpWindow.h"
#include "IntroductionWindow.h"
#include "LogRecord.h"
#include "MainWindow.h"
#include "PropertiesWindow.h"
#include "QuestionCountWindow.h"
#include "QuestionEditor.h"
#include "ScoreLogWindow.h"
#include "ScoreWindow.h"
#include "SharedState.h"
#include "ShortFeedbackWindow.h"
#include "StartUp.h"
#include "TestRunWindow.h"
#include "TestSupport.h"

#include <functional>
#include <memory>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// The German catalogue's sources and translations, read from the .ts file the
// build compiles.
QHash<QString, QString> germanCatalogue() {
    QFile file(QStringLiteral(QUIZDEX_GERMAN_TS));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> out;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == "source"_L1)
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == "translation"_L1)
            out.insert(source, xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return out;
}

// Installs the program's German catalogue for as long as it lives.
class German {
public:
    German() {
        QVERIFY(m_translator.load(u"quizdex_de"_s, QString::fromLatin1(startup::kCataloguePrefix)));
        QCoreApplication::installTranslator(&m_translator);
    }
    ~German() { QCoreApplication::removeTranslator(&m_translator); }
    German(const German&) = delete;
    German& operator=(const German&) = delete;

private:
    QTranslator m_translator;
};

QString withoutMnemonic(QString text) {
    return text.replace("&&"_L1, "\x01"_L1).remove('&').replace('\x01', '&');
}

// What of a control's text does not fit in it at its font, or "" when it all shows.
QString overflow(QWidget* w) {
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const QString text = label->text();
        if (text.isEmpty())
            return {};
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            const int height = fm.boundingRect(QRect(0, 0, room.width(), 100000),
                                               Qt::TextWordWrap | int(label->alignment()), text)
                                   .height();
            // A line that shows at least most of its height is read whole.
            return height <= room.height() + fm.height() / 3 ? QString() : text;
        }
        return fm.horizontalAdvance(text) <= room.width() ? QString() : text;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const QString text = withoutMnemonic(button->text());
        if (text.isEmpty())
            return {};
        int room = w->width() - 6; // the frame and a little air each side
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(w);
            const bool check = qobject_cast<QCheckBox*>(w);
            room = w->style()
                       ->subElementRect(check ? QStyle::SE_CheckBoxContents
                                              : QStyle::SE_RadioButtonContents,
                                        &option, w)
                       .width();
        }
        return fm.horizontalAdvance(text) <= room ? QString() : text;
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        const QString text = frame->title();
        return text.isEmpty() || fm.horizontalAdvance(text) + 4 <= w->width() ? QString() : text;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        // The captions' row, each tab as wide as its caption asks, within the container.
        return tabs->tabBar()->sizeHint().width() <= tabs->width() ? QString() : tabs->tabText(0);
    }
    return {};
}

// Every text a window shows, by the control's name: its title, labels,
// buttons, check boxes, options, frames and tabs.
QMap<QString, QString> textsOf(QWidget* window) {
    QMap<QString, QString> texts;
    texts.insert(u"title"_s, window->windowTitle());
    const auto path = [window](QWidget* w) {
        QStringList names;
        for (QWidget* p = w; p && p != window; p = p->parentWidget())
            names.prepend(p->objectName());
        return names.join('/');
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w))
            texts.insert(path(w), label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts.insert(path(w), button->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(w))
            texts.insert(path(w), frame->title());
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts.insert(path(w) + u"#%1"_s.arg(i), tabs->tabText(i));
    }
    return texts;
}

// The controls of `window` whose text is cut off, as "name: text".
QStringList cutOff(QWidget* window) {
    QStringList out;
    window->ensurePolished();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->ensurePolished();
        if (const QString text = overflow(w); !text.isEmpty())
            out << w->objectName() + u": "_s + text;
    }
    return out;
}

// In English the About tab's "..questions, comments, bug reports, etc.." is
// wider than its label at the fixed layout (by about 20 pixels in Arial's
// metrics); the English text stays as it is, so only German is held to fit there.
QStringList cutOffInEnglish(QWidget* window) {
    QStringList cut = cutOff(window);
    cut.removeIf([](const QString& s) { return s.startsWith(u"Label12: ..questions"_s); });
    return cut;
}

// The score bars get their widths from a score only when the window is shown
// after a run, which checks them there; as built they are one pixel wide.
QStringList cutOffAsBuilt(QWidget* window, bool english) {
    QStringList cut = english ? cutOffInEnglish(window) : cutOff(window);
    cut.removeIf([](const QString& s) { return s.startsWith(u"bar"_s); });
    return cut;
}

// The texts `german` shows in English although the catalogue translates them.
QStringList untranslated(const QMap<QString, QString>& german,
                         const QHash<QString, QString>& catalogue) {
    QStringList out;
    for (auto it = german.begin(); it != german.end(); ++it) {
        const auto entry = catalogue.find(it.value());
        if (entry != catalogue.end() && *entry != it.value())
            out << it.key() + u": "_s + it.value();
    }
    return out;
}

// The shortcut letters used more than once among a window's buttons, check
// boxes and options ("&Begin" and "&Bearbeiten" would both be Alt+B).
QStringList repeatedShortcuts(QWidget* window) {
    QMap<QChar, QStringList> byLetter;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        const QString text = QString(b->text()).replace("&&"_L1, QString());
        const qsizetype at = text.indexOf('&');
        if (at >= 0 && at + 1 < text.size())
            byLetter[text.at(at + 1).toUpper()] << b->text();
    }
    QStringList out;
    for (const QStringList& texts : byLetter)
        if (texts.size() > 1)
            out << texts.join(u" / "_s);
    return out;
}

// Removes and deletes the catalogues installTranslations() gave the application.
void removeInstalledTranslations() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

using Builder = std::function<QWidget*()>;
template <class T> Builder build() {
    return [] { return &WindowRegistry::get<T>(); };
}

// A test of one question of each kind whose answers get every kind of feedback.
QByteArray sampleTest() {
    TestRecord head;
    head.setText(TestRecord::Owner, u"Frau Schmidt"_s);
    head.setRaw(TestRecord::CorrectFeedback, "1000");
    head.setRaw(TestRecord::IncorrectFeedback, "1111");
    QByteArray out = head.bytes();
    TestRecord tf;
    tf.setText(TestRecord::QuestionText, u"Is the sky blue?"_s);
    tf.setText(TestRecord::QuestionType, kTypeTrueFalse);
    tf.setText(TestRecord::choice(1), u"TRUE"_s);
    tf.setText(TestRecord::choice(2), u"FALSE"_s);
    tf.setText(TestRecord::CorrectAnswer, u"TRUE"_s);
    tf.setText(TestRecord::Explanation, u"Because of the air."_s);
    TestRecord typed;
    typed.setText(TestRecord::QuestionText, u"The capital of Italy?"_s);
    typed.setText(TestRecord::QuestionType, kTypeTyped);
    typed.setText(TestRecord::choice(1), u"Rome"_s);
    typed.setText(TestRecord::CorrectAnswer, u"Rome"_s);
    return out + tf.bytes() + typed.bytes();
}

} // namespace

class TestL10n : public QObject {
    Q_OBJECT

    // Runs the sample test as a candidate: the first answer right, the second
    // wrong. Each window on the way is handed to `look`. Returns the log written.
    QByteArray takeSampleTest(const std::function<void(QWidget&)>& look) {
        testing::Env env;
        env.clock->current.setTime(QTime(10, 0, 0)); // the queue is the draw
        env.random->values = {0.0, 0.99};
        env.writeFile("tests/Sky.tst", sampleTest());
        MainWindow& m = testing::readyToTake("Sky.tst", "Ann");
        const auto closeWith = [look](QWidget& w) {
            look(w);
            testing::click(testing::control<QPushButton>(&w, "Command1"));
        };
        testing::whenModal<ShortFeedbackWindow>(closeWith);
        testing::whenModal<DetailedFeedbackWindow>(closeWith);
        testing::whenModal<ScoreWindow>(closeWith);
        testing::takeTest(
            m,
            [&](TestRunWindow& t) {
                look(t);
                QTest::mouseClick(testing::control<QLabel>(&t, "labelA"), Qt::LeftButton);
                testing::click(testing::control<QPushButton>(&t, "Command1"));
                look(t);
                QTest::keyClicks(testing::control<QLineEdit>(&t, "txtANswer"), "Paris");
                testing::click(testing::control<QPushButton>(&t, "Command1"));
            },
            [&](QuestionCountWindow& n) { look(n); }, [&](IntroductionWindow& i) { look(i); });
        look(m);
        return env.readFile("tests/Ann.log");
    }

private slots:
    void theCatalogueFollowsTheUsersLanguagesAndEnglishNeedsNone() {
        QVERIFY(startup::availableLanguages().contains(u"de"_s));
        const QStringList available = {u"de"_s, u"pt_BR"_s};
        const QList<std::pair<QStringList, QString>> cases = {
            {{u"de-DE"_s, u"de"_s}, u"de"_s},
            {{u"de-AT"_s}, u"de"_s},
            {{u"fr-FR"_s, u"de-CH"_s}, u"de"_s},   // the first with a catalogue
            {{u"en-GB"_s, u"de-DE"_s}, QString()}, // English wanted first
            {{u"C"_s}, QString()},
            {{u"fr-FR"_s}, QString()},
            {{u"pt-BR"_s}, u"pt_BR"_s},
            {{u"pt-PT"_s, u"pt"_s}, QString()},
            {{}, QString()}};
        for (const auto& [wanted, chosen] : cases)
            QCOMPARE(startup::chooseLanguage(wanted, available), chosen);
    }

    void startUpLoadsTheProgramsCatalogueAndQtsOwnBesideIt() {
        QCOMPARE(startup::installTranslations({u"en-US"_s, u"de-DE"_s}), QString());
        QCOMPARE(MainWindow::tr("&Begin"), u"&Begin"_s);
        QCOMPARE(startup::installTranslations({u"de-DE"_s}), u"de"_s);
        QCOMPARE(MainWindow::tr("&Begin"), u"&Starten"_s);
        // the Yes and No of the one question the program asks, from Qt's catalogue
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Ja"_s);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), u"&Nein"_s);
        removeInstalledTranslations();
        QCOMPARE(MainWindow::tr("&Begin"), u"&Begin"_s);
    }

    void theGermanCatalogueIsCompleteAndKeepsTheMarkersOfItsSources() {
        const QHash<QString, QString> catalogue = germanCatalogue();
        QVERIFY(catalogue.size() > 150);
        QFile ts(QStringLiteral(QUIZDEX_GERMAN_TS));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QByteArray text = ts.readAll();
        QVERIFY(!text.contains("type=\"unfinished\""));
        QVERIFY(!text.contains("type=\"vanished\"") && !text.contains("type=\"obsolete\""));
        for (auto it = catalogue.begin(); it != catalogue.end(); ++it) {
            const QString& source = it.key();
            const QString& german = it.value();
            QVERIFY2(!german.isEmpty(), qPrintable(source));
            // the same place markers, the same line breaks, the same blanks at the ends
            for (const QString& marker : {u"%1"_s, u"%2"_s, u"\r\n"_s})
                QVERIFY2(source.count(marker) == german.count(marker), qPrintable(source));
            // (the score bar's verdict follows blanks of its own, and may do without)
            QVERIFY2(source.endsWith(' ') == german.endsWith(' ') &&
                         (source.startsWith(' ') == german.startsWith(' ') ||
                          source.trimmed().startsWith('(')),
                     qPrintable(source));
            QVERIFY2(source.count('&') == german.count('&'), qPrintable(source));
        }
        // the score log's captions keep their column
        for (const QString& caption : {u"TEST TAKEN  -> "_s, u"# QUESTIONS -> "_s})
            QCOMPARE(catalogue.value(caption).size(), caption.size());
    }

    // Each window as built, in English and then in German: nothing cut off,
    // and nothing left in English that the catalogue translates.
    void everyWindowShowsGermanThatFits() {
        const QHash<QString, QString> catalogue = germanCatalogue();
        const QList<std::pair<const char*, Builder>> windows = {
            {"frmMain", build<MainWindow>()},
            {"frmHelp", build<HelpWindow>()},
            {"frmProperties", build<PropertiesWindow>()},
            {"frmTestBuild", build<QuestionEditor>()},
            {"Form2", build<IntroductionWindow>()},
            {"frmNumOfQ", build<QuestionCountWindow>()},
            {"frmTakeTest", build<TestRunWindow>()},
            {"frmCI", build<ShortFeedbackWindow>()},
            {"frmBig", build<DetailedFeedbackWindow>()},
            {"frmScore", build<ScoreWindow>()},
            {"Form1", build<ScoreLogWindow>()}};
        for (const auto& [name, make] : windows) {
            QMap<QString, QString> english;
            {
                testing::Env env;
                QWidget* w = make();
                QVERIFY2(cutOffAsBuilt(w, true).isEmpty(),
                         qPrintable(cutOffAsBuilt(w, true).join(u"; "_s)));
                english = textsOf(w);
                QVERIFY2(repeatedShortcuts(w).isEmpty(), qPrintable(repeatedShortcuts(w).join(' ')));
            }
            testing::Env env;
            German german;
            QWidget* w = make();
            QVERIFY2(w->objectName() == QLatin1String(name), name);
            QVERIFY2(cutOffAsBuilt(w, false).isEmpty(),
                     qPrintable(cutOffAsBuilt(w, false).join(u"; "_s)));
            QVERIFY2(repeatedShortcuts(w).isEmpty(), qPrintable(repeatedShortcuts(w).join(' ')));
            const QMap<QString, QString> shown = textsOf(w);
            QCOMPARE(shown.keys(), english.keys());
            QVERIFY2((untranslated(shown, catalogue)).isEmpty(),
                     qPrintable((untranslated(shown, catalogue)).join(u"; "_s)));
            // every text with words in it changed, but for names and the few words
            // German shares
            static const QStringList kSame = {u"Quizdex"_s, u"Quizdex "_s,
                                              u"quizdex@example.org"_s};
            for (auto it = english.begin(); it != english.end(); ++it) {
                if (catalogue.value(it.value()) == it.value() || kSame.contains(it.value()) ||
                    !it.value().contains(QRegularExpression(u"[a-z]"_s)))
                    continue;
                QVERIFY2(shown.value(it.key()) != it.value(),
                         qPrintable(QLatin1String(name) + ' ' + it.key() + ' ' + it.value()));
            }
        }
    }

    void theHelpTextIsGermanAndItsEnglishBytesAreUnchanged() {
        testing::Env env;
        QCOMPARE(helpText(), QString::fromLatin1(helpTextBytes()));
        QVERIFY(helpTextBytes().startsWith("QUIZDEX v "));
        German german;
        const QString text = helpText();
        QVERIFY(text.startsWith(QString::fromLatin1(kHelpVersionLine)));
        QVERIFY(text.contains(u"NEUEN TEST ANLEGEN\r\n"_s) &&
                text.contains(u"Ergebnisprotokoll"_s));
        QVERIFY(!text.contains(u"\r\r"_s) && !text.contains(QRegularExpression(u"[^\r]\n"_s)));
        // each German line fits the help box's width, as the English breaks them by hand
        HelpWindow& help = WindowRegistry::get<HelpWindow>();
        help.show(); // the box lays out its scroll bar and page when shown
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* box = help.findChild<QPlainTextEdit*>(u"Text1"_s);
        const int room = box->viewport()->width() - 2 * int(box->document()->documentMargin());
        for (const QString& line : text.split(u"\r\n"_s))
            QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(line) <= room, qPrintable(line));
    }

    // The candidate's whole road in German: each window fits and is German,
    // and the score log gets the very bytes an English run writes.
    void aRunInGermanFitsEverywhereAndLogsAsInEnglish() {
        const QHash<QString, QString> catalogue = germanCatalogue();
        QStringList englishTexts;
        const QByteArray englishLog =
            takeSampleTest([&](QWidget& w) { englishTexts << cutOffInEnglish(&w); });
        QVERIFY2(englishTexts.isEmpty(), qPrintable(englishTexts.join(u"; "_s)));
        QVERIFY(englishLog.size() == LogRecord::kSize);

        German german;
        // Even a default locale that followed the language leaves the log as it was.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        QStringList problems;
        QStringList seen;
        const QByteArray germanLog = takeSampleTest([&](QWidget& w) {
            problems << cutOff(&w) << untranslated(textsOf(&w), catalogue);
            seen << w.objectName();
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
        QCOMPARE(seen, QStringList({"Form2", "frmNumOfQ", "frmTakeTest", "frmCI", "frmTakeTest",
                                    "frmBig", "frmScore", "frmMain"}));
        QCOMPARE(germanLog, englishLog);
    }

    void theRunShowsItsRunningTextsInGerman() {
        German german;
        QStringList shown;
        takeSampleTest([&](QWidget& w) {
            if (auto* t = qobject_cast<TestRunWindow*>(&w))
                shown << t->findChild<QLabel*>("Label1")->text()
                      << t->findChild<QLabel*>("lblScore")->text()
                      << t->findChild<QLabel*>("lblElapsedTime")->text().section(':', 0, 0);
            if (auto* b = qobject_cast<DetailedFeedbackWindow*>(&w))
                shown << b->findChild<QLabel*>("Label1")->text()
                      << b->findChild<QLabel*>("Label4")->text();
            if (auto* s = qobject_cast<ScoreWindow*>(&w))
                shown << s->findChild<QLabel*>("Label2")->text()
                      << s->findChild<QLabel*>("barMyScore")->text();
        });
        QCOMPARE(shown, QStringList({u" 1 von  2"_s, u"Ergebnis:  0%"_s, u"Verstrichene Zeit"_s,
                                     u" 2 von  2"_s, u"Ergebnis:  50%"_s, u"Verstrichene Zeit"_s,
                                     u"Falsche Antwort!"_s, u"Bisher richtig =  1"_s,
                                     u"Name: Ann"_s, u"Erzielt =  50%   (VERFEHLT) "_s}));
    }
};

QTEST_MAIN(TestL10n)
#include "tst_l10n.moc"
