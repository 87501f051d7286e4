// The thin layer over the toolkit: file lists, lookups, sound rules, printing,
// message boxes, clock texts and the random generator.
#include "FileListBox.h"
#include "Files.h"
#include "ImageBox.h"
#include "MultiLineTextBox.h"
#include "Pictures.h"
#include "Services.h"
#include "TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTime>
#include <sys/stat.h>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void fileListsShowMatchingRegularFilesSortedIgnoringCaseAndKeepTheSelection() {
        testing::Env env;
        for (const char* name : {"b.tst", "a.tst", "c.log", "ALGEBRA.TST", ".log", "notes.txt"})
            env.writeFile(QStringLiteral("tests/%1").arg(QLatin1String(name)), "x");
        QDir().mkdir(QStringLiteral("tests/folder.tst"));
        // only regular files and links to them: nothing that could block a reader
        QCOMPARE(::mkfifo("tests/pipe.tst", 0666), 0);
        QVERIFY(QFile::link(QStringLiteral("folder.tst"), QStringLiteral("tests/dir.tst")));
        QVERIFY(QFile::link(QStringLiteral("b.tst"), QStringLiteral("tests/linked.tst")));
        QVERIFY(QFile::link(QStringLiteral("none"), QStringLiteral("tests/broken.tst")));

        FileListBox list, logs;
        list.setPattern(QStringLiteral("*.tst"));
        logs.setPattern(QStringLiteral("*.log"));
        QVERIFY(list.setPath(QStringLiteral("./tests")) && logs.setPath(QStringLiteral("./tests")));
        const auto shown = [](const FileListBox& l) {
            QStringList names;
            for (int i = 0; i < l.count(); ++i)
                names << l.item(i)->text();
            return names;
        };
        QCOMPARE(shown(list), QStringList({"a.tst", "ALGEBRA.TST", "b.tst", "linked.tst"}));
        QCOMPARE(shown(logs), QStringList({".log", "c.log"}));
        QCOMPARE(list.fileName(), QString());

        QSignalSpy choices(&list, &FileListBox::fileChosen);
        list.show();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(2)).center());
        QVERIFY(choices.count() == 1 && list.fileName() == "b.tst");
        env.writeFile(QStringLiteral("tests/0.tst"), "x");
        list.refresh();
        QCOMPARE(list.count(), 5);
        // kept across the refresh, which is no choice
        QVERIFY(choices.count() == 1 && list.fileName() == "b.tst");
    }

    void lookupsIgnoreLetterCaseButPreferAnExactMatch() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/DEFAULT.BMP"), "x");
        QCOMPARE(platform::resolveCaseInsensitive(QStringLiteral("./tests/default.bmp")),
                 QStringLiteral("./tests/DEFAULT.BMP"));
        env.writeFile(QStringLiteral("tests/default.bmp"), "y");
        QCOMPARE(platform::resolveCaseInsensitive(QStringLiteral("./tests/default.bmp")),
                 QStringLiteral("./tests/default.bmp"));
        QCOMPARE(platform::resolveCaseInsensitive(QStringLiteral("./tests/none.bmp")), QString());
        QCOMPARE(::mkfifo("tests/PIPE.BMP", 0666), 0); // never a FIFO, which would block a reader
        QCOMPARE(platform::resolveCaseInsensitive(QStringLiteral("./tests/pipe.bmp")), QString());
    }

    void soundIsSilentForMissingFilesAndNeverInterrupts() {
        testing::Env env;
        env.writeFile(QStringLiteral("tests/Correct.wav"), "RIFF");
        env.writeFile(QStringLiteral("tests/NEWQUESTION.WAV"), "RIFF");
        env.sound->holds = true;
        QVERIFY(!platform::playSound(QStringLiteral("./tests/missing.wav")));
        QVERIFY(platform::playSound(QStringLiteral("./tests/Correct.wav")));
        QVERIFY(!platform::playSound(QStringLiteral("./tests/NewQuestion.wav"))); // dropped
        env.sound->finish();
        QVERIFY(platform::playSound(QStringLiteral("./tests/NewQuestion.wav")));
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
            const QString expected = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
            if (platform::timeOfDayText() == expected)
                break;
            QVERIFY2(attempt < 2, qPrintable(expected)); // a second may tick in between
        }
        oldZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", oldZone);
    }

    void multiLineBoxUsesCrLfAndCountsItInTheLimit() {
        MultiLineTextBox box;
        box.setText(QStringLiteral("one\r\ntwo"));
        QCOMPARE(box.toPlainText(), QStringLiteral("one\ntwo"));
        QCOMPARE(box.text(), QStringLiteral("one\r\ntwo"));
        box.setMaxLength(10);
        box.setText(QString());
        box.show();
        QTest::keyClicks(&box, QStringLiteral("abcd"));
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClicks(&box, QStringLiteral("efghijkl"));
        QCOMPARE(box.text(), QStringLiteral("abcd\r\nefgh"));
    }

    void imageBoxKeepsItsPictureWhenAFileIsNoPicture() {
        testing::Env env;
        ImageBox image;
        image.setPicture(QPixmap::fromImage(pictures::penOnPage()));
        env.writeFile(QStringLiteral("tests/bad.bmp"), "not a picture");
        QVERIFY(!image.loadPicture(QStringLiteral("./tests/bad.bmp")));
        QVERIFY(!image.loadPicture(QStringLiteral("./tests/missing.bmp")));
        QCOMPARE(image.picture().size(), QSize(180, 203));
        QVERIFY(pictures::aboutPicture().save(QStringLiteral("tests/about.bmp"), "BMP"));
        QVERIFY(image.loadPicture(QStringLiteral("./tests/ABOUT.BMP")));
        QCOMPARE(image.picture().size(), QSize(250, 188));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
