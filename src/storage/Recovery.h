#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace storage {

// What the program's start did about the writes a kill or a power cut
// interrupted in one folder.
struct Recovery {
    QString folder;
    int rolledBack = 0;     // files put back as they were before their write
    QStringList notApplied; // one line per journal set aside or passed over
    // The one message that tells the user what was not applied; empty when
    // there is nothing to tell.
    QString message() const;
};

// Undoes every write in `folder` that a kill or a power cut interrupted, as at
// the program's start. Only journals of the program's kinds of file are
// looked at, each applied to its own file (found by device and inode when the
// file was renamed within the folder) when the file shows its write
// interrupted; the rest are set aside or, when another user's, left alone.
// Nothing that this program did not write is ever removed.
Recovery rollBackInterruptedWrites(const QString& folder);

} // namespace storage
