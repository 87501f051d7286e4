#pragma once

#include "Commands.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTextStream>

// quizdex-tool run in-process, as from a terminal, and the files it reads and
// writes, for the tool's tests.
namespace toolrun {

struct Run {
    int status = 0;
    QString out, err;
};

inline Run runTool(const QStringList& args) {
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.status = tool::run(args, out, err);
    out.flush();
    err.flush();
    return r;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace toolrun
