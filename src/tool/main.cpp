#include "Commands.h"

#include <QTextStream>

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = tool::run(args, out, err);
    out.flush();
    err.flush();
    return status;
}
