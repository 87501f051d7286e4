#pragma once

#include <QByteArray>
#include <QString>

// File names as the system stores them (bytes) and as the program handles them
// (text). Names are UTF-8; a byte that is not part of valid UTF-8 (a name made
// under another code page) is carried in the text as one of the code points
// U+DC80..U+DCFF, so that the text still names the same file.
namespace storage::filename {

QByteArray toNative(const QString& name);
QString fromNative(const QByteArray& bytes);

// `name` as a list or a message shows it: each carried byte as U+FFFD.
QString shown(const QString& name);

} // namespace storage::filename
