#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "trainer/game_choice.h"
#include "trainer/practice_table.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace quillon::ui {
class Artwork;
}
namespace quillon::coach {
class CoachPanel;
struct CoachChart;
}  // namespace quillon::coach
namespace quillon::odds {
class Tallies;
}

namespace quillon::trainer {

class CardView;
class DrillView;
class HandAnalyzer;
class MeterField;
class ReturnView;

// The practice window: a plain table for any game, with the coach beside it, a hand analyzer
// and the game's return table. Every figure comes from the odds engine.
class TrainerWindow final : public QWidget {
    Q_OBJECT
  public:
    // The coach's charts are made by chart_maker (build_chart unless told otherwise).
    TrainerWindow(GameChoice choice, int coins, ui::Artwork& artwork, std::uint64_t seed,
                  std::function<coach::CoachChart(const odds::Tallies&)> chart_maker = {});
    ~TrainerWindow() override;

    // Another game or bet, between hands; false, with the reason shown, when it cannot be read.
    bool choose_game(const GameChoice& choice, int coins);

    void deal_or_draw();
    void toggle_hold(int slot);

    PracticeTable& table() { return table_; }
    coach::CoachPanel& coach() { return *coach_; }
    // The game being practised, as chosen (a file's text as read then).
    const GameChoice& choice() const { return choice_; }
    HandAnalyzer& analyzer() { return *analyzer_; }
    ReturnView& return_view() { return *return_view_; }
    DrillView& drill() { return *drill_; }
    MeterField& meter() { return *meter_; }
    CardView* card(int slot) const { return cards_[static_cast<std::size_t>(slot)]; }
    QPushButton* hold_button(int slot) const { return holds_[static_cast<std::size_t>(slot)]; }
    QPushButton* deal_button() const { return deal_; }
    // The pages beside the table, by their tab's place.
    enum Page { coach_page, analyzer_page, return_page, drill_page };
    void show_page(int page);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void refresh();
    void fill_pay_table();
    void game_picked(int index);
    void meter_set();
    odds::Game game_at(int coins) const { return choice_.load(coins); }

    ui::Artwork& artwork_;
    GameChoice choice_;
    PracticeTable table_;
    QComboBox* game_box_;
    QSpinBox* coins_box_;
    QLabel* credit_;
    MeterField* meter_;
    QTableWidget* pay_table_;
    std::array<CardView*, 5> cards_{};
    std::array<QPushButton*, 5> holds_{};
    QPushButton* deal_;
    QLabel* result_;
    QTabWidget* pages_;
    coach::CoachPanel* coach_;
    HandAnalyzer* analyzer_;
    ReturnView* return_view_;
    DrillView* drill_;
    bool painted_ = false;
};

}  // namespace quillon::trainer
