#include "IoResult.h"

#include "FileIo.h"
#include "FileNames.h"

QString IoStatus::message(const QString& action) const {
    if (ok)
        return {};
    if (worded)
        return reason;
    return action + QStringLiteral(" \"") + storage::filename::shown(path) +
           QStringLiteral("\":\r\n") + reason;
}

IoStatus IoStatus::systemFailure(const QString& path, int err) {
    IoStatus status = failure(path, storage::fileio::errorText(err));
    status.error = err;
    return status;
}
