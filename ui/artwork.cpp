#include "ui/artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <cmath>

namespace quillon::ui {

namespace {

constexpr int kCursorSize = 32;
constexpr int kCursorHotspot = 1;  // the tip of the drawn arrow

QString svg_path(const QString& name) {
    return QStringLiteral(":/art/") + name + QStringLiteral(".svg");
}

// The stand-ins drawn while the artwork is missing: enough to play and to tell cards apart.
void paint_card_outline(QPainter& p, const QRectF& r, const QColor& fill) {
    QPainterPath path;
    const qreal radius = r.width() / 10;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(path, fill);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.drawPath(path);
}

void paint_face(QPainter& p, const QRectF& r, QChar suit_letter, int rank) {
    static const QString kRanks[] = {"",  "A", "2", "3",  "4", "5", "6",
                                     "7", "8", "9", "10", "J", "Q", "K"};
    const QString suits = QStringLiteral("s♠d♦c♣h♥");
    const QChar symbol = suits.at(suits.indexOf(suit_letter) + 1);
    const bool red = suit_letter == 'd' || suit_letter == 'h';
    paint_card_outline(p, r, Qt::white);
    p.setPen(red ? QColor(0xC0, 0, 0) : QColor(0x10, 0x10, 0x10));
    QFont font = p.font();
    font.setPixelSize(static_cast<int>(r.height() / 5));
    font.setBold(true);
    p.setFont(font);
    const QRectF corner = r.adjusted(r.width() / 12, r.height() / 20, 0, 0);
    p.drawText(corner, Qt::AlignLeft | Qt::AlignTop,
               kRanks[std::clamp(rank, 0, 13)] + QStringLiteral("\n") + symbol);
    font.setPixelSize(static_cast<int>(r.height() / 2.5));
    p.setFont(font);
    p.drawText(r.adjusted(r.width() / 5, r.height() / 8, 0, 0), Qt::AlignCenter, symbol);
}

void paint_stand_in(QPainter& p, const QRectF& r, const QString& name) {
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("back")) {
        paint_card_outline(p, r, QColor(0x80, 0x10, 0x20));
        p.setPen(QPen(QColor(0xE0, 0xC0, 0x60), 1.5));
        const QRectF inner =
            r.adjusted(r.width() / 8, r.width() / 8, -r.width() / 8, -r.width() / 8);
        p.drawRect(inner);
        p.drawLine(inner.topLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomLeft());
        return;
    }
    if (name.startsWith(QLatin1String("joker"))) {
        const int n = name.mid(5).toInt();
        const QColor fill = n <= 1 ? Qt::white : (n <= 5 ? QColor(0xF0, 0xE8, 0xC8) : Qt::black);
        paint_card_outline(p, r, fill);
        p.setPen(n <= 5 ? QColor(0x60, 0x00, 0x80) : QColor(0xE0, 0x20, 0x20));
        QFont font = p.font();
        font.setPixelSize(static_cast<int>(r.height() / 7));
        font.setBold(true);
        p.setFont(font);
        p.drawText(r, Qt::AlignCenter, n <= 1 ? QStringLiteral("★\nJOKER") : QStringLiteral("☻"));
        return;
    }
    if (name.startsWith(QLatin1String("icon"))) {
        p.fillRect(r, QColor(0x00, 0x00, 0x80));
        p.setPen(Qt::white);
        QFont font = p.font();
        font.setPixelSize(static_cast<int>(r.height() * 0.8));
        p.setFont(font);
        p.drawText(r, Qt::AlignCenter, name == QLatin1String("icon_table") ? "♠" : "★");
        return;
    }
    paint_face(p, r, name.isEmpty() ? QChar('s') : name.at(0), name.mid(1).toInt());
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
        const QRectF target(QPointF(0, 0), QSizeF(device));
        if (has_svg(name)) {
            QSvgRenderer svg(svg_path(name));
            svg.setAspectRatioMode(Qt::KeepAspectRatio);
            svg.render(&p, target);
        } else {
            paint_stand_in(p, target, name);
        }
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
        if (has_svg(QStringLiteral("cursor"))) {
            const qreal dpr = qApp->devicePixelRatio();
            cursor_ = QCursor(
                render(QStringLiteral("cursor"), QSize(kCursorSize, kCursorSize), dpr), 0, 0);
        } else {
            cursor_ = QCursor(Qt::PointingHandCursor);
        }
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
