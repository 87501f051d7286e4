#include "Console.h"

#include "Command.h"

namespace tool {

QString counted(qint64 n, const char* thing, const char* things) {
    if (n != 1 && things)
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(things));
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(thing)).arg(n == 1 ? "" : "s");
}

int Console::usage(const QString& message) {
    err << "quizdex-tool " << m_command << ": " << message << "\nTry \"quizdex-tool " << m_command
        << " --help\".\n";
    return kUsage;
}

int Console::failed(const QString& message) {
    err << message << '\n';
    return kFailed;
}

int Console::failed(const storage::IoStatus& st) {
    return failed(st.path + QStringLiteral(": ") + st.reason);
}

} // namespace tool
