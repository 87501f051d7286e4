#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The path of an existing file: `path` itself when it exists, else a file of
// the same folder whose name differs only in letter case (files copied from
// other machines come as "DEFAULT.BMP"). Empty when there is none.
QString resolveCaseInsensitive(const QString& path);

// The files of `folder` whose names match the wildcard `pattern` ("*.tst"),
// ignoring letter case, sorted by name as a file list shows them. Names that
// begin with "." are ordinary files here.
QStringList listFiles(const QString& folder, const QString& pattern, bool* ok = nullptr);

} // namespace platform
