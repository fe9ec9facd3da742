#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "coach/background_work.h"
#include "trainer/drill/drill_run.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quillon::ui {
class Artwork;
}
namespace quillon::coach {
class CoachPanel;
}

namespace quillon::trainer {

class CardView;

// The trainer's drill page: the player's mistakes (this session's and those of session files)
// or a game's hardest deals dealt again until each is held right a few times in a row, or fresh
// deals one after another; each answered at once, with the best hold and the cost, and scored by
// value. Nothing is drawn and the table's credit stays as it is.
class DrillView final : public QWidget {
    Q_OBJECT
  public:
    enum class Source { mistakes, hardest, fresh };
    static constexpr std::size_t kHardestCount = 25;

    DrillView(ui::Artwork& artwork, coach::CoachPanel& coach, QWidget* parent = nullptr);
    ~DrillView() override;

    // The game and bet the drill's holds are valued in; a drill under way ends.
    void set_game(const odds::Game& game, int coins);
    // Starts a drill. The hardest deals are worked out in the background first: see drillStarted.
    void start(Source source);
    // Session files whose mistakes a drill of mistakes takes as well; false with the reason shown
    // when one cannot be read.
    bool add_session_file(const QString& path);
    bool save_progress(const QString& path) const;
    bool load_progress(const QString& path);

    void toggle_hold(int slot);
    // ANSWER, then NEXT.
    void answer_or_next();
    // The keys of the table: 1 to 5 hold, Return and Space answer; false for any other key.
    bool take_key(int key);

    const DrillRun* run() const { return run_.get(); }
    HoldMask hold() const;
    CardView* card(int slot) const { return cards_[static_cast<std::size_t>(slot)]; }
    QPushButton* answer_button() const { return answer_; }
    QString status_text() const;

  signals:
    void drillStarted();

  private:
    void begin(DrillSchedule schedule);
    void show_deal();
    void show_score();
    void ask_for_file();
    void ask_save();
    void ask_load();

    ui::Artwork& artwork_;
    coach::CoachPanel& coach_;
    std::unique_ptr<odds::Game> game_;
    int coins_ = 1;
    std::vector<DrillDeal> file_mistakes_;
    std::unique_ptr<DrillRun> run_;
    std::array<bool, 5> held_{};
    std::optional<DrillRun::Verdict> verdict_;
    std::uint64_t seed_ = 1;
    unsigned generation_ = 0;

    QComboBox* source_;
    QPushButton* start_;
    QLabel* status_;
    std::array<CardView*, 5> cards_{};
    std::array<QPushButton*, 5> holds_{};
    QPushButton* answer_;
    QLabel* verdict_label_;
    QLabel* score_;
    QListWidget* missed_;
    // The search for the game's hardest deals.
    coach::BackgroundWork hardest_;
};

}  // namespace quillon::trainer
