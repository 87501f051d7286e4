#pragma once

#include <cstdint>
#include <cstdlib>
#include <QFile>
#include <QTemporaryDir>

// The fuzzer's input as a file named `name` in a folder of its own, for the
// code under test that reads files by path.
inline QString inputAsFile(const std::uint8_t* data, std::size_t size, const QString& name) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}
