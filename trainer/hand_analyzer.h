#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class QToolButton;

namespace quillon::trainer {

// Five cards, clicked or typed ("s1 s13 s12 d2 joker", "joker2" the second joker of a deck with
// two), and all 32 of their holds ranked with the chance of every final hand, as
// `quillon-odds hand` lists them.
class HandAnalyzer final : public QWidget {
    Q_OBJECT
  public:
    explicit HandAnalyzer(QWidget* parent = nullptr);
    ~HandAnalyzer() override;

    // The game the holds are valued in; the cards chosen stay.
    void set_game(const odds::Game& game);
    // Reads five cards from the text; false, with the reason shown, when they are not.
    bool analyse(const QString& text);

    // No cards chosen, no holds shown.
    void clear_hand();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void card_clicked(CardId card);
    // The card is in the game's deck: a joker only where it deals one, the second where two.
    bool dealt(CardId card) const;
    void show_holds();
    void sync_buttons();

    std::unique_ptr<odds::Game> game_;
    std::vector<CardId> chosen_;
    QLineEdit* input_;
    QLabel* message_;
    std::array<QToolButton*, CardId::kCodes> buttons_{};
    QTableWidget* holds_;
};

}  // namespace quillon::trainer
