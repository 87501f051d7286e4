#pragma once

#include <QListWidget>
#include <QString>

// A list of the files of one folder that match a pattern, like the classic
// file list control: folder, pattern, selected file name and refresh.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Points the list at `folder` and fills it; false when the folder cannot be
    // listed (the list is then empty).
    bool setPath(const QString& folder);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);
    // The selected file's name, or an empty text when nothing is selected. A
    // name that is not valid UTF-8 is shown with U+FFFD in its list entry, and
    // given here in the form that opens the file (see storage::filename::toNative).
    QString fileName() const;
    // Selects the named file (exact name); fileChosen follows as for the user's
    // own choice.
    bool selectFile(const QString& name);
    // Reads the folder again; the selection is kept when its file is still there.
    void refresh();

signals:
    // The user (or selectFile) chose a file.
    void fileChosen();

protected:
    // Tabbing into the list chooses a file; the arrow keys choose one even
    // when there is nowhere to move.
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static QString nameOf(const QListWidgetItem* item);
    void announceCurrentFile();
    void chooseCurrentIfNone();

    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    bool m_refreshing = false;
};
