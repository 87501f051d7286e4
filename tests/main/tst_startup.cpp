// Before the first window: the command line, the folder given on it, and the
// per-user data folder that the first start fills with the sample files.
#include "StartUp.h"

#include <QProcess>
#include <QtCore>
#include <QTest>
#include <unistd.h>

using startup::Request;
using Action = Request::Action;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Puts the working folder back, whatever a check changed it to.
struct KeepWorkingFolder {
    QString path = QDir::currentPath();
    ~KeepWorkingFolder() { QDir::setCurrent(path); }
};

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
        return {-1, {}, QStringLiteral("did not end")};
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
        QTest::newRow("--version") << QStringList{"--version"} << int(Action::Version) << "";
        QTest::newRow("-v") << QStringList{"-v"} << int(Action::Version) << "";
        QTest::newRow("unknown option")
            << QStringList{"--bogus", "dir"} << usage << "Unknown option 'bogus'.";
        QTest::newRow("unknown single-dash option")
            << QStringList{"-x"} << usage << "Unknown option 'x'.";
        QTest::newRow("two folders") << QStringList{"a", "b"} << usage
                                     << "Only one folder can be given; got \"a\" and \"b\".";
        QTest::newRow("empty folder name")
            << QStringList{""} << usage << "The folder name is empty.";
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
        KeepWorkingFolder keep;
        QTemporaryDir root;
        const QString nested = root.filePath(QStringLiteral("school/class 7b"));
        QCOMPARE(startup::enterFolder(nested), QString());
        QCOMPARE(QDir::currentPath(), nested);
        QVERIFY(entries(nested).isEmpty()); // the main window makes tests/, as before

        const QString file = root.filePath(QStringLiteral("notes.txt"));
        write(file, "x");
        QCOMPARE(startup::enterFolder(file),
                 QStringLiteral("\"%1\" is a file, not a folder.").arg(file));
        const QString below = file + QStringLiteral("/sub");
        QCOMPARE(startup::enterFolder(below),
                 QStringLiteral("Cannot create the folder \"%1\": Not a directory.").arg(below));
        QCOMPARE(QDir::currentPath(), nested);
        QCOMPARE(entries(root.path()), QStringList({"notes.txt", "school"}));

        if (::geteuid() == 0)
            return; // permissions do not bind root
        const QString locked = root.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(locked));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(startup::enterFolder(locked).startsWith(QStringLiteral("Cannot write in")));
        QCOMPARE(QDir::currentPath(), nested);
        QVERIFY(!startup::enterFolder(locked + QStringLiteral("/sub")).isEmpty());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void firstStartCopiesTheSampleAndLaterStartsLeaveTheUsersFiles() {
        QTemporaryDir root;
        const QString sample = root.filePath(QStringLiteral("share"));
        QVERIFY(QDir().mkpath(sample));
        write(sample + QStringLiteral("/Sample.tst"), QByteArray(2514 * 3, 'T'));
        write(sample + QStringLiteral("/default.bmp"), "BM picture");
        write(sample + QStringLiteral("/wrong.wav"), "RIFF sound");
        const QString data = root.filePath(QStringLiteral("home/.local/share/quizdex"));
        const QString tests = data + QStringLiteral("/tests");

        QCOMPARE(startup::prepareDataFolder(data, sample), QString());
        QCOMPARE(entries(data), QStringList({"tests"})); // nothing of the copy's staging left
        QCOMPARE(entries(tests), entries(sample));
        for (const QString& f : entries(sample))
            QCOMPARE(read(tests + '/' + f), read(sample + '/' + f));
        QVERIFY(QFileInfo(tests).permissions() & QFile::WriteOwner);

        // The user edits the sample, deletes a sound and writes a test of their own.
        write(tests + QStringLiteral("/Sample.tst"), "edited");
        QVERIFY(QFile::remove(tests + QStringLiteral("/wrong.wav")));
        write(tests + QStringLiteral("/Mine.tst"), "mine");
        QCOMPARE(startup::prepareDataFolder(data, sample), QString());
        QCOMPARE(entries(tests), QStringList({"default.bmp", "Mine.tst", "Sample.tst"}));
        QCOMPARE(read(tests + QStringLiteral("/Sample.tst")), QByteArray("edited"));

        // Without the sample files the folder is made and the window makes tests/.
        const QString bare = root.filePath(QStringLiteral("bare/quizdex"));
        QCOMPARE(startup::prepareDataFolder(bare, root.filePath(QStringLiteral("none"))),
                 QString());
        QVERIFY(QFileInfo(bare).isDir() && entries(bare).isEmpty());

        write(root.filePath(QStringLiteral("file")), "x");
        QVERIFY(startup::prepareDataFolder(root.filePath(QStringLiteral("file/quizdex")), sample)
                    .startsWith(QStringLiteral("Cannot create the data folder")));
    }

    void realProgramExitCodesAndMessages() {
        QTemporaryDir root;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
        // --help and --version never reach the window system: none is here.
        QProcessEnvironment noDisplay = env;
        noDisplay.remove(QStringLiteral("DISPLAY"));
        noDisplay.remove(QStringLiteral("WAYLAND_DISPLAY"));
        noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

        Run r = runProgram({QStringLiteral("--version")}, noDisplay);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("quizdex %1\n").arg(QStringLiteral(QUIZDEX_VERSION)));
        r = runProgram({QStringLiteral("--help")}, noDisplay);
        QVERIFY(r.code == 0 && r.err.isEmpty());
        QCOMPARE(r.out, startup::usageText());
        QVERIFY(r.out.startsWith(QStringLiteral("Usage: quizdex [options] [FOLDER]\n")));

        r = runProgram({QStringLiteral("--bogus")}, noDisplay);
        QVERIFY(r.code == 2 && r.out.isEmpty());
        QCOMPARE(r.err,
                 QStringLiteral("quizdex: Unknown option 'bogus'.\n") + startup::usageText());
        r = runProgram({QStringLiteral("a"), QStringLiteral("b")}, noDisplay);
        QVERIFY(r.code == 2 && r.err.startsWith(QStringLiteral("quizdex: Only one folder")));

        const QString file = root.filePath(QStringLiteral("a file"));
        write(file, "x");
        r = runProgram({file}, noDisplay);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("quizdex: \"%1\" is a file, not a folder.\n").arg(file));
        QCOMPARE(entries(root.path()), QStringList({"a file"})); // no data folder either

        // A folder that works: the program starts its window there.
        const QString folder = root.filePath(QStringLiteral("class"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUIZDEX_PROGRAM), {folder});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(folder + QStringLiteral("/tests")).isDir(), 30000);
        p.kill();
        p.waitForFinished();
        QCOMPARE(entries(root.path()), QStringList({"a file", "class"}));
    }
};

QTEST_GUILESS_MAIN(TestStartUp)
#include "tst_startup.moc"
