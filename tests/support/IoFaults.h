#pragma once

#include <cstdint>
#include <functional>
#include <QByteArray>
#include <QList>
#include <sys/types.h>

// Faults a test makes the record files meet where the machine cannot make
// them (as root, read-only permissions stop nothing), through the seam that
// storage offers. Inactive by default; the program itself has none of this.
struct IoFaults {
    int openErrno = 0;            // opening for writing fails with this
    std::int64_t writeLimit = -1; // writes stop once this many bytes went down in all...
    int writeErrno = 0;           // ...failing with this (ENOSPC, EIO)
    // The process is killed (SIGKILL) once this many bytes went down in all,
    // as a kill cuts a write short: at the last page boundary of the file
    // before that byte.
    std::int64_t killAfter = -1;
    std::int64_t written = 0; // bytes written since the faults were set
    // Removing or setting aside a journal fails with this (a journal of
    // another user in a folder this one may not change).
    int removeErrno = 0;
    int journalReadErrno = 0; // reading a journal fails with this
    // Runs when a first write has its file ready beside the name, before it
    // links it in: another writer can be made to come first there.
    std::function<void()> beforeLinkingIn = nullptr;
    // When set, every write and flush of a record file or journal is noted
    // here in order ("write Geo.tst", "fsync folder", "link Geo.tst-journal",
    // "unlink Geo.tst-journal"; a file not yet linked in is "new").
    QList<QByteArray>* calls = nullptr;
    int readOpenErrno = 0; // opening for reading fails with this
    // When set, the count of bytes written once each write is done.
    QList<std::int64_t>* writeEnds = nullptr;
    static IoFaults& current();
    static void clear() { current() = IoFaults{}; }
};

namespace testing {

// How a child ended: its exit code, or minus the signal that ended it.
int waitFor(pid_t pid);
// Runs `work` in a forked child and gives how it ended; its exit code is
// what `work` returns.
int inChild(const std::function<int()>& work);
// Runs `work` in a child that is killed once `bytes` went down there (its
// count starts at 0, whatever the parent wrote before); how it ended.
int killedAfter(std::int64_t bytes, const std::function<void()>& work);
// Runs `work` in a child killed `microseconds` after it began, unless it ended
// before; how it ended.
int killedAfterDelay(unsigned microseconds, const std::function<void()>& work);

} // namespace testing
