#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "trainer/game_choice.h"
#include "trainer/ultimate_x_table.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quillon::ui {
class Artwork;
}
namespace quillon::coach {
class UltimateXCoach;
}

namespace quillon::trainer {

class CardView;

// The Ultimate X practice window: one deal held for N lines on one screen, each line's drawn
// hand with the multiplier it carries, the doubled bet on the credit meter, and the coach
// ranking the holds by full value beside the table.
class UltimateXWindow final : public QWidget {
    Q_OBJECT
  public:
    UltimateXWindow(GameChoice choice, int lines, int coins, ui::Artwork& artwork,
                    std::uint64_t seed);
    ~UltimateXWindow() override;

    // Another game, line count or bet, between hands; false, with the reason shown, when the
    // game cannot be read or is not played on that many lines.
    bool choose_game(const GameChoice& choice, int lines, int coins);
    // A pay-table file and its `ultimate-x` lines, on the lines played now where it has them,
    // else on its most; false, with the reason shown, when it cannot be used.
    bool choose_file(const QString& path);

    void deal_or_draw();
    void toggle_hold(int slot);

    UltimateXTable& table() { return table_; }
    coach::UltimateXCoach& coach() { return *coach_; }
    CardView* card(int slot) const { return cards_[static_cast<std::size_t>(slot)]; }
    QPushButton* hold_button(int slot) const { return holds_[static_cast<std::size_t>(slot)]; }
    QPushButton* deal_button() const { return deal_; }
    QLabel* multiplier_label(int line) const;
    CardView* line_card(int line, int slot) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct LineRow {
        QLabel* multiplier;
        std::array<CardView*, 5> cards;
        QLabel* result;
    };
    int lines_for(const odds::Game& game) const;
    void build_lines();
    void start_coach();
    void refresh();
    void fill_boxes();

    ui::Artwork& artwork_;
    GameChoice choice_;
    UltimateXTable table_;
    QComboBox* game_box_;
    int builtins_ = 0;
    QComboBox* lines_box_;
    QSpinBox* coins_box_;
    QLabel* credit_;
    QLabel* bet_;
    QWidget* lines_area_;
    std::vector<LineRow> rows_;
    std::array<CardView*, 5> cards_{};
    std::array<QPushButton*, 5> holds_{};
    QPushButton* deal_;
    QLabel* result_;
    coach::UltimateXCoach* coach_;
};

// The built-in games that have Ultimate X multipliers.
std::vector<QString> ultimate_x_game_names();

}  // namespace quillon::trainer
