// Benchmarks of the program's speed and memory, each reported as a ratio
// against a baseline measured in the same run (the machines are noisy).
//
//   quizdex_bench                 runs every benchmark, prints a Markdown table
//   quizdex_bench child MODE ...  one measured process (used by the above)
#include "Fixtures.h"
#include "Forms.h"
#include "frmMain.h"
#include "Module1.h"
#include "TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Runs this program as `child MODE args` in `dir`; returns the child's reported
// time in ms (it prints the monotonic clock when ready) and its peak memory.
struct ChildResult {
    double ms = 0;
    double peakMb = 0;
};
ChildResult runChild(const char* self, const QString& dir, const QStringList& args) {
    const std::int64_t start = monotonicNs();
    int pipefd[2];
    if (::pipe(pipefd) != 0)
        std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipefd[1], STDOUT_FILENO);
        ::close(pipefd[0]);
        if (::chdir(QFile::encodeName(dir).constData()) != 0)
            ::_exit(1);
        std::vector<QByteArray> store;
        store.push_back(self);
        store.push_back("child");
        for (const QString& a : args)
            store.push_back(a.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& s : store)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        ::execv(self, argv.data());
        ::_exit(127);
    }
    ::close(pipefd[1]);
    char buf[64] = {};
    const ssize_t n = ::read(pipefd[0], buf, sizeof buf - 1);
    ::close(pipefd[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ChildResult r;
    if (n > 0)
        r.ms = static_cast<double>(std::atoll(buf) - start) / 1e6;
    r.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return r;
}

// In a child: report "ready" (the monotonic clock) once the event loop is idle.
void reportWhenIdle() {
    QTimer::singleShot(0, [] {
        std::printf("%lld\n", static_cast<long long>(monotonicNs()));
        std::fflush(stdout);
        ::_exit(0);
    });
}

int childMain(int argc, char* argv[]) {
    const QString mode = QString::fromLocal8Bit(argv[2]);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (mode == QLatin1String("bare")) {
        QWidget w;
        w.setFixedSize(443, 270);
        w.show();
        reportWhenIdle();
        return QApplication::exec();
    }
    if (mode == QLatin1String("startup")) {
        Forms::get<frmMain>().Show();
        reportWhenIdle();
        return QApplication::exec();
    }
    std::fprintf(stderr, "unknown child mode\n");
    return 2;
}

struct Row {
    QString what, measured, baseline, ratio, target;
};

void printTable(const std::vector<Row>& rows) {
    std::printf("| what | measured | baseline | ratio | target |\n|---|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %s | %s | %s | %s | %s |\n", qPrintable(r.what), qPrintable(r.measured),
                    qPrintable(r.baseline), qPrintable(r.ratio), qPrintable(r.target));
}

QString ms(double v) {
    return QStringLiteral("%1 ms").arg(v, 0, 'f', v < 10 ? 2 : 0);
}
QString ratio(double a, double b) {
    return QStringLiteral("%1x").arg(b > 0 ? a / b : 0.0, 0, 'f', 2);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], "child") == 0)
        return childMain(argc, argv);

    const QByteArray self =
        QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    argv[0] = const_cast<char*>(self.constData());
    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("tests"));
    std::vector<Row> rows;

    // Start-up: process start until the main window is shown and idle.
    {
        std::vector<double> app, bare;
        for (int i = 0; i < 15; ++i) {
            app.push_back(runChild(argv[0], work.path(), {QStringLiteral("startup")}).ms);
            bare.push_back(runChild(argv[0], work.path(), {QStringLiteral("bare")}).ms);
        }
        rows.push_back({QStringLiteral("start-up"), ms(median(app)), ms(median(bare)),
                        ratio(median(app), median(bare)), QStringLiteral("at most 1.3x")});
    }
    printTable(rows);
    return 0;
}
