#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "coach/background_work.h"
#include "coach/deal_advice.h"
#include "coach/ultimate_x_score.h"
#include "coach/ultimate_x_session.h"
#include "odds/play/ultimate_x.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace quillon::coach {

// The coach beside an Ultimate X table: every hold of the deal ranked by its full value at the
// lines' multiplier total (this hand's win and the value of the multipliers it leaves) beside its
// plain value, a warning before a hold that gives away full value, and the session's mistakes
// and accuracy by full value. The game's values of the multipliers are worked out off the
// window's thread; until they are, deals go unscored.
class UltimateXCoach final : public QWidget {
    Q_OBJECT
  public:
    // Works out the solved game; run on a pool thread.
    using Solver = std::function<odds::UltimateXSolution()>;
    using Question = std::function<bool(const QString& question, const QString& details)>;

    static constexpr double kDefaultThreshold = 0.01;  // coins per coin bet
    // How many holds the ranking lists; the player's hold is listed besides.
    static constexpr int kListed = 8;

    explicit UltimateXCoach(QWidget* parent = nullptr);
    ~UltimateXCoach() override;

    // Another game, line count or bet: the session starts over and the game is solved.
    void set_game(odds::Game game, int lines, int coins, QString title, Solver solver);

    // What the table tells the coach.
    void dealt(const std::array<CardId, 5>& deal, int total);
    void hold_changed(HoldMask hold);
    // Before the draw: false when the player, warned, decides not to draw.
    bool may_draw(HoldMask hold);
    void drawn();

    void set_question(Question question) { question_ = std::move(question); }
    void set_warnings(bool on, double threshold = kDefaultThreshold);

    bool solved() const { return solution_ != nullptr; }
    const odds::UltimateXSolution* solution() const { return solution_.get(); }
    // The deal's holds best first, empty while the game is being solved or no deal is out.
    const std::vector<odds::UltimateXHold>& ranked() const { return ranked_; }
    const UltimateXScore& score() const { return score_; }
    const UltimateXSession& session() const { return session_; }

    // The session as <base>.csv and <base>.json; false when they cannot be written.
    bool save(const QString& base);
    // Carries on a session the coach saved at the same game, lines and bet: its hands count in
    // the score. False, with the reason shown, when it cannot be read or is another game's.
    bool load(const QString& path);

  signals:
    void solvedGame();

  private:
    void solve_done(std::shared_ptr<const odds::UltimateXSolution> solution,
                    const QString& failure);
    void rank();
    void refresh();
    void ask_where_to_save();
    void ask_what_to_load();
    double coins_of(double base_bets) const { return base_bets * coins_; }

    std::unique_ptr<odds::Game> game_;
    std::unique_ptr<odds::FastClassifier> classifier_;
    int coins_ = 1;
    QString title_;
    std::shared_ptr<const odds::UltimateXSolution> solution_;
    // Why the game has no solution, where solving it failed.
    QString failure_;

    std::optional<std::array<CardId, 5>> deal_;
    int total_ = 0;
    HoldMask hold_ = 0;
    bool scored_ = false;
    std::vector<odds::UltimateXHold> ranked_;
    UltimateXScore score_;
    UltimateXSession session_;
    QString verdict_;
    Question question_;

    QCheckBox* warn_;
    QDoubleSpinBox* threshold_;
    QLabel* status_;
    QLabel* deal_title_;
    QTableWidget* holds_;
    QLabel* verdict_label_;
    QLabel* session_label_;
    // Last, so that the solve is called off before anything else of the panel goes.
    BackgroundWork solver_;
};

}  // namespace quillon::coach
