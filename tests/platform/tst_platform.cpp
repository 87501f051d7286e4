// The thin layer over the toolkit: the layout rule, file lists, lookups, sound
// rules, printing, message boxes, clock texts and the random generator.
#include "FileListBox.h"
#include "Files.h"
#include "ImageBox.h"
#include "Layout.h"
#include "MultiLineTextBox.h"
#include "Pictures.h"
#include "Services.h"
#include "TestSupport.h"
#include "Controls.h"
#include "Window.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTime>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void aTextThatNeedsMoreLinesPushesDownWhatFollowsIt_data() {
        // Controls as "top-bottom", ">N" when their texts need N, "=" for a
        // picture; laid out as "top+height", then the parent's height.
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("laidOut");
        QTest::newRow("all fits") << "10-40>30 50-60"
                                  << "10+30 50+10 100";
        QTest::newRow("the next keeps its distance") << "10-40>60 50-60"
                                                     << "10+60 80+10 130";
        QTest::newRow("two grow") << "10-40>60 50-60>20"
                                  << "10+60 80+20 140";
        QTest::newRow("frames stretch, pictures do not") << "0-100 10-40>60 0-90="
                                                         << "0+130 10+60 0+90 130";
        QTest::newRow("beside, begun higher: stays") << "10-40>60 5-25"
                                                     << "10+60 5+20 130";
        // and the text's bottom keeps its distance below that control
        QTest::newRow("beside, begun lower: below the lines") << "10-40>60 20-30"
                                                              << "10+80 70+10 150";
        QTest::newRow("given places overlapping") << "10-35>40 25-50"
                                                  << "10+50 50+25 125";
    }
    void aTextThatNeedsMoreLinesPushesDownWhatFollowsIt() {
        QFETCH(QString, given);
        QFETCH(QString, laidOut);
        std::vector<platform::ui::Span> spans;
        for (const QString& s : given.split(' ')) {
            const QStringList n = QString(s).remove('=').split(QRegularExpression("[->]"));
            spans.push_back({n[0].toInt(), n[1].toInt(), n.value(2).toInt(), s.endsWith('=')});
        }
        const platform::ui::Stretched out = platform::ui::stretchDown(spans, 100);
        QStringList shown;
        for (const auto& [top, height] : out.spans)
            shown << u"%1+%2"_s.arg(top).arg(height);
        QCOMPARE(shown.join(' ') + ' ' + QString::number(out.height), laidOut);
    }

    // A window wider than the screen scrolls sideways as far left as still
    // shows the control with the focus: a short text in a wide box leaves the
    // number to its left in view, a button at the far right is brought in,
    // and the short text brings the window back.
    void aWindowWiderThanTheScreenKeepsWhatIsLeftOfTheFocusInView() {
        testing::Env env;
        struct Wide : Window {
            explicit Wide(int width) { setGivenSize(width, 100); }
        };
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        Wide w(screen.width() + 200);
        auto* number = platform::ui::label(&w, u"number"_s, u"1 of 5"_s, QRect(8, 8, 50, 20));
        auto* question = platform::ui::label(&w, u"question"_s, u"Short?"_s,
                                             QRect(72, 40, screen.width() - 40, 40));
        question->setWordWrap(true);
        question->setFocusPolicy(Qt::StrongFocus);
        auto* far = platform::ui::button(&w, u"far"_s, u"Far"_s,
                                         QRect(screen.width() + 100, 40, 80, 30));
        w.present();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const auto inView = [&](QWidget* c) {
            return w.rect().contains(QRect(c->mapTo(&w, QPoint()), c->size()));
        };
        for (QWidget* c : {static_cast<QWidget*>(question), static_cast<QWidget*>(far),
                           static_cast<QWidget*>(question)}) {
            c->setFocus(Qt::TabFocusReason);
            QVERIFY2(c == far ? inView(far) : inView(number), qPrintable(c->objectName()));
        }
    }

    void fileListsShowMatchingRegularFilesSortedIgnoringCaseAndKeepTheSelection() {
        testing::Env env;
        for (const char* name : {"b.tst", "a.tst", "c.log", "ALGEBRA.TST", ".log", "notes.txt"})
            env.writeFile(u"tests/%1"_s.arg(QLatin1String(name)), "x");
        QDir().mkdir(u"tests/folder.tst"_s);
        // only regular files and links to them: nothing that could block a reader
        QCOMPARE(::mkfifo("tests/pipe.tst", 0666), 0);
        QVERIFY(QFile::link(u"folder.tst"_s, u"tests/dir.tst"_s));
        QVERIFY(QFile::link(u"b.tst"_s, u"tests/linked.tst"_s));
        QVERIFY(QFile::link(u"none"_s, u"tests/broken.tst"_s));

        FileListBox list, logs;
        const auto shown = [](FileListBox& l, const QString& pattern) {
            l.setPattern(pattern);
            QStringList names;
            if (l.setPath(u"./tests"_s))
                for (int i = 0; i < l.count(); ++i)
                    names << l.item(i)->text();
            return names;
        };
        QCOMPARE(shown(list, u"*.tst"_s),
                 QStringList({"a.tst", "ALGEBRA.TST", "b.tst", "linked.tst"}));
        QCOMPARE(shown(logs, u"*.log"_s), QStringList({".log", "c.log"}));

        QSignalSpy choices(&list, &FileListBox::fileChosen);
        list.show();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(2)).center());
        QVERIFY(choices.count() == 1 && list.fileName() == "b.tst");
        env.writeFile(u"tests/0.tst"_s, "x");
        list.refresh();
        QCOMPARE(list.count(), 5);
        // kept across the refresh, which is no choice
        QVERIFY(choices.count() == 1 && list.fileName() == "b.tst");
    }

    void lookupsIgnoreLetterCaseButPreferAnExactMatch() {
        testing::Env env;
        env.writeFile(u"tests/DEFAULT.BMP"_s, "x");
        QCOMPARE(platform::resolveCaseInsensitive(u"./tests/default.bmp"_s),
                 u"./tests/DEFAULT.BMP"_s);
        env.writeFile(u"tests/default.bmp"_s, "y");
        QCOMPARE(platform::resolveCaseInsensitive(u"./tests/default.bmp"_s),
                 u"./tests/default.bmp"_s);
        QCOMPARE(platform::resolveCaseInsensitive(u"./tests/none.bmp"_s), QString());
        QCOMPARE(::mkfifo("tests/PIPE.BMP", 0666), 0); // never a FIFO, which would block a reader
        QCOMPARE(platform::resolveCaseInsensitive(u"./tests/pipe.bmp"_s), QString());
    }

    void soundIsSilentForMissingFilesAndNeverInterrupts() {
        testing::Env env;
        env.writeFile(u"tests/Correct.wav"_s, "RIFF");
        env.writeFile(u"tests/NEWQUESTION.WAV"_s, "RIFF");
        env.sound->holds = true;
        QVERIFY(!platform::playSound(u"./tests/missing.wav"_s));
        QVERIFY(platform::playSound(u"./tests/Correct.wav"_s));
        QVERIFY(!platform::playSound(u"./tests/NewQuestion.wav"_s)); // dropped
        env.sound->finish();
        QVERIFY(platform::playSound(u"./tests/NewQuestion.wav"_s));
        QCOMPARE(env.sound->started, QStringList({"Correct.wav", "NEWQUESTION.WAV"}));
    }

    void defaultGeneratorIsUniformAndStartsTheSameEveryRun() {
        platform::DefaultRandom a, b;
        int buckets[10] = {};
        for (int i = 0; i < 100000; ++i) {
            const double r = a.next();
            QCOMPARE(r, b.next());
            QVERIFY(r >= 0.0 && r < 1.0);
            ++buckets[static_cast<int>(r * 10)];
        }
        for (int n : buckets)
            QVERIFY2(n > 9500 && n < 10500, qPrintable(QString::number(n)));
    }

    void realClockGivesLocalTimeOfDayAfterAZoneChange() {
        // A zone half an hour off any whole-hour zone: UTC or a stale zone
        // gives another text.
        const QByteArray oldZone = qgetenv("TZ");
        qputenv("TZ", "<+0530>-05:30");
        platform::setClockBackend(nullptr);
        for (int attempt = 0; attempt < 3; ++attempt) {
            const QString expected = QTime::currentTime().toString(u"hh:mm:ss"_s);
            if (platform::timeOfDayText() == expected)
                break;
            QVERIFY2(attempt < 2, qPrintable(expected)); // a second may tick in between
        }
        oldZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldZone);
    }

    void multiLineBoxUsesCrLfAndCountsItInTheLimit() {
        MultiLineTextBox box;
        box.setText(u"one\r\ntwo"_s);
        QCOMPARE(box.toPlainText(), u"one\ntwo"_s);
        QCOMPARE(box.text(), u"one\r\ntwo"_s);
        box.setMaxLength(10);
        box.setText(QString());
        box.show();
        QTest::keyClicks(&box, u"abcd"_s);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, u"efghijkl"_s);
        QCOMPARE(box.text(), u"abcd\r\nefgh"_s);
    }

    void imageBoxKeepsItsPictureWhenAFileIsNoPicture() {
        testing::Env env;
        ImageBox image;
        image.setPicture(QPixmap::fromImage(platform::pictures::penOnPage()));
        env.writeFile(u"tests/bad.bmp"_s, "not a picture");
        QVERIFY(!image.loadPicture(u"./tests/bad.bmp"_s));
        QVERIFY(!image.loadPicture(u"./tests/missing.bmp"_s));
        QCOMPARE(image.picture().size(), QSize(180, 203));
        QVERIFY(platform::pictures::aboutPicture().save(u"tests/about.bmp"_s, "BMP"));
        QVERIFY(image.loadPicture(u"./tests/ABOUT.BMP"_s));
        QCOMPARE(image.picture().size(), QSize(250, 188));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
