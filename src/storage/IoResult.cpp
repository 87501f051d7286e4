#include "IoResult.h"

#include "FileNames.h"

QString IoStatus::message(const QString& action) const {
    if (ok)
        return {};
    if (worded)
        return reason;
    return action + QStringLiteral(" \"") + filename::shown(path) + QStringLiteral("\":\r\n") +
           reason;
}
