#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// What happens before the first window: the command line, and the choice and
// preparation of the working folder. Nothing here needs a window or a display,
// so --help and --version work on a machine without one.
namespace startup {

// The application's names: "quizdex" also names the per-user data folder
// (~/.local/share/quizdex) and the window class the desktop entry matches.
void identifyApplication();

struct Request {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    QString folder; // Run: the folder given, empty for the per-user data folder
    QString error;  // UsageError: one line, without the program's name
};
// `arguments` starts with the program, as argv does. The toolkit's own options
// (-style, -session, ...) are accepted and left to it.
Request parseArguments(const QStringList& arguments);
// The --help text, starting "Usage: quizdex".
QString usageText();

// Makes `folder` the working folder: creates it (and its parents) when
// missing, enters it, and checks that its tests folder exists or can be made.
// Returns an error message, empty on success; on failure the working folder
// is unchanged and nothing was created beyond what mkdir could.
QString enterFolder(const QString& folder);

// Creates the data folder when missing. The first time, when it has no tests
// folder yet, the files of `sampleDir` (if any) are copied into a new one; a
// tests folder that exists is never touched. The copy is made aside and moved
// into place whole, so a start killed half-way leaves no half-filled folder.
// Returns an error message when the data folder cannot be created.
QString prepareDataFolder(const QString& dataDir, const QString& sampleDir);

// The sample files that an installed copy ships, found from the program's own
// location so that any install prefix works.
QString installedSampleDir(const QString& argv0);

// The whole start before the toolkit comes up: prints help, version or errors
// and returns the exit code, or -1 when the program should go on to its
// windows (the working folder is then in place).
int prepare(const QStringList& arguments);

// The program's catalogues, compiled into it: quizdex_<language>.qm.
inline constexpr char kCataloguePrefix[] = ":/i18n";

// The catalogue to load for a user whose languages are `uiLanguages`, most
// wanted first as QLocale::uiLanguages() gives them ("de-DE", "fr"), among the
// `available` catalogues' languages ("de"). Empty when English comes first or
// no language has a catalogue: English is the program's own language.
QString chooseLanguage(const QStringList& uiLanguages, const QStringList& available);
// The languages of the catalogues compiled into the program.
QStringList availableLanguages();
// Loads the program's catalogue for the desktop's languages (by default the
// environment's LANGUAGE, LC_ALL, LC_MESSAGES, LANG), with Qt's own for its
// standard dialogs beside it. Needs the application object. Returns the
// language loaded, empty for English. Dates and numbers are not touched: what
// the program writes to its files never depends on the language.
QString installTranslations(const QStringList& uiLanguages = QLocale::system().uiLanguages());

} // namespace startup
