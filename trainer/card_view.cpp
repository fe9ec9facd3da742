#include "trainer/card_view.h"

#include <QPainter>
#include <algorithm>

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

int CardView::tag_height() const {
    return fontMetrics().height() + 6;
}

QRect CardView::card_box() const {
    // The card keeps the artwork's 71 x 96 proportions, at the foot of the room under the HELD
    // tag: right above the HOLD button under it, however tall the cell the layout gives it.
    const int tag = tag_height();
    const int room = std::max(height() - tag, 1);
    QSize size(width(), width() * 96 / 71);
    if (size.height() > room) {
        size = QSize(room * 71 / 96, room);
    }
    return {QPoint((width() - size.width()) / 2, tag + room - size.height()), size};
}

QRect CardView::tag_box() const {
    const QRect box = card_box();
    return {box.left(), box.top() - tag_height(), box.width(), tag_height() - 2};
}

void CardView::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect box = card_box();
    p.drawPixmap(box, artwork_.pixmap(card_ ? art_name(*card_) : QStringLiteral("back"), box.size(),
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
        // The frame runs round the card's edge and the tag sits above it: both indices stay in
        // sight.
        p.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 3));
        p.drawRoundedRect(QRectF(box).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
        const QRect tag = tag_box();
        p.fillRect(tag, QColor(0x1f, 0x5f, 0xbf));
        QFont f = font();
        f.setBold(true);
        f.setPixelSize(std::max(tag.height() * 2 / 3, 8));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(tag, Qt::AlignCenter, QStringLiteral("HELD"));
    }
    if (hasFocus()) {
        // Round the card and its tag, not the whole cell the layout gives the card.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.united(tag_box()).adjusted(-2, -2, 1, 1));
    }
}

}  // namespace quillon::trainer
