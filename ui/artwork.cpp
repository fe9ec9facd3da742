#include "ui/artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace quillon::ui {

namespace {

constexpr int kCursorSize = 32;
constexpr int kCursorHotspot = 1;  // the tip of the drawn arrow

QString svg_path(const QString& name) {
    return QStringLiteral(":/art/") + name + QStringLiteral(".svg");
}

}  // namespace

bool Artwork::has_svg(const QString& name) {
    return QFile::exists(svg_path(name));
}

QPixmap Artwork::render(const QString& name, QSize size, qreal device_pixel_ratio) const {
    const QSize device(static_cast<int>(std::ceil(size.width() * device_pixel_ratio)),
                       static_cast<int>(std::ceil(size.height() * device_pixel_ratio)));
    QPixmap pixmap(device);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        QSvgRenderer svg(svg_path(name));
        svg.setAspectRatioMode(Qt::KeepAspectRatio);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    pixmap.setDevicePixelRatio(device_pixel_ratio);
    return pixmap;
}

QPixmap Artwork::pixmap(const QString& name, QSize size, qreal device_pixel_ratio) {
    const QString key = QStringLiteral("%1@%2x%3@%4")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(device_pixel_ratio);
    auto found = cache_.constFind(key);
    if (found != cache_.constEnd()) {
        return *found;
    }
    QPixmap pixmap = render(name, size, device_pixel_ratio);
    cache_.insert(key, pixmap);
    return pixmap;
}

QCursor Artwork::cursor() {
    if (!cursor_) {
        const qreal dpr = qApp->devicePixelRatio();
        cursor_ = QCursor(render(QStringLiteral("cursor"), QSize(kCursorSize, kCursorSize), dpr),
                          kCursorHotspot, kCursorHotspot);
    }
    return *cursor_;
}

QIcon Artwork::icon(const QString& name) {
    QIcon icon;
    for (const int side : {16, 32, 48, 64}) {
        icon.addPixmap(render(name, QSize(side, side), 1.0));
    }
    return icon;
}

}  // namespace quillon::ui
