#include "coach/coach_panel.h"

#include <malloc.h>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "coach/chart_view.h"
#include "coach/hand_view.h"
#include "coach/session_file.h"
#include "coach/session_view.h"
#include "odds/play/double_up.h"

namespace quillon::coach {

namespace {

bool ask_in_box(QWidget* parent, const QString& question, const QString& details) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Coach"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("drawAnyway"));
    box.setInformativeText(details);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string row_name(const GameAtBet& at, const std::array<CardId, 5>& hand) {
    const std::size_t row = at.game.row_of(at.classifier.classify(hand));
    return at.game.rows()[row].label;
}

}  // namespace

CoachPanel::CoachPanel(GameSource source, int chart_coins, QWidget* parent, ChartMaker chart_maker,
                       bool start_now)
    : QWidget(parent),
      source_(std::move(source)),
      chart_maker_(std::move(chart_maker)),
      warn_(new QCheckBox(QStringLiteral("stop me before a mistake"), this)),
      threshold_(new QDoubleSpinBox(this)),
      pages_(new QTabWidget(this)),
      hand_(new HandView(this)),
      session_view_(new SessionView(this)),
      chart_view_(new ChartView(this)) {
    setObjectName(QStringLiteral("coachPanel"));
    warn_->setObjectName(QStringLiteral("stopMe"));
    threshold_->setObjectName(QStringLiteral("threshold"));
    threshold_->setDecimals(3);
    threshold_->setRange(0.0, 100.0);
    threshold_->setSingleStep(0.01);
    threshold_->setValue(kDefaultThreshold);
    threshold_->setSuffix(QStringLiteral(" coin per coin bet"));
    threshold_->setToolTip(QStringLiteral("Warn when a hold gives away more than this"));
    auto* warnings = new QHBoxLayout;
    warnings->addWidget(warn_);
    warnings->addWidget(new QLabel(QStringLiteral("above"), this));
    warnings->addWidget(threshold_);
    warnings->addStretch();
    pages_->setObjectName(QStringLiteral("coachPages"));
    pages_->addTab(hand_, QStringLiteral("This hand"));
    pages_->addTab(session_view_, QStringLiteral("Session"));
    pages_->addTab(chart_view_, QStringLiteral("Chart"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(warnings);
    layout->addWidget(pages_, 1);
    connect(session_view_, &SessionView::mistakeChosen, this, &CoachPanel::review);
    connect(session_view_, &SessionView::saveRequested, this, &CoachPanel::ask_where_to_save);
    connect(session_view_, &SessionView::drillRequested, this, &CoachPanel::drillRequested);
    unstarted_ = chart_coins;
    if (start_now) {
        start();
    }
}

void CoachPanel::start() {
    if (unstarted_) {
        start_chart(*std::exchange(unstarted_, std::nullopt));
    }
}

CoachPanel::~CoachPanel() {
    // A chart still being built is called off: no pool thread outlives the panel.
    builders_.call_off();
}

void CoachPanel::set_game(GameSource source, int chart_coins) {
    source_ = std::move(source);
    games_.clear();
    advice_.reset();
    line_.reset();
    session_.clear();
    session_started_ = false;
    hand_->clear_deal();
    session_view_->show_session(session_);
    start_chart(chart_coins);
}

const GameAtBet& CoachPanel::at_bet(int coins) {
    std::unique_ptr<GameAtBet>& at = games_[coins];
    if (!at) {
        at = std::make_unique<GameAtBet>(source_(coins), coins);
    }
    return *at;
}

void CoachPanel::start_chart(int chart_coins) {
    unstarted_.reset();
    chart_.reset();
    tallies_.reset();
    chart_game_ = std::make_unique<odds::Game>(source_(chart_coins));
    const unsigned generation = ++chart_generation_;
    chart_view_->show_building(QString::fromStdString(chart_game_->name()));
    // The game's tallies here, before any deal can reach the panel: with them each deal's holds
    // are a matter of microseconds. The chart, which takes a second or two, is built from the same
    // tallies off the window's thread.
    auto tallies = std::make_shared<const odds::Tallies>(*chart_game_);
    tallies_ = tallies;
    chart_failure_.clear();
    builders_.start(
        this,
        [tallies, make = chart_maker_] {
            CoachChart chart = make(*tallies);
            // Building the chart passes through a hundred megabytes of deal classes: give them
            // back.
            malloc_trim(0);
            return chart;
        },
        [this, generation](std::shared_ptr<const CoachChart> chart, const QString& failure) {
            chart_built(generation, std::move(chart), failure);
        });
}

void CoachPanel::chart_built(unsigned generation, std::shared_ptr<const CoachChart> chart,
                             const QString& failure) {
    if (generation != chart_generation_) {
        return;
    }
    if (!chart) {
        // The table plays on without a chart: the coach says why there is none.
        chart_failure_ = QStringLiteral("no chart for this table: %1").arg(failure);
        chart_view_->show_failure(chart_failure_);
        if (advice_) {
            hand_->show_chart_line(line_text(advice_->deal(), line_));
        }
        emit chartFailed(chart_failure_);
        return;
    }
    chart_ = std::move(chart);
    chart_view_->show_chart(*chart_);
    if (advice_) {
        line_ = deciding_line(*chart_, *chart_game_, advice_->deal());
        hand_->show_chart_line(line_text(advice_->deal(), line_));
        chart_view_->highlight(line_ ? std::optional(line_->line) : std::nullopt);
    }
    emit chartReady();
}

QString CoachPanel::line_text(const std::array<CardId, 5>& deal,
                              std::optional<DecidingLine> line) const {
    if (!chart_) {
        return chart_failure_.isEmpty() ? QStringLiteral("Chart: being built…")
                                        : QStringLiteral("Chart: %1.").arg(chart_failure_);
    }
    if (!line) {
        return QStringLiteral("Chart: no line decides this deal.");
    }
    return QStringLiteral("Chart, line %1: %2, keep %3")
        .arg(line->line + 1)
        .arg(QString::fromStdString(chart_->lines[line->line]))
        .arg(QString::fromStdString(hold_names(deal, line->hold)));
}

void CoachPanel::dealt(const std::array<CardId, 5>& deal, int coins, HoldMask hold,
                       double credit_before) {
    if (!session_started_) {
        session_started_ = true;
        session_.start_credit(credit_before);
    }
    advice_ = std::make_unique<DealAdvice>(at_bet(coins), tallies_.get(), deal);
    hold_ = hold;
    verdict_.clear();
    line_ = chart_ ? deciding_line(*chart_, *chart_game_, deal) : std::nullopt;
    chart_view_->highlight(line_ ? std::optional(line_->line) : std::nullopt);
    show_live();
}

void CoachPanel::show_live() {
    if (!advice_) {
        hand_->clear_deal();
        hand_->show_verdict(verdict_);
        return;
    }
    const GameAtBet& at = at_bet(advice_->coins());
    std::vector<std::string> rows;
    std::vector<bool> paying;
    for (const odds::PayRow& row : at.game.rows()) {
        rows.push_back(row.label);
        paying.push_back(row.pay > 0);
    }
    QString deal_text;
    for (const CardId card : advice_->deal()) {
        deal_text += QString::fromStdString(card_name(card)) + QLatin1Char(' ');
    }
    hand_->show_deal(
        QStringLiteral("Deal: %1 · bet %2 %3")
            .arg(deal_text)
            .arg(advice_->coins())
            .arg(advice_->coins() == 1 ? QStringLiteral("coin") : QStringLiteral("coins")),
        *advice_, hold_, rows, paying);
    hand_->show_chart_line(line_text(advice_->deal(), line_));
    hand_->show_verdict(verdict_);
}

void CoachPanel::hold_changed(HoldMask hold) {
    hold_ = hold;
    show_live();
}

bool CoachPanel::may_draw(HoldMask hold) {
    if (!advice_ || !warn_->isChecked()) {
        return true;
    }
    const double cost = advice_->cost(hold);
    if (cost / advice_->coins() <= threshold_->value()) {
        return true;
    }
    const HoldMask best = advice_->best().mask;
    const QString details = QStringLiteral(
                                "You hold %1, worth %2 coins. The best hold, %3, is worth %4: "
                                "this one gives away %5 coins.")
                                .arg(QString::fromStdString(hold_names(advice_->deal(), hold)))
                                .arg(coins_text(advice_->value(hold)))
                                .arg(QString::fromStdString(hold_names(advice_->deal(), best)))
                                .arg(coins_text(advice_->value(best)))
                                .arg(coins_text(cost));
    const QString question = QStringLiteral("Draw anyway?");
    return question_ ? question_(question, details) : ask_in_box(this, question, details);
}

void CoachPanel::drawn(const std::array<CardId, 5>& final_hand, double paid) {
    if (!advice_) {
        return;
    }
    const GameAtBet& at = at_bet(advice_->coins());
    session_.add(make_record(*advice_, hold_, final_hand, row_name(at, final_hand), paid));
    const HandRecord& r = session_.hands().back();
    verdict_ = r.best_hold() ? QStringLiteral("best hold")
                             : QStringLiteral("you held %1, best was %2, cost %3 coins")
                                   .arg(QString::fromStdString(hold_names(r.deal, r.hold)))
                                   .arg(QString::fromStdString(hold_names(r.deal, r.best)))
                                   .arg(coins_text(r.cost));
    show_live();
    session_view_->show_session(session_);
}

void CoachPanel::abandoned() {
    advice_.reset();
    line_.reset();
    verdict_.clear();
    show_live();
}

void CoachPanel::show_double_up(std::optional<std::int64_t> win) {
    if (!win || *win <= 0) {
        hand_->show_double_up({});
        return;
    }
    static const odds::DoubleUpOdds odds = odds::double_up_odds();
    const auto w = static_cast<double>(*win);
    const double dbl = w * odds.double_value();
    const double half = odds.half_value(*win);
    // A fair double-up leaves all three worth the win itself: say so rather than pick one.
    const bool fair = 2 * odds.wins + odds.ties == odds.pairs;
    const QString most =
        fair ? QStringLiteral("All three are worth the same: the double-up is fair.")
             : QStringLiteral("Worth most: %1.")
                   .arg(QLatin1String(dbl > w && dbl >= half ? "DOUBLE"
                                                             : (half > w ? "HALF" : "PAYOUT")));
    hand_->show_double_up(
        QStringLiteral("A win of %1 coins, worth from here: DOUBLE %2 coins, HALF %3 coins, "
                       "PAYOUT %4 coins (a tie leaves the stake to play again). %5")
            .arg(*win)
            .arg(coins_text(dbl))
            .arg(coins_text(half))
            .arg(coins_text(w))
            .arg(most));
}

void CoachPanel::set_warnings(bool on, double threshold) {
    warn_->setChecked(on);
    threshold_->setValue(threshold);
}

bool CoachPanel::warnings_on() const {
    return warn_->isChecked();
}

double CoachPanel::threshold() const {
    return threshold_->value();
}

void CoachPanel::review(int hand_index) {
    const auto& hands = session_.hands();
    if (hand_index < 0 || hand_index >= static_cast<int>(hands.size())) {
        return;
    }
    const HandRecord& r = hands[static_cast<std::size_t>(hand_index)];
    const GameAtBet& at = at_bet(r.coins);
    const DealAdvice advice(at, tallies_.get(), r.deal);
    std::vector<std::string> rows;
    std::vector<bool> paying;
    for (const odds::PayRow& row : at.game.rows()) {
        rows.push_back(row.label);
        paying.push_back(row.pay > 0);
    }
    hand_->show_deal(QStringLiteral("Hand %1 of the session (the next event returns to the table)")
                         .arg(r.number),
                     advice, r.hold, rows, paying);
    const std::optional<DecidingLine> line =
        chart_ ? deciding_line(*chart_, *chart_game_, r.deal) : std::nullopt;
    hand_->show_chart_line(line_text(r.deal, line));
    hand_->show_verdict(QStringLiteral("you held %1, best was %2, cost %3 coins")
                            .arg(QString::fromStdString(hold_names(r.deal, r.hold)))
                            .arg(QString::fromStdString(hold_names(r.deal, r.best)))
                            .arg(coins_text(r.cost)));
    show_page(0);
}

bool CoachPanel::save(const QString& base) {
    return save_session(session_, base.toStdString());
}

void CoachPanel::ask_where_to_save() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save the session"),
                                                QStringLiteral("quillon-session"),
                                                QStringLiteral("CSV and JSON (*.csv *.json)"));
    if (path.isEmpty()) {
        return;
    }
    if (path.endsWith(QLatin1String(".csv")) || path.endsWith(QLatin1String(".json"))) {
        path.truncate(path.lastIndexOf(QLatin1Char('.')));
    }
    if (!save(path)) {
        QMessageBox::warning(this, QStringLiteral("Coach"),
                             QStringLiteral("Could not write %1.csv and %1.json.").arg(path));
    }
}

void CoachPanel::offer_drill(bool on) {
    session_view_->offer_drill(on);
}

void CoachPanel::show_page(int page) {
    pages_->setCurrentIndex(page);
}

}  // namespace quillon::coach
