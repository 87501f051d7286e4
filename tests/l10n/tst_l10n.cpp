// The program in each of its languages: every window's texts translated and
// fitting their controls, the catalogue chosen from the user's languages, and
// files written byte for byte as in English.
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
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// The languages the program speaks besides English.
void languageRows() {
    QTest::addColumn<QString>("language");
    for (const char* language : {"de", "fr", "es"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

QString sourceOf(const QString& language) {
    return QStringLiteral(QUIZDEX_TRANSLATIONS) + u"/quizdex_"_s + language + u".ts"_s;
}

// A catalogue's sources and translations, read from the .ts file the build
// compiles.
QHash<QString, QString> catalogueOf(const QString& language) {
    QFile file(sourceOf(language));
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

// Installs one of the program's catalogues for as long as it lives.
struct Speaking {
    QTranslator translator;
    explicit Speaking(const QString& language) {
        QVERIFY(translator.load(u"quizdex_"_s + language,
                                QString::fromLatin1(startup::kCataloguePrefix)));
        QCoreApplication::installTranslator(&translator);
    }
    ~Speaking() { QCoreApplication::removeTranslator(&translator); }
};

// Every text a window shows, by the control's name: its title, labels,
// buttons, check boxes, options, frames and tabs.
QMap<QString, QString> textsOf(QWidget* window) {
    QMap<QString, QString> texts{{u"title"_s, window->windowTitle()}};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QString path = w->objectName();
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            path.prepend(p->objectName() + '/');
        if (auto* label = qobject_cast<QLabel*>(w))
            texts.insert(path, label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts.insert(path, button->text());
        else if (auto* frame = qobject_cast<QGroupBox*>(w))
            texts.insert(path, frame->title());
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts.insert(path + u"#%1"_s.arg(i), tabs->tabText(i));
    }
    return texts;
}

// The texts `shown` in English although the catalogue translates them.
QStringList untranslated(const QMap<QString, QString>& shown,
                         const QHash<QString, QString>& catalogue) {
    QStringList out;
    for (auto it = shown.begin(); it != shown.end(); ++it)
        if (catalogue.contains(it.value()) && catalogue.value(it.value()) != it.value())
            out << it.key() + u": "_s + it.value();
    return out;
}

// The shortcut letters used more than once among a window's buttons, check
// boxes and options ("&Begin" and "&Bearbeiten" would both be Alt+B).
QStringList repeatedShortcuts(QWidget* window) {
    QMap<QString, QStringList> byLetter;
    static const QRegularExpression letter(u"&([^&])"_s);
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (const auto m = letter.match(QString(b->text()).remove("&&"_L1)); m.hasMatch())
            byLetter[m.captured(1).toUpper()] << b->text();
    QStringList out;
    for (const QStringList& texts : byLetter)
        if (texts.size() > 1)
            out << texts.join(u" / "_s);
    return out;
}

template <class T> QWidget* build() {
    return &WindowRegistry::get<T>();
}

// A test of one question of each kind whose answers get every kind of feedback.
QByteArray sampleTest() {
    return testing::testFile(
        {.owner = u"Frau Schmidt"_s, .right = u"1000"_s, .wrong = u"1111"_s},
        {{storage::kTypeTrueFalse,
          u"Is the sky blue?"_s,
          {u"TRUE"_s, u"FALSE"_s},
          u"TRUE"_s,
          u"Because of the air."_s},
         {storage::kTypeTyped, u"The capital of Italy?"_s, {u"Rome"_s}, u"Rome"_s}});
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
        testing::closeWhenModal<ShortFeedbackWindow>(look);
        testing::closeWhenModal<DetailedFeedbackWindow>(look);
        testing::closeWhenModal<ScoreWindow>(look);
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
        const QStringList available = {u"de"_s, u"pt_BR"_s};
        // "wanted>chosen": the first language with a catalogue wins, unless English comes
        // before it; a region falls back to its language, but no language to a region
        for (const char* c : {"de-DE de>de", "de-AT>de", "fr-FR de-CH>de", "en-GB de-DE>", "C>",
                              "fr-FR>", "pt-BR>pt_BR", "pt-PT pt>", ">"}) {
            const QStringList wanted = QString::fromLatin1(c).split('>');
            QCOMPARE(startup::chooseLanguage(wanted[0].split(' ', Qt::SkipEmptyParts), available),
                     wanted[1]);
        }
    }

    void startUpLoadsTheProgramsCatalogueAndQtsOwnBesideIt_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("begin"); // and the Yes and No of Qt's catalogue
        QTest::newRow("de") << u"de"_s << u"&Starten &Ja &Nein"_s;
        QTest::newRow("fr") << u"fr"_s << u"&Démarrer &Oui &Non"_s;
        QTest::newRow("es") << u"es"_s << u"&Iniciar &Sí &No"_s;
    }
    void startUpLoadsTheProgramsCatalogueAndQtsOwnBesideIt() {
        QFETCH(QString, language);
        QFETCH(QString, begin);
        QCOMPARE(startup::installTranslations({u"en-US"_s, language + u"-XX"_s}), QString());
        QCOMPARE(MainWindow::tr("&Begin"), u"&Begin"_s);
        QCOMPARE(startup::installTranslations({language + u"-XX"_s}), language);
        // the Yes and No of the one question the program asks, from Qt's catalogue
        QCOMPARE(QStringList({MainWindow::tr("&Begin"),
                              QCoreApplication::translate("QPlatformTheme", "&Yes"),
                              QCoreApplication::translate("QPlatformTheme", "&No")}),
                 begin.split(' '));
        for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly))
            QCoreApplication::removeTranslator(t), delete t;
        QCOMPARE(MainWindow::tr("&Begin"), u"&Begin"_s);
    }

    void eachCatalogueIsCompleteAndKeepsTheMarkersOfItsSources_data() { languageRows(); }
    void eachCatalogueIsCompleteAndKeepsTheMarkersOfItsSources() {
        QFETCH(QString, language);
        const QHash<QString, QString> catalogue = catalogueOf(language);
        QVERIFY(catalogue.size() > 150);
        QFile ts(sourceOf(language));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        const QByteArray text = ts.readAll();
        for (const char* mark : {"type=\"unfinished\"", "type=\"vanished\"", "type=\"obsolete\""})
            QVERIFY2(!text.contains(mark), mark);
        for (auto it = catalogue.begin(); it != catalogue.end(); ++it) {
            const QString &source = it.key(), &translation = it.value();
            // the same place markers, line breaks, shortcuts and blanks at the ends (the
            // score bar's verdict follows blanks of its own, and may do without)
            bool same = !translation.isEmpty() &&
                        source.endsWith(' ') == translation.endsWith(' ') &&
                        (source.startsWith(' ') == translation.startsWith(' ') ||
                         source.trimmed().startsWith('('));
            for (const QString& marker : {u"%1"_s, u"%2"_s, u"\r\n"_s, u"&"_s})
                same = same && source.count(marker) == translation.count(marker);
            QVERIFY2(same, qPrintable(source));
        }
        // the score log's captions keep their column
        for (const QString& caption : {u"TEST TAKEN  -> "_s, u"# QUESTIONS -> "_s})
            QCOMPARE(catalogue.value(caption).size(), caption.size());
    }

    // Each window as built, in English and then translated: nothing cut off, no
    // shortcut letter twice, and nothing left in English that the catalogue translates.
    void everyWindowShowsItsLanguageThatFits_data() { languageRows(); }
    void everyWindowShowsItsLanguageThatFits() {
        QFETCH(QString, language);
        const QHash<QString, QString> catalogue = catalogueOf(language);
        for (auto make :
             {build<MainWindow>, build<HelpWindow>, build<PropertiesWindow>, build<QuestionEditor>,
              build<IntroductionWindow>, build<QuestionCountWindow>, build<TestRunWindow>,
              build<ShortFeedbackWindow>, build<DetailedFeedbackWindow>, build<ScoreWindow>,
              build<ScoreLogWindow>}) {
            QMap<QString, QString> english;
            QStringList problems;
            {
                testing::Env env;
                QWidget* w = make();
                problems << testing::cutOffTexts(w) << repeatedShortcuts(w);
                english = textsOf(w);
            }
            testing::Env env;
            Speaking speaking(language);
            QWidget* w = make();
            problems << testing::cutOffTexts(w) << repeatedShortcuts(w);
            const QMap<QString, QString> shown = textsOf(w);
            QCOMPARE(shown.keys(), english.keys());
            problems << untranslated(shown, catalogue);
            // every text with words in it changed, but for names and the few words
            // a language shares with English
            static const QStringList kSame = {u"Quizdex"_s, u"Quizdex "_s,
                                              u"quizdex@example.org"_s};
            for (auto it = english.begin(); it != english.end(); ++it)
                if (catalogue.value(it.value()) != it.value() && !kSame.contains(it.value()) &&
                    it.value().contains(QRegularExpression(u"[a-z]"_s)) &&
                    shown.value(it.key()) == it.value())
                    problems << it.key() + u": "_s + it.value();
            QVERIFY2(problems.isEmpty(), qPrintable(w->objectName() + ' ' + problems.join("; ")));
        }
    }

    void theHelpTextIsTranslatedAndItsEnglishBytesAreUnchanged_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("words"); // a heading and words from the last sections
        QTest::newRow("de") << u"de"_s << u"NEUEN TEST ANLEGEN\r\n|Ergebnisprotokoll"_s;
        QTest::newRow("fr") << u"fr"_s << u"CRÉER UN TEST\r\n|JOURNAL DES RÉSULTATS"_s;
        QTest::newRow("es") << u"es"_s << u"CREAR UNA PRUEBA\r\n|REGISTRO DE RESULTADOS"_s;
    }
    void theHelpTextIsTranslatedAndItsEnglishBytesAreUnchanged() {
        QFETCH(QString, language);
        QFETCH(QString, words);
        testing::Env env;
        QCOMPARE(helpText(), QString::fromLatin1(helpTextBytes()));
        QVERIFY(helpTextBytes().startsWith("QUIZDEX v "));
        Speaking speaking(language);
        const QString text = helpText();
        QVERIFY(text.startsWith(QString::fromLatin1(kHelpVersionLine)));
        for (const QString& part : words.split('|'))
            QVERIFY2(text.contains(part), qPrintable(part));
        QVERIFY(!text.contains(u"\r\r"_s) && !text.contains(QRegularExpression(u"[^\r]\n"_s)));
        // each translated line fits the help box's width, as the English breaks them by hand
        HelpWindow& help = WindowRegistry::get<HelpWindow>();
        help.show(); // the box lays out its scroll bar and page when shown
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* box = help.findChild<QPlainTextEdit*>(u"Text1"_s);
        const int room = box->viewport()->width() - 2 * int(box->document()->documentMargin());
        for (const QString& line : text.split(u"\r\n"_s))
            QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(line) <= room, qPrintable(line));
    }

    // The candidate's whole road in each language: each window fits and speaks
    // the language, the running texts are worded in it, and the score log gets
    // the very bytes an English run writes.
    void aRunInEachLanguageFitsEverywhereAndLogsAsInEnglish_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("de") << u"de"_s
                            << QStringList({u" 1 von  2"_s, u"Ergebnis:  0%"_s,
                                            u"Verstrichene Zeit"_s, u" 2 von  2"_s,
                                            u"Ergebnis:  50%"_s, u"Verstrichene Zeit"_s,
                                            u"Falsche Antwort!"_s, u"Bisher richtig =  1"_s,
                                            u"Name: Ann"_s, u"Erzielt =  50%   (VERFEHLT) "_s});
        QTest::newRow("fr") << u"fr"_s
                            << QStringList({u" 1 sur  2"_s, u"Score :  0%"_s, u"Temps écoulé "_s,
                                            u" 2 sur  2"_s, u"Score :  50%"_s, u"Temps écoulé "_s,
                                            u"Mauvaise réponse !"_s, u"Bonnes réponses =  1"_s,
                                            u"Nom : Ann"_s, u"Votre score =  50%   (ÉCHEC) "_s});
        QTest::newRow("es") << u"es"_s
                            << QStringList(
                                   {u" 1 de  2"_s, u"Resultado:  0%"_s, u"Tiempo transcurrido"_s,
                                    u" 2 de  2"_s, u"Resultado:  50%"_s, u"Tiempo transcurrido"_s,
                                    u"¡Respuesta incorrecta!"_s, u"Correctas hasta ahora =  1"_s,
                                    u"Nombre: Ann"_s, u"Su nota =  50%   (SUSPENSO) "_s});
    }
    void aRunInEachLanguageFitsEverywhereAndLogsAsInEnglish() {
        QFETCH(QString, language);
        QFETCH(QStringList, shown);
        const QHash<QString, QString> catalogue = catalogueOf(language);
        QStringList problems;
        const QByteArray englishLog =
            takeSampleTest([&](QWidget& w) { problems << testing::cutOffTexts(&w); });
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
        QVERIFY(englishLog.size() == storage::LogRecord::kSize);

        Speaking speaking(language);
        // Even a default locale that followed the language leaves the log as it was.
        QLocale::setDefault(QLocale(language));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        QStringList seen, said;
        const auto text = [](QWidget& w, const char* name) {
            return w.findChild<QLabel*>(name)->text();
        };
        const QByteArray translatedLog = takeSampleTest([&](QWidget& w) {
            problems << testing::cutOffTexts(&w) << untranslated(textsOf(&w), catalogue);
            seen << w.objectName();
            if (qobject_cast<TestRunWindow*>(&w))
                said << text(w, "Label1") << text(w, "lblScore")
                     << text(w, "lblElapsedTime").section(':', 0, 0);
            if (qobject_cast<DetailedFeedbackWindow*>(&w))
                said << text(w, "Label1") << text(w, "Label4");
            if (qobject_cast<ScoreWindow*>(&w))
                said << text(w, "Label2") << text(w, "barMyScore");
        });
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
        QCOMPARE(seen, QStringList({"Form2", "frmNumOfQ", "frmTakeTest", "frmCI", "frmTakeTest",
                                    "frmBig", "frmScore", "frmMain"}));
        QCOMPARE(said, shown);
        QCOMPARE(translatedLog, englishLog);
    }
};

QTEST_MAIN(TestL10n)
#include "tst_l10n.moc"
