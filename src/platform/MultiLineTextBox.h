#pragma once

#include <QPlainTextEdit>

// A multi-line text box whose text uses CR LF between lines, as the record
// files store it; the length limit counts CR LF as two characters.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // 0 means no limit.
    void setMaxLength(int maxLength) { m_maxLength = maxLength; }
    int maxLength() const { return m_maxLength; }
    // A locked box can be read and selected, with the keyboard too, but not changed.
    void setLocked(bool locked);

private:
    void enforceLimit();

    int m_maxLength = 0;
    bool m_enforcing = false;
};
