#include "IoResult.h"

#include "FileIo.h"
#include "FileNames.h"

namespace storage {

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

namespace {
std::function<void(const QString&)>& noticeHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}
} // namespace

void setNoticeHandler(std::function<void(const QString&)> handler) {
    noticeHandler() = std::move(handler);
}

void notify(const QString& text) {
    if (const auto& handler = noticeHandler())
        handler(text);
    else
        qWarning("%s", qPrintable(text));
}

} // namespace storage
