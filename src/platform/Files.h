#pragma once

#include <QString>
#include <QStringList>

class QFile;

namespace platform {

// The path of an existing regular file: `path` itself when it is one, else a
// file of the same folder whose name differs only in letter case (files copied
// from other machines come as "DEFAULT.BMP"). Empty when there is none.
QString resolveCaseInsensitive(const QString& path);

// The regular files (and links to them) of `folder` whose names match the
// wildcard `pattern` ("*.tst"), ignoring letter case, sorted by name as a file
// list shows them. Names that begin with "." are ordinary files here. A name
// that is not valid UTF-8 comes in the form that opens the same file again
// (see storage::filename::toNative); storage::filename::shown gives it for the screen. A folder
// that cannot be read lists nothing.
QStringList listFiles(const QString& folder, const QString& pattern);

// Opens `path` for reading into `file`, without waiting on a FIFO; false for
// anything but a regular file.
bool openRegularFile(const QString& path, QFile& file);

} // namespace platform
