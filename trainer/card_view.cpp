#include "trainer/card_view.h"

#include <QPainter>

#include "ui/artwork.h"

namespace quillon::trainer {

QString art_name(CardId card) {
    return card.is_joker() ? QStringLiteral("joker1") : QString::fromStdString(card.text());
}

CardView::CardView(ui::Artwork& artwork, QWidget* parent)
    : QAbstractButton(parent), artwork_(artwork) {
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(84, 114);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CardView::show_card(std::optional<CardId> card, bool wild, bool held) {
    card_ = card;
    wild_ = wild;
    held_ = held;
    setAccessibleName(card ? QString::fromStdString(card->text()) : QStringLiteral("back"));
    update();
}

void CardView::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The card keeps the artwork's 71 x 96 proportions, centred in the widget.
    QSize size(width(), width() * 96 / 71);
    if (size.height() > height()) {
        size = QSize(height() * 71 / 96, height());
    }
    const QRect box(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    p.drawPixmap(box, artwork_.pixmap(card_ ? art_name(*card_) : QStringLiteral("back"), size,
                                      devicePixelRatioF()));
    if (wild_) {
        const QRect band(box.left(), box.top() + box.height() * 2 / 5, box.width(),
                         box.height() / 6);
        p.fillRect(band, QColor(0xf0, 0xc0, 0x20, 0xe0));
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(band.height() * 2 / 3);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(band, Qt::AlignCenter, QStringLiteral("WILD"));
    }
    if (held_) {
        p.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 4));
        p.drawRoundedRect(QRectF(box).adjusted(2, 2, -2, -2), 6, 6);
        const QRect tag(box.left(), box.bottom() - box.height() / 7, box.width(), box.height() / 7);
        p.fillRect(tag, QColor(0x1f, 0x5f, 0xbf));
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(tag.height() * 2 / 3);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(tag, Qt::AlignCenter, QStringLiteral("HELD"));
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace quillon::trainer
