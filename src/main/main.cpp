#include "Controls.h"
#include "Forms.h"
#include "frmMain.h"
#include "Pictures.h"
#include "Services.h"

#include <csignal>
#include <QApplication>

int main(int argc, char* argv[]) {
    // A write past a file-size limit must fail with an error the program can
    // report, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quizdex"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(ui::defaultFont());
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(pictures::penOnPage(64, 64))));

    Forms::get<frmMain>().Show();
    const int rc = QApplication::exec();
    Forms::destroyAll();
    platform::resetBackends();
    return rc;
}
