#include "Commands.h"
#include "FileNames.h"

#include <QTextStream>

int main(int argc, char* argv[]) {
    QStringList args;
    // As the program carries file names: a byte that is not UTF-8 still names
    // the same file.
    for (int i = 1; i < argc; ++i)
        args << filename::fromNative(QByteArray(argv[i]));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = tool::run(args, out, err);
    out.flush();
    err.flush();
    return status;
}
