#include "FileListBox.h"

#include "FileNames.h"
#include "Files.h"

#include <algorithm>
#include <QAccessible>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A change of the selected file is a choice; the current row that the view
    // sets by itself on focus is not.
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_refreshing && !fileName().isEmpty())
            emit fileChosen();
    });
}

bool FileListBox::setPath(const QString& folder) {
    m_path = folder;
    refresh();
    return QDir(folder).exists() && QDir(folder).isReadable();
}

void FileListBox::setPattern(const QString& pattern) {
    m_pattern = pattern;
    refresh();
}

QString FileListBox::fileName() const {
    const QListWidgetItem* item = currentItem();
    return (item && item->isSelected()) ? nameOf(item) : QString();
}

QString FileListBox::nameOf(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toString();
}

bool FileListBox::selectFile(const QString& name) {
    for (int i = 0; i < count(); ++i) {
        if (nameOf(item(i)) == name) {
            if (item(i)->isSelected() && currentRow() == i)
                emit fileChosen();
            else
                setCurrentRow(i);
            return true;
        }
    }
    return false;
}

void FileListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason)
        chooseCurrentIfNone();
    // A screen reader hears of the list's focus only after this, and then reads
    // the list alone; the selected file's focus, told after that, is read too.
    QMetaObject::invokeMethod(this, &FileListBox::announceCurrentFile, Qt::QueuedConnection);
}

void FileListBox::announceCurrentFile() {
    if (!hasFocus() || currentRow() < 0 || !QAccessible::isActive())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(currentRow());
    QAccessible::updateAccessibility(&focus);
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    QListWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        chooseCurrentIfNone();
        break;
    default:
        break;
    }
}

void FileListBox::chooseCurrentIfNone() {
    if (count() == 0 || !selectedItems().isEmpty())
        return;
    setCurrentRow(std::max(currentRow(), 0)); // selects it, and fileChosen follows
}

void FileListBox::refresh() {
    const QString selected = fileName();
    m_refreshing = true;
    clear();
    if (!m_path.isEmpty()) {
        const QStringList names = platform::listFiles(m_path, m_pattern);
        for (const QString& name : names) {
            // shown as text, named by the name that opens the file
            auto* entry = new QListWidgetItem(storage::filename::shown(name), this);
            entry->setData(Qt::UserRole, name);
        }
    }
    for (int i = 0; !selected.isEmpty() && i < count(); ++i) {
        if (nameOf(item(i)) == selected) {
            setCurrentRow(i);
            break;
        }
    }
    m_refreshing = false;
}
