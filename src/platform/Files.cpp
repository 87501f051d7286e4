#include "Files.h"

#include "FileNames.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The names of the regular files (and links to them) in `folder`; none when it
// cannot be read.
QStringList regularFilesIn(const QString& folder) {
    QStringList names;
    const QByteArray native = storage::filename::toNative(folder);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native.constData()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            regular =
                ::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular)
            names.append(storage::filename::fromNative(QByteArray(entry->d_name)));
    }
    return names;
}

// The folder part of `path` and its last name.
std::pair<QString, QString> splitPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QStringLiteral("."), path};
    return {slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

bool isRegularFile(const QString& path) {
    struct stat st {};
    return ::stat(storage::filename::toNative(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

QString resolveCaseInsensitive(const QString& path) {
    if (isRegularFile(path))
        return path;
    const auto [folder, wanted] = splitPath(path);
    if (wanted.isEmpty())
        return {};
    const QStringList entries = regularFilesIn(folder);
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return path.left(path.size() - wanted.size()) + entry;
    }
    return {};
}

QStringList listFiles(const QString& folder, const QString& pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList names;
    const QStringList entries = regularFilesIn(folder);
    for (const QString& entry : entries) {
        // matched as shown: the regular expression takes only valid text
        if (re.match(storage::filename::shown(entry)).hasMatch())
            names.append(entry);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool openRegularFile(const QString& path, QFile& file) {
    const int fd = ::open(storage::filename::toNative(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace platform
