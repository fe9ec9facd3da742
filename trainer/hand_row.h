#pragma once

#include <QString>
#include <array>
#include <functional>

class QGridLayout;
class QPushButton;
class QWidget;

namespace quillon::ui {
class Artwork;
}

namespace quillon::trainer {

class CardView;

// Five cards above their HOLD buttons, as every practice table deals them: a click on a card or
// on its button calls toggle(slot). The widgets are named <prefix>card0 / <prefix>hold0 with
// no prefix, else <prefix>Card0 / <prefix>Hold0.
struct HandRow {
    QGridLayout* layout = nullptr;
    std::array<CardView*, 5> cards{};
    std::array<QPushButton*, 5> holds{};
};

HandRow make_hand_row(ui::Artwork& artwork, QWidget* parent, const QString& prefix,
                      const std::function<void(int slot)>& toggle);

}  // namespace quillon::trainer
