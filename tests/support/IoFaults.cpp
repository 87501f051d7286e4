#include "IoFaults.h"

#include "FileIo.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using storage::fileio::IoSeam;

constexpr std::int64_t kPage = 4096;

QByteArray nameOf(int fd, const QByteArray& path) {
    if (fd < 0)
        return storage::fileio::baseName(path);
    char buf[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t n = ::readlink(link.constData(), buf, sizeof buf);
    const QByteArray name = storage::fileio::baseName(QByteArray(buf, std::max<ssize_t>(n, 0)));
    // Unnamed while written, or under its pending name.
    return name.endsWith(" (deleted)") || name.startsWith(storage::fileio::kPendingPrefix)
               ? QByteArray("new")
               : name;
}

class FaultSeam : public IoSeam {
public:
    int failure(Call call) override {
        const IoFaults& f = IoFaults::current();
        switch (call) {
        case Call::OpenForReading:
            return f.readOpenErrno;
        case Call::OpenForWriting:
            return f.openErrno;
        case Call::ReadJournal:
            return f.journalReadErrno;
        case Call::RemoveJournal:
            return f.removeErrno;
        }
        return 0;
    }
    std::size_t allowed(std::int64_t offset, std::size_t size, bool undoing) override {
        const IoFaults& f = IoFaults::current();
        const auto left = [&](std::int64_t limit) {
            return static_cast<std::size_t>(std::max<std::int64_t>(0, limit - f.written));
        };
        std::size_t allowed = size;
        m_kill = m_fail = false;
        if (f.killAfter >= 0 && left(f.killAfter) <= size) {
            allowed = left(f.killAfter);
            // The system copies a write page by page and stops between pages.
            if (allowed < size)
                allowed = std::size_t(std::max<std::int64_t>(
                    0, (offset + std::int64_t(allowed)) / kPage * kPage - offset));
            m_kill = true;
        }
        // Undoing is spared the limit: it must not fail with the write it undoes.
        if (!undoing && f.writeLimit >= 0 && left(f.writeLimit) < allowed) {
            allowed = left(f.writeLimit);
            m_fail = true;
            m_kill = false;
        }
        return allowed;
    }
    int written(std::size_t done, std::size_t size) override {
        IoFaults& f = IoFaults::current();
        f.written += static_cast<std::int64_t>(done);
        if (f.writeEnds)
            f.writeEnds->append(f.written);
        if (m_kill)
            ::raise(SIGKILL);
        if (m_fail)
            return f.writeErrno ? f.writeErrno : ENOSPC;
        return done < size ? ENOSPC : 0;
    }
    void noted(const char* call, int fd, const QByteArray& path) override {
        if (QList<QByteArray>* calls = IoFaults::current().calls)
            calls->append(fd < 0 && path.isEmpty() ? QByteArray(call)
                                                   : call + (' ' + nameOf(fd, path)));
    }
    void beforeLinkingIn() override {
        // A copy: the hook may clear itself.
        if (const std::function<void()> hook = IoFaults::current().beforeLinkingIn)
            hook();
    }

private:
    bool m_kill = false;
    bool m_fail = false;
};

} // namespace

IoFaults& IoFaults::current() {
    static IoFaults faults;
    static FaultSeam seam;
    storage::fileio::setSeam(&seam);
    return faults;
}

namespace testing {

int waitFor(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) <= 0 ? -1000
           : WIFEXITED(status)             ? WEXITSTATUS(status)
                                           : -WTERMSIG(status);
}

int inChild(const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    return waitFor(pid);
}

int killedAfter(std::int64_t bytes, const std::function<void()>& work) {
    return inChild([&] {
        IoFaults::clear(); // the parent's count of bytes written is not the child's
        IoFaults::current().killAfter = bytes;
        work();
        return 0;
    });
}

int killedAfterDelay(unsigned microseconds, const std::function<void()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        work();
        ::_exit(0);
    }
    ::usleep(microseconds);
    ::kill(pid, SIGKILL);
    return waitFor(pid);
}

} // namespace testing
