// Before the first window: the command line, the folder given on it, and the
// per-user data folder that the first start fills with the sample files.
#include "Records.h"
#include "StartUp.h"
#include "Version.h"

#include <QProcess>
#include <QtCore>
#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

using startup::Request;
using testing::fileBytes;
using testing::namesIn;
using testing::writeBytes;
using Action = Request::Action;

namespace {

struct Run {
    int code;
    QString out, err;
};

// The real program, as a shell would start it.
Run runProgram(const QStringList& arguments, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QUIZDEX_PROGRAM), arguments);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {-1, {}, u"did not end"_s};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("folderOrError");
        const int run = int(Action::Run), usage = int(Action::UsageError);
        QTest::newRow("nothing: the data folder") << QStringList() << run << "";
        QTest::newRow("a folder") << QStringList{"class 7b"} << run << "class 7b";
        QTest::newRow("a folder named like an option") << QStringList{"--", "-x"} << run << "-x";
        QTest::newRow("toolkit options keep their values")
            << QStringList{"-style", "fusion", "-session", "s1", "--reverse", "dir"} << run
            << "dir";
        QTest::newRow("help wins over a folder")
            << QStringList{"dir", "-h"} << int(Action::Help) << "";
        QTest::newRow("-v") << QStringList{"-v"} << int(Action::Version) << "";
        QTest::newRow("unknown option")
            << QStringList{"-x", "dir"} << usage << "Unknown option 'x'.";
        QTest::newRow("two folders") << QStringList{"a", "b"} << usage
                                     << "Only one folder can be given; got \"a\" and \"b\".";
        QTest::newRow("empty folder") << QStringList{""} << usage << "The folder name is empty.";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, folderOrError);
        const Request r = startup::parseArguments(QStringList{"quizdex"} + arguments);
        QCOMPARE(int(r.action), action);
        QCOMPARE(r.action == Action::UsageError ? r.error : r.folder, folderOrError);
    }

    void folderArgumentIsCreatedAndEnteredOrRefused() {
        const testing::InFolder keep;
        QTemporaryDir root;
        const QString nested = root.filePath(u"school/class 7b"_s);
        QCOMPARE(startup::enterFolder(nested), QString());
        // the main window makes tests/, as before
        QVERIFY(QDir::currentPath() == nested && namesIn(nested).isEmpty());

        const QString file = root.filePath(u"notes.txt"_s);
        writeBytes(file, "x");
        QCOMPARE(startup::enterFolder(file), u"\"%1\" is a file, not a folder."_s.arg(file));
        const QString below = file + u"/sub"_s;
        QCOMPARE(startup::enterFolder(below),
                 u"Cannot create the folder \"%1\": Not a directory."_s.arg(below));
        QVERIFY(QDir::currentPath() == nested);
        QCOMPARE(namesIn(root.path()), QStringList({"notes.txt", "school"}));

        if (::geteuid() == 0)
            return; // permissions do not bind root
        const QString locked = root.filePath(u"locked"_s);
        QVERIFY(QDir().mkdir(locked));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(startup::enterFolder(locked).startsWith(u"Cannot write in"_s) &&
                QDir::currentPath() == nested);
        QVERIFY(!startup::enterFolder(locked + u"/sub"_s).isEmpty());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void firstStartCopiesTheSampleAndLaterStartsLeaveTheUsersFiles() {
        QTemporaryDir root;
        const QString sample = root.filePath(u"share"_s);
        QVERIFY(QDir().mkpath(sample));
        writeBytes(sample + u"/Sample.tst"_s, QByteArray(2514 * 3, 'T'));
        writeBytes(sample + u"/default.bmp"_s, "BM picture");
        writeBytes(sample + u"/wrong.wav"_s, "RIFF sound");
        const QString data = root.filePath(u"home/.local/share/quizdex"_s);
        const QString tests = data + u"/tests"_s;

        QCOMPARE(startup::prepareDataFolder(data, sample), QString());
        QCOMPARE(namesIn(data), QStringList({"tests"})); // nothing of the copy's staging left
        QCOMPARE(namesIn(tests), namesIn(sample));
        for (const QString& f : namesIn(sample))
            QCOMPARE(fileBytes(tests + '/' + f), fileBytes(sample + '/' + f));
        QVERIFY(QFileInfo(tests).permissions() & QFile::WriteOwner);

        // The user edits the sample, deletes a sound and writes a test of their own.
        writeBytes(tests + u"/Sample.tst"_s, "edited");
        QVERIFY(QFile::remove(tests + u"/wrong.wav"_s));
        writeBytes(tests + u"/Mine.tst"_s, "mine");
        QCOMPARE(startup::prepareDataFolder(data, sample), QString());
        QCOMPARE(namesIn(tests), QStringList({"default.bmp", "Mine.tst", "Sample.tst"}));
        QVERIFY(fileBytes(tests + u"/Sample.tst"_s) == "edited");

        // Without the sample files the folder is made and the window makes tests/.
        const QString bare = root.filePath(u"bare/quizdex"_s);
        QCOMPARE(startup::prepareDataFolder(bare, root.filePath(u"none"_s)), QString());
        QVERIFY(QFileInfo(bare).isDir() && namesIn(bare).isEmpty());

        writeBytes(root.filePath(u"file"_s), "x");
        QVERIFY(startup::prepareDataFolder(root.filePath(u"file/quizdex"_s), sample)
                    .startsWith(u"Cannot create the data folder"_s));
    }

    void realProgramExitCodesAndMessages() {
        QTemporaryDir root;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_DATA_HOME"_s, root.filePath(u"data"_s));
        // --help and --version never reach the window system: none is here.
        QProcessEnvironment noDisplay = env;
        noDisplay.remove(u"DISPLAY"_s);
        noDisplay.remove(u"WAYLAND_DISPLAY"_s);
        noDisplay.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);

        Run r = runProgram({u"--version"_s}, noDisplay);
        QVERIFY(r.code == 0 && r.out == u"quizdex %1\n"_s.arg(QStringLiteral(QUIZDEX_VERSION)));
        r = runProgram({u"--help"_s}, noDisplay);
        QVERIFY(r.code == 0 && r.err.isEmpty() && r.out == startup::usageText());

        r = runProgram({u"--bogus"_s}, noDisplay);
        QVERIFY(r.code == 2 && r.out.isEmpty());
        QCOMPARE(r.err, u"quizdex: Unknown option 'bogus'.\n"_s + startup::usageText());

        const QString file = root.filePath(u"a file"_s);
        writeBytes(file, "x");
        r = runProgram({file}, noDisplay);
        QVERIFY(r.code == 1);
        QCOMPARE(r.err, u"quizdex: \"%1\" is a file, not a folder.\n"_s.arg(file));
        QCOMPARE(namesIn(root.path()), QStringList({"a file"})); // no data folder either

        // A folder that works: the program starts its window there.
        const QString folder = root.filePath(u"class"_s);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUIZDEX_PROGRAM), {folder});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder + u"/tests"_s).isDir(), 30000);
        p.kill();
        p.waitForFinished();
        QCOMPARE(namesIn(root.path()), QStringList({"a file", "class"}));
    }
};

QTEST_GUILESS_MAIN(TestStartUp)
#include "tst_startup.moc"
