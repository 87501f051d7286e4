#include "Tool.h"
#include "ToolFiles.h"

#include <QTextStream>

int main(int argc, char* argv[]) {
    const QStringList args = tool::toolfiles::arguments(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = tool::run(args, out, err);
    out.flush();
    err.flush();
    return status;
}
