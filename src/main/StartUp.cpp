#include "StartUp.h"

#include "Version.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTranslator>
#include <sys/stat.h>
#include <unistd.h>

namespace startup {

namespace {

const QString kProgram = QStringLiteral("quizdex");
// A catalogue is named "quizdex_" + its language + ".qm".
const QString kCatalogueStem = QStringLiteral("quizdex_");
const QString kCatalogueSuffix = QStringLiteral(".qm");

QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Quizdex: write tests and take them.\n"
        "With FOLDER, works in FOLDER/tests, creating FOLDER when it is missing.\n"
        "Without, works in the per-user data folder (~/.local/share/quizdex/tests),\n"
        "where the first start puts a sample test, a picture and the sounds."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QStringLiteral("Shows this help and exits.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Shows the version and exits.")});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder to work in."),
                                 QStringLiteral("[FOLDER]"));
    // The toolkit takes these itself when it starts; a session manager that
    // restores the program passes -session, for one.
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display",
                             "geometry", "qwindowgeometry", "qwindowicon", "qwindowtitle", "title",
                             "name", "session", "style", "stylesheet"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Copies the regular files of `from` into `to`; false at the first failure.
bool copyFiles(const QString& from, const QString& to) {
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files | QDir::Hidden)) {
        if (!QFile::copy(source.filePath(name), QDir(to).filePath(name)))
            return false;
    }
    return true;
}

// A staging folder is made private; the tests folder gets the permissions
// mkdir would have given it.
void setCreatedFolderMode(const QString& path) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(path).constData(), 0777 & ~mask);
}

} // namespace

void identifyApplication() {
    QCoreApplication::setApplicationName(kProgram);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIZDEX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quizdex.Quizdex"));
}

Request parseArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    Request request;
    if (!parser.parse(arguments)) {
        request.action = Request::Action::UsageError;
        request.error = parser.errorText();
        return request;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        request.action = Request::Action::Help;
        return request;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        request.action = Request::Action::Version;
        return request;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        request.action = Request::Action::UsageError;
        request.error = QStringLiteral("Only one folder can be given; got \"%1\" and \"%2\".")
                            .arg(folders.at(0), folders.at(1));
    } else if (folders.size() == 1 && folders.at(0).isEmpty()) {
        request.action = Request::Action::UsageError;
        request.error = QStringLiteral("The folder name is empty.");
    } else {
        request.folder = folders.value(0);
    }
    return request;
}

QString usageText() {
    QCommandLineParser parser;
    describe(parser);
    // The parser would name the program by its path, or not at all before
    // the application object exists.
    const QString text = parser.helpText();
    return QStringLiteral("Usage: ") + kProgram +
           text.mid(text.indexOf(QStringLiteral(" [options]")));
}

QString enterFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return QStringLiteral("\"%1\" is a file, not a folder.").arg(folder);
    const std::filesystem::path native(QFile::encodeName(folder).toStdString());
    if (!info.exists()) {
        std::error_code ec;
        std::filesystem::create_directories(native, ec);
        if (ec)
            return QStringLiteral("Cannot create the folder \"%1\": %2.")
                .arg(folder, systemError(ec.value()));
    }
    const QString before = QDir::currentPath();
    if (::chdir(native.c_str()) != 0)
        return QStringLiteral("Cannot open the folder \"%1\": %2.").arg(folder, systemError(errno));
    // The window would only say so later, and write nothing all session.
    if (!QFileInfo::exists(QStringLiteral("tests")) && ::access(".", W_OK) != 0) {
        const int err = errno;
        QDir::setCurrent(before);
        return QStringLiteral("Cannot write in the folder \"%1\": %2.")
            .arg(folder, systemError(err));
    }
    return {};
}

QString prepareDataFolder(const QString& dataDir, const QString& sampleDir) {
    if (dataDir.isEmpty())
        return QStringLiteral("The per-user data folder is unknown (is HOME set?).");
    const QString tests = QDir(dataDir).filePath(QStringLiteral("tests"));
    if (QFileInfo(tests).exists() || QFileInfo(tests).isSymLink())
        return {};
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(dataDir).toStdString(), ec);
    if (ec)
        return QStringLiteral("Cannot create the data folder \"%1\": %2.")
            .arg(dataDir, systemError(ec.value()));
    if (sampleDir.isEmpty() || !QFileInfo(sampleDir).isDir())
        return {}; // the main window makes an empty tests folder
    QTemporaryDir staging(QDir(dataDir).filePath(QStringLiteral(".tests-XXXXXX")));
    if (!staging.isValid() || !copyFiles(sampleDir, staging.path()))
        return {}; // the sample is a welcome, not a need: start without it
    setCreatedFolderMode(staging.path());
    // Another copy starting at the same moment may have won: its folder stays.
    if (QDir().rename(staging.path(), tests))
        staging.setAutoRemove(false);
    return {};
}

QString installedSampleDir(const QString& argv0) {
    // Linux names the running program exactly; elsewhere argv[0] serves.
    QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (program.isEmpty())
        program = argv0.contains(QLatin1Char('/')) ? argv0 : QStandardPaths::findExecutable(argv0);
    if (program.isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(program).absolutePath() + QLatin1Char('/') +
                           QStringLiteral(QUIZDEX_SAMPLE_FROM_PROGRAM));
}

int prepare(const QStringList& arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const Request request = parseArguments(arguments);
    switch (request.action) {
    case Request::Action::Help:
        out << usageText();
        return 0;
    case Request::Action::Version:
        out << kProgram << ' ' << QStringLiteral(QUIZDEX_VERSION) << '\n';
        return 0;
    case Request::Action::UsageError:
        err << kProgram << ": " << request.error << '\n' << usageText();
        return 2;
    case Request::Action::Run:
        break;
    }
    QString folder = request.folder;
    QString problem;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        problem = prepareDataFolder(folder, installedSampleDir(arguments.value(0)));
    }
    if (problem.isEmpty())
        problem = enterFolder(folder);
    if (!problem.isEmpty()) {
        err << kProgram << ": " << problem << '\n';
        return 1;
    }
    return -1;
}

QString chooseLanguage(const QStringList& uiLanguages, const QStringList& available) {
    for (const QString& wanted : uiLanguages) {
        const QString full = QString(wanted).replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString language = full.section(QLatin1Char('_'), 0, 0);
        // The program speaks English without a catalogue: a user who puts it
        // before the others gets it even when a later language has one.
        if (language == QLatin1String("en") || language == QLatin1String("C"))
            return {};
        if (available.contains(full))
            return full;
        if (available.contains(language))
            return language;
    }
    return {};
}

QStringList availableLanguages() {
    QStringList languages;
    const QStringList files = QDir(QString::fromLatin1(kCataloguePrefix))
                                  .entryList({kCatalogueStem + u'*' + kCatalogueSuffix});
    for (const QString& file : files)
        languages << file.mid(kCatalogueStem.size(),
                              file.size() - kCatalogueStem.size() - kCatalogueSuffix.size());
    return languages;
}

QString installTranslations(const QStringList& uiLanguages) {
    const QString language = chooseLanguage(uiLanguages, availableLanguages());
    if (language.isEmpty())
        return {};
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(kCatalogueStem + language, QString::fromLatin1(kCataloguePrefix)) ||
        !QCoreApplication::installTranslator(own)) {
        delete own;
        return {};
    }
    // Qt's own dialogs (the Yes and No of a question) in the same language;
    // without its catalogue they stay English and nothing else changes.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (!qt->load(QStringLiteral("qtbase_") + language,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(qt))
        delete qt;
    return language;
}

} // namespace startup
