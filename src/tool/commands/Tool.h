#pragma once

#include <QStringList>

class QTextStream;

namespace tool {

// Runs `quizdex-tool ARGS` (ARGS without the program's name): results go to
// `out`, errors and notes to `err`. Returns the exit status: 0 done, 1 failed
// (for check: something found), 2 wrong usage.
int run(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace tool
