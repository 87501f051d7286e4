#pragma once

#include <QByteArray>
#include <QString>

// Fixture files, their records laid out by the tests' builders (tests/support).
namespace fixtures {

// A test of `questions` questions of all three kinds, cycling.
void writeTest(const QString& path, int questions);
// Entry i of a fixture score log.
QByteArray logEntry(int i);
// A score log of `entries` entries.
void writeLog(const QString& path, int entries);
// A school's folder: `tests` tests beside `logs` score logs of `entries`
// entries each, the tests taken in turn on dates written as en_US writes them.
void writeClass(const QString& dir, int logs, int entries, int tests);

} // namespace fixtures
