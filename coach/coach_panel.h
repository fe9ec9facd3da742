#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "coach/background_work.h"
#include "coach/chart_source.h"
#include "coach/deal_advice.h"
#include "coach/session.h"

class QCheckBox;
class QDoubleSpinBox;
class QTabWidget;

namespace quillon::coach {

class ChartView;
class HandView;
class SessionView;

// The coach: the exact value of every hold of the deal on the table, a warning before a costly
// hold is drawn, the session's accuracy and luck, and the game's strategy chart. It only listens:
// whatever table it sits beside tells it what happened, and asks it before a draw.
class CoachPanel final : public QWidget {
    Q_OBJECT
  public:
    // The game a bet of `coins` is paid by (0: the full bet).
    using GameSource = std::function<odds::Game(int coins)>;
    // Asks the player a yes-or-no question; true for yes.
    using Question = std::function<bool(const QString& question, const QString& details)>;

    static constexpr double kDefaultThreshold = 0.01;  // coins per coin bet

    // Makes the game's chart off the window's thread; build_chart unless told otherwise.
    using ChartMaker = std::function<CoachChart(const odds::Tallies& tallies)>;

    // The game's tallies and chart are started at once, or, with start_now false, at start():
    // a window can paint its first frame before them.
    CoachPanel(GameSource source, int chart_coins, QWidget* parent = nullptr,
               ChartMaker chart_maker = build_chart, bool start_now = true);
    ~CoachPanel() override;

    // Another game: the session starts over and its chart is built.
    void set_game(GameSource source, int chart_coins);
    // Builds the first game's tallies and starts its chart, unless they are under way. Until
    // then each deal's holds are counted draw by draw, a few milliseconds each.
    void start();

    // What the table tells the coach.
    void dealt(const std::array<CardId, 5>& deal, int coins, HoldMask hold, double credit_before);
    void hold_changed(HoldMask hold);
    // Before the draw reaches the table: false when the player, warned, decides not to draw.
    bool may_draw(HoldMask hold);
    void drawn(const std::array<CardId, 5>& final_hand, double paid);
    // The hand was cleared away undrawn.
    void abandoned();
    // A win on offer to the double-up, or none.
    void show_double_up(std::optional<std::int64_t> win);

    // Charts of the games set from now on are made so.
    void set_chart_maker(ChartMaker maker) { chart_maker_ = std::move(maker); }

    // Nothing asks in a message box, as the coach does by default.
    void set_question(Question question) { question_ = std::move(question); }
    void set_warnings(bool on, double threshold = kDefaultThreshold);
    bool warnings_on() const;
    double threshold() const;

    const Session& session() const { return session_; }
    // The deal on the table, while there is one.
    const DealAdvice* advice() const { return advice_.get(); }
    HoldMask hold() const { return hold_; }
    bool chart_ready() const { return chart_ != nullptr; }
    // Why the game has no chart, where it could not be built; empty otherwise.
    const QString& chart_failure() const { return chart_failure_; }
    const CoachChart* chart() const { return chart_.get(); }
    std::optional<DecidingLine> chart_line() const { return line_; }
    // The game's tallies, built when the game was set, for the same pays as the chart.
    std::shared_ptr<const odds::Tallies> tallies() const { return tallies_; }
    // Shows "Drill these" under the mistakes, for a window that can drill them.
    void offer_drill(bool on);
    // Shows the holds of a hand of the session again.
    void review(int hand_index);
    // Writes <base>.csv and <base>.json.
    bool save(const QString& base);
    void show_page(int page);

  signals:
    void chartReady();
    // The chart could not be built: `why` is the message the panel shows.
    void chartFailed(const QString& why);
    // "Drill these" was clicked under the session's mistakes.
    void drillRequested();

  private:
    const GameAtBet& at_bet(int coins);
    void start_chart(int chart_coins);
    void chart_built(unsigned generation, std::shared_ptr<const CoachChart> chart,
                     const QString& failure);
    void show_live();
    QString line_text(const std::array<CardId, 5>& deal, std::optional<DecidingLine> line) const;
    void ask_where_to_save();

    GameSource source_;
    std::map<int, std::unique_ptr<GameAtBet>> games_;
    std::unique_ptr<odds::Game> chart_game_;
    std::shared_ptr<const CoachChart> chart_;
    std::shared_ptr<const odds::Tallies> tallies_;
    unsigned chart_generation_ = 0;
    // The coins the first chart waits to be started for, until start().
    std::optional<int> unstarted_;
    // Why the game has no chart, where building it failed.
    QString chart_failure_;
    ChartMaker chart_maker_ = build_chart;
    BackgroundWork builders_;

    std::unique_ptr<DealAdvice> advice_;
    HoldMask hold_ = 0;
    std::optional<DecidingLine> line_;
    QString verdict_;
    Session session_;
    bool session_started_ = false;
    Question question_;

    QCheckBox* warn_;
    QDoubleSpinBox* threshold_;
    QTabWidget* pages_;
    HandView* hand_;
    SessionView* session_view_;
    ChartView* chart_view_;
};

}  // namespace quillon::coach
