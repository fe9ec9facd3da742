#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "ui/layout_scale.h"

class QWidget;

namespace quillon::ui {

// Clicks on the cards, which draw nothing of their own and let the mouse through to the card
// area beneath them. A left press and release on the card at one slot is reported with the slot,
// and the second press of a double click is no click, as on the buttons.
class CardClicks final : public QObject {
    Q_OBJECT
  public:
    // `card_area` is the frame that holds the cards; `scale` gives the scale it is drawn at.
    CardClicks(QWidget& card_area, std::function<LayoutScale()> scale,
               std::function<void(int slot)> on_click);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The slot whose card lies under a point of the card area, or -1.
    int slot_at(QPoint point) const;

    std::function<LayoutScale()> scale_;
    std::function<void(int)> on_click_;
    int pressed_slot_ = -1;
};

}  // namespace quillon::ui
