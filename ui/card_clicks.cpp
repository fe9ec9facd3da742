#include "ui/card_clicks.h"

#include <QMouseEvent>
#include <QWidget>

#include "game/controls.h"
#include "ui/table_layout.h"

namespace quillon::ui {

CardClicks::CardClicks(QWidget& card_area, std::function<LayoutScale()> scale,
                       std::function<void(int slot)> on_click)
    : QObject(&card_area), scale_(std::move(scale)), on_click_(std::move(on_click)) {
    card_area.installEventFilter(this);
}

int CardClicks::slot_at(QPoint point) const {
    // Every card picture has the size and top of the first back.
    const ControlLayout* card = find_layout("spade", 0);
    const LayoutScale scale = scale_();
    for (std::size_t slot = 0; slot < kSlotLeft.size(); ++slot) {
        if (scale.rect(kSlotLeft[slot], card->top, card->width, card->height).contains(point)) {
            return static_cast<int>(slot);
        }
    }
    return -1;
}

bool CardClicks::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    const int slot = slot_at(mouse->position().toPoint());
    if (type == QEvent::MouseButtonPress) {
        pressed_slot_ = slot;
    } else if (type == QEvent::MouseButtonDblClick) {
        pressed_slot_ = -1;
    } else {
        const bool click = slot >= 0 && slot == pressed_slot_;
        pressed_slot_ = -1;
        if (click) {
            on_click_(slot);
        }
    }
    return slot >= 0;
}

}  // namespace quillon::ui
