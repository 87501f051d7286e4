#pragma once

#include "WindowRegistry.h"

class QPlainTextEdit;

// The full view of a score log, in a fixed-pitch font. It reloads whenever it
// becomes the active window, so it always shows the log it was last handed.
class ScoreLogWindow : public Window {
    Q_OBJECT
public:
    ScoreLogWindow();

    void onActivated() override;
    // The log to show (empty for none); shown at the next activation.
    void setLogFile(const QString& path) { m_logPath = path; }

private:
    QPlainTextEdit* m_entriesView = nullptr;
    QString m_logPath;
};
