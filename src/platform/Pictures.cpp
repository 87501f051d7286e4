#include "Pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace platform::pictures {

QImage penOnPage(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 192));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width, h = height;
    // the page
    const QRectF page(w * 0.12, h * 0.08, w * 0.62, h * 0.84);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(QColor(90, 90, 160), 1.2));
    for (int i = 1; i <= 8; ++i) {
        const double y = page.top() + page.height() * i / 10.0;
        p.drawLine(QPointF(page.left() + w * 0.06, y), QPointF(page.right() - w * 0.06, y));
    }
    // the pen, lying across the page's lower right corner
    p.save();
    p.translate(w * 0.62, h * 0.70);
    p.rotate(-50);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(192, 0, 0));
    p.drawRect(QRectF(0, -w * 0.05, w * 0.45, w * 0.10));
    QPainterPath nib;
    nib.moveTo(0, -w * 0.05);
    nib.lineTo(-w * 0.12, 0);
    nib.lineTo(0, w * 0.05);
    nib.closeSubpath();
    p.setBrush(QColor(230, 200, 120));
    p.drawPath(nib);
    p.restore();
    return img;
}

QImage aboutPicture() {
    QImage img(250, 188, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 128));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // a stack of three test pages, each with a tick
    for (int i = 0; i < 3; ++i) {
        const QRectF page(40 + i * 30, 20 + i * 18, 120, 130);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(page);
        p.setPen(QPen(QColor(0, 128, 0), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygonF({page.topLeft() + QPointF(20, 40), page.topLeft() + QPointF(40, 60),
                       page.topLeft() + QPointF(80, 20)}));
    }
    return img;
}

QImage questionDisc() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawEllipse(QRectF(1, 1, 30, 30));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
    return img;
}

QImage tick() {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 3)}));
    return img;
}

} // namespace platform::pictures
