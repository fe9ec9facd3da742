#pragma once

#include <QWidget>
#include <optional>

#include "coach/coach_panel.h"
#include "game/machine.h"
#include "ui/table_window.h"

namespace quillon::coach {

// The coach's own window beside the table. While it is open it follows the machine by reading
// it after each event, and it may hold back a DRAW click; closed, it leaves the table alone.
class TableCoach final : public QWidget, public ui::TableObserver {
    Q_OBJECT
  public:
    TableCoach(const Machine& machine, ui::TableWindow& table);
    ~TableCoach() override;

    // Opens beside the table and catches up with the hand on it; closes and lets the table go.
    void open();
    void toggle();

    bool before_click(Button button) override;
    void after_event() override;

    CoachPanel& panel() { return *panel_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void place_beside_table();
    std::array<CardId, 5> cards_on_table() const;
    HoldMask held() const;

    const Machine& machine_;
    ui::TableWindow& table_;
    CoachPanel* panel_;
    bool holding_ = false;
    HoldMask last_hold_ = 0;
    std::optional<Button> clicked_;
};

// The game the machine pays a bet of `coins` by, from the odds engine.
odds::Game machine_game(int coins);

}  // namespace quillon::coach
