#pragma once

#include "IoResult.h"

#include <QString>
#include <QTextStream>

namespace tool {

// Where a command writes: its results to `out`, errors and notes to `err`.
class Console {
public:
    Console(QTextStream& out, QTextStream& err, QString command)
        : out(out), err(err), m_command(std::move(command)) {}

    // Tells the wrong usage and where to read the right one; kUsage.
    int usage(const QString& message);
    // Tells the failure; kFailed.
    int failed(const QString& message);
    int failed(const storage::IoStatus& st);

    QTextStream& out;
    QTextStream& err;

private:
    QString m_command;
};

// "1 question", "2 questions"; `things` where the plural is not an "s" more.
QString counted(qint64 n, const char* thing, const char* things = nullptr);

} // namespace tool
