#pragma once

#include <QLabel>
#include <QString>

// An image control: shows a picture, stretched to the control's size when
// `stretch` is set. Loading a file that is missing or not a picture keeps the
// picture it had.
class ImageBox : public QLabel {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr, bool stretch = true);

    bool loadPicture(const QString& path);
    void setPicture(const QPixmap& pixmap);
    // A test's picture: `testName`.bmp of `folder`, else its "default.bmp",
    // else the built-in pen on a page.
    void showTestPicture(const QString& folder, const QString& testName);
    QPixmap picture() const { return m_picture; }

private:
    QPixmap m_picture;
};
