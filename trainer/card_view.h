#pragma once

#include <QAbstractButton>
#include <optional>

#include "base/card.h"

namespace quillon::ui {
class Artwork;
}

namespace quillon::trainer {

// One card of the practice table, in the game's own artwork; a click holds it. A wild card
// carries a band saying so, a held one a frame and a "HELD" tag above the card.
class CardView final : public QAbstractButton {
    Q_OBJECT
  public:
    CardView(ui::Artwork& artwork, QWidget* parent = nullptr);

    // Nothing shows the card's back.
    void show_card(std::optional<CardId> card, bool wild, bool held);
    std::optional<CardId> card() const { return card_; }
    bool wild() const { return wild_; }
    bool held() const { return held_; }

    QSize sizeHint() const override { return {112, heightForWidth(112)}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width * 96 / 71 + tag_height(); }

    // Where the card is drawn, and the HELD tag above it.
    QRect card_box() const;
    QRect tag_box() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int tag_height() const;

    ui::Artwork& artwork_;
    std::optional<CardId> card_;
    bool wild_ = false;
    bool held_ = false;
};

// The artwork's name of a card: "s1" ... "h13", "joker1".
QString art_name(CardId card);

}  // namespace quillon::trainer
