#pragma once

#include <functional>
#include <QString>
#include <QtGlobal>
#include <utility>

namespace storage {

// How every file operation of the program reports: a writer returns an
// IoStatus, a reader an IoResult<T>, the value read together with its status.

// Outcome of one file operation: on failure, the file and the reason.
struct IoStatus {
    bool ok = true;
    QString path;
    QString reason;
    // A refusal: `reason` is the whole message, worded by whoever refused.
    bool worded = false;
    // The system's error number when the system failed (errno); 0 otherwise.
    int error = 0;

    static IoStatus success() { return {}; }
    static IoStatus failure(const QString& path, const QString& reason) {
        return IoStatus{false, path, reason, false};
    }
    // The system's failure `err` (an errno) on `path`, worded by the system.
    static IoStatus systemFailure(const QString& path, int err);
    // A failure that is not the system's, such as a test that cannot be
    // taken: its message is `message`, whatever the caller was doing.
    static IoStatus refusal(const QString& path, const QString& message) {
        return IoStatus{false, path, message, true};
    }
    explicit operator bool() const { return ok; }
    // For a message box: `action` on the file and, on the next line, why. A
    // refusal as it was worded; nothing for a success.
    QString message(const QString& action) const;
};

// A value read from a file and the status of the read. A failed read holds T's
// empty value, never one left from an earlier read; a reader of many records
// says where it keeps those read before the failure.
template <typename T> class IoResult {
public:
    IoResult(T value) : m_value(std::move(value)) {}
    IoResult(IoStatus failure) : m_status(std::move(failure)) { Q_ASSERT(!m_status.ok); }
    // What was read before `failure` stopped the read.
    IoResult(T partial, IoStatus failure)
        : m_value(std::move(partial)), m_status(std::move(failure)) {}

    bool ok() const { return m_status.ok; }
    explicit operator bool() const { return ok(); }
    const IoStatus& status() const { return m_status; }

    // The value, also after a failure. A temporary result gives its value
    // away, so that nothing refers into it once it is gone.
    const T& value() const& { return m_value; }
    T value() && { return std::move(m_value); }
    // The value of a read that succeeded.
    const T& operator*() const& {
        Q_ASSERT(ok());
        return m_value;
    }
    T operator*() && {
        Q_ASSERT(ok());
        return std::move(m_value);
    }
    const T* operator->() const {
        Q_ASSERT(ok());
        return &m_value;
    }

private:
    T m_value{};
    IoStatus m_status;
};

// What a file operation tells the user without failing (a journal it passed
// over) goes to the handler the program sets: a message box in the program,
// standard error without one.
void setNoticeHandler(std::function<void(const QString&)> handler);
void notify(const QString& text);

} // namespace storage
