#pragma once

#include <QWidget>
#include <memory>

#include "coach/background_work.h"
#include "odds/play/game_return.h"

class QLabel;
class QTableWidget;

namespace quillon::trainer {

// The game's return under perfect play, final hand by final hand, counted off the window's
// thread (a second or so for a 53-card deck).
class ReturnView final : public QWidget {
    Q_OBJECT
  public:
    explicit ReturnView(QWidget* parent = nullptr);
    ~ReturnView() override;

    // The count starts when the page is first shown, not to slow the window's start.
    void set_game(const odds::Game& game);
    bool ready() const { return ready_; }

  signals:
    void returnReady();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void start_count();
    void show_return(unsigned generation, const odds::Game& game,
                     std::shared_ptr<const odds::GameReturn> result, const QString& failure);

    QLabel* title_;
    QTableWidget* table_;
    std::shared_ptr<const odds::Game> pending_;
    unsigned generation_ = 0;
    bool ready_ = false;
    coach::BackgroundWork workers_;
};

}  // namespace quillon::trainer
