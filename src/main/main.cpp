#include "Accessibility.h"
#include "Controls.h"
#include "IoResult.h"
#include "MainWindow.h"
#include "Pictures.h"
#include "Services.h"
#include "StartUp.h"
#include "WindowRegistry.h"

#include <csignal>
#include <QApplication>

int main(int argc, char* argv[]) {
    // A write past a file-size limit must fail with an error the program can
    // report, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);

    // The command line and the working folder come before the toolkit, so that
    // --help and errors need no display and a bad folder opens no window.
    startup::identifyApplication();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const int rc = startup::prepare(arguments); rc >= 0)
        return rc;

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(platform::ui::defaultFont());
    platform::installAccessibility();
    startup::installTranslations();
    // A journal passed over by a read or a save is told of where the user is.
    storage::setNoticeHandler([](const QString& text) { platform::msgBox(text); });

    // The installed icon when the desktop has it; the built-in drawing otherwise.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("org.quizdex.Quizdex"),
                         QIcon(QPixmap::fromImage(platform::pictures::penOnPage(64, 64)))));

    WindowRegistry::get<MainWindow>().present();
    const int rc = QApplication::exec();
    WindowRegistry::destroyAll();
    storage::setNoticeHandler({});
    platform::resetBackends();
    return rc;
}
