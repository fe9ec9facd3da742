#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "coach/background_work.h"
#include "odds/games/pay_changes.h"
#include "odds/games/pay_table.h"
#include "odds/play/progressive_meter.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace quillon::trainer {

// The game's progressive meter: a line of the table (the royal unless chosen) paid the amount
// typed, per coin of the bet, instead of today's pay, as quillon-odds return --pay takes it
// ("1200", or "royal=1200"). An empty field is today's pay. A meter the engine cannot count is
// refused here, with the reason, and the game stays as it was. Beside it, the least meter at
// which the game returns 100 % under perfect play, worked out off the window's thread.
class MeterField final : public QWidget {
    Q_OBJECT
  public:
    explicit MeterField(QWidget* parent = nullptr);
    ~MeterField() override;

    // The game at today's pays, the built-in game's name (empty for a file: its figures are
    // counted, not looked up) and the meter it is paid by now. The break-even waits for
    // start_break_even.
    void set_game(const odds::Game& today, const QString& builtin,
                  const std::vector<odds::PayChange>& pays);
    // The meter as accepted last: none for today's pays.
    const std::vector<odds::PayChange>& pays() const { return pays_; }
    // Works out the break-even of the line chosen, unless it is known or under way.
    void start_break_even();
    bool break_even_ready() const { return break_even_ != nullptr; }
    const odds::MeterBreakEven* break_even() const { return break_even_.get(); }
    QString status_text() const;
    bool refused() const { return refused_; }

    QLineEdit* field() const { return field_; }
    QComboBox* line_box() const { return line_box_; }

  signals:
    // The player set a meter the game can be paid by (or emptied the field): see pays().
    void meterChanged();
    void breakEvenReady();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void apply();
    void line_picked();
    void show_status();
    std::size_t row() const;

    std::unique_ptr<odds::Game> today_;
    std::string builtin_;
    std::vector<odds::PayChange> pays_;
    QString refusal_;
    bool refused_ = false;
    std::shared_ptr<const odds::MeterBreakEven> break_even_;
    QString break_even_failure_;
    // The line whose break-even is known or being worked out, for this game.
    std::optional<std::size_t> break_even_row_;
    unsigned generation_ = 0;

    QComboBox* line_box_;
    QLineEdit* field_;
    QLabel* status_;
    coach::BackgroundWork workers_;
};

}  // namespace quillon::trainer
