#include "ImageBox.h"

#include "Files.h"
#include "Pictures.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

ImageBox::ImageBox(QWidget* parent, bool stretch) : QLabel(parent) {
    setScaledContents(stretch);
    setTextFormat(Qt::PlainText);
}

bool ImageBox::loadPicture(const QString& path) {
    const QString file = platform::resolveCaseInsensitive(path);
    if (file.isEmpty())
        return false;
    QFile device;
    if (!platform::openRegularFile(file, device))
        return false;
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    setPicture(QPixmap::fromImage(image));
    return true;
}

void ImageBox::setPicture(const QPixmap& pixmap) {
    m_picture = pixmap;
    setPixmap(pixmap);
}

void ImageBox::showTestPicture(const QString& folder, const QString& testName) {
    const QString sep(QDir::separator());
    if (!loadPicture(folder + sep + QStringLiteral("default.bmp")))
        setPicture(QPixmap::fromImage(platform::pictures::penOnPage()));
    loadPicture(folder + sep + testName + QStringLiteral(".bmp"));
}
