#include "trainer/drill_view.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "coach/coach_panel.h"
#include "coach/hand_view.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "trainer/card_view.h"
#include "trainer/drill/drill_deals.h"
#include "trainer/drill/drill_progress.h"
#include "trainer/hand_row.h"

namespace quillon::trainer {

namespace {

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

QString deal_text(const std::array<CardId, 5>& deal) {
    return text_of(coach::hold_names(deal, 0x1f));
}

}  // namespace

DrillView::DrillView(ui::Artwork& artwork, coach::CoachPanel& coach, QWidget* parent)
    : QWidget(parent),
      artwork_(artwork),
      coach_(coach),
      source_(new QComboBox(this)),
      start_(new QPushButton(QStringLiteral("Start"), this)),
      status_(new QLabel(this)),
      answer_(new QPushButton(QStringLiteral("ANSWER"), this)),
      verdict_label_(new QLabel(this)),
      score_(new QLabel(this)),
      missed_(new QListWidget(this)) {
    setObjectName(QStringLiteral("drill"));
    source_->setObjectName(QStringLiteral("drillSource"));
    source_->addItem(QStringLiteral("My mistakes"));
    source_->addItem(QStringLiteral("The hardest deals of this game"));
    source_->addItem(QStringLiteral("Flash: fresh deals"));
    start_->setObjectName(QStringLiteral("drillStart"));
    auto* files = new QPushButton(QStringLiteral("Add a session file…"), this);
    files->setObjectName(QStringLiteral("drillFile"));
    files->setToolTip(QStringLiteral("A session the coach saved: its mistakes join the drill"));
    status_->setObjectName(QStringLiteral("drillStatus"));
    status_->setWordWrap(true);
    answer_->setObjectName(QStringLiteral("drillAnswer"));
    answer_->setMinimumHeight(36);
    verdict_label_->setObjectName(QStringLiteral("drillVerdict"));
    verdict_label_->setWordWrap(true);
    QFont bold = verdict_label_->font();
    bold.setBold(true);
    verdict_label_->setFont(bold);
    score_->setObjectName(QStringLiteral("drillScore"));
    score_->setWordWrap(true);
    missed_->setObjectName(QStringLiteral("drillMissed"));
    missed_->setWordWrap(true);
    missed_->setFocusPolicy(Qt::NoFocus);
    auto* save = new QPushButton(QStringLiteral("Save progress…"), this);
    save->setObjectName(QStringLiteral("drillSave"));
    auto* load = new QPushButton(QStringLiteral("Load progress…"), this);
    load->setObjectName(QStringLiteral("drillLoad"));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Drill:"), this));
    top->addWidget(source_, 1);
    top->addWidget(start_);
    top->addWidget(files);
    const HandRow row = make_hand_row(artwork_, this, QStringLiteral("drill"),
                                      [this](int slot) { toggle_hold(slot); });
    cards_ = row.cards;
    holds_ = row.holds;
    for (CardView* c : cards_) {
        c->setFocusPolicy(Qt::NoFocus);
        c->setMinimumSize(60, 100);
    }
    QGridLayout* hand = row.layout;
    auto* progress = new QHBoxLayout;
    progress->addStretch();
    progress->addWidget(save);
    progress->addWidget(load);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(status_);
    layout->addLayout(hand, 3);
    layout->addWidget(answer_);
    layout->addWidget(verdict_label_);
    layout->addWidget(score_);
    layout->addWidget(new QLabel(QStringLiteral("Still missed:"), this));
    layout->addWidget(missed_, 1);
    layout->addLayout(progress);

    connect(start_, &QPushButton::clicked, this,
            [this] { start(static_cast<Source>(source_->currentIndex())); });
    connect(files, &QPushButton::clicked, this, &DrillView::ask_for_file);
    connect(save, &QPushButton::clicked, this, &DrillView::ask_save);
    connect(load, &QPushButton::clicked, this, &DrillView::ask_load);
    connect(answer_, &QPushButton::clicked, this, &DrillView::answer_or_next);
}

DrillView::~DrillView() {
    hardest_.call_off();
}

void DrillView::set_game(const odds::Game& game, int coins) {
    game_ = std::make_unique<odds::Game>(game);
    coins_ = coins;
    ++generation_;
    hardest_.stop();
    run_.reset();
    verdict_.reset();
    held_ = {};
    status_->setText(QStringLiteral("%1, %2 %3 a deal: choose a drill and Start. Each deal is "
                                    "answered at once; nothing is drawn and the credit stays.")
                         .arg(text_of(game.name()))
                         .arg(coins)
                         .arg(coins == 1 ? QStringLiteral("coin") : QStringLiteral("coins")));
    show_deal();
    show_score();
}

void DrillView::start(Source source) {
    if (!game_) {
        return;
    }
    ++generation_;
    hardest_.stop();
    run_.reset();
    // The box names the drill under way, however it was started ("Drill these" starts one).
    source_->setCurrentIndex(static_cast<int>(source));
    if (source == Source::fresh) {
        begin(DrillSchedule{});
        return;
    }
    if (source == Source::mistakes) {
        DrillSchedule schedule;
        for (DrillDeal& d : session_mistakes(coach_.session())) {
            schedule.add(std::move(d));
        }
        for (const DrillDeal& d : file_mistakes_) {
            schedule.add(d);
        }
        if (schedule.empty()) {
            status_->setText(
                QStringLiteral("No mistakes to drill yet: play some hands with the "
                               "coach, or add a session file it saved."));
            show_deal();
            show_score();
            return;
        }
        begin(std::move(schedule));
        return;
    }
    std::shared_ptr<const odds::Tallies> tallies = coach_.tallies();
    if (!tallies || !(tallies->game() == *game_)) {
        tallies = std::make_shared<const odds::Tallies>(*game_);
    }
    std::shared_ptr<const coach::CoachChart> chart;
    if (coach_.chart() != nullptr && coach_.chart()->game == game_->name()) {
        chart = std::make_shared<const coach::CoachChart>(*coach_.chart());
    }
    status_->setText(
        QStringLiteral("Finding the hardest deals of %1…").arg(text_of(game_->name())));
    show_deal();
    const unsigned generation = generation_;
    hardest_.start(
        this, [tallies, chart] { return hardest_deals(*tallies, chart.get(), kHardestCount); },
        [this, generation](std::shared_ptr<const std::vector<DrillDeal>> deals,
                           const QString& failure) {
            if (generation != generation_) {
                return;
            }
            if (!deals) {
                status_->setText(QStringLiteral("No hardest deals: %1.").arg(failure));
                return;
            }
            DrillSchedule schedule;
            for (const DrillDeal& d : *deals) {
                schedule.add(d);
            }
            begin(std::move(schedule));
        });
}

void DrillView::begin(DrillSchedule schedule) {
    std::shared_ptr<const odds::Tallies> tallies = coach_.tallies();
    if (!tallies || !(tallies->game() == *game_)) {
        // Before the coach has them: with the game's tallies each answer takes microseconds,
        // not the milliseconds of counting every draw.
        tallies = std::make_shared<const odds::Tallies>(*game_);
    }
    run_ = std::make_unique<DrillRun>(*game_, coins_, std::move(tallies), std::move(schedule),
                                      seed_++);
    run_->next();
    held_ = {};
    verdict_.reset();
    show_deal();
    show_score();
    emit drillStarted();
}

bool DrillView::add_session_file(const QString& path) {
    try {
        std::vector<DrillDeal> found = session_file_mistakes(path.toStdString());
        file_mistakes_.insert(file_mistakes_.end(), found.begin(), found.end());
        status_->setText(QStringLiteral("%1 mistakes from %2 join the drill of mistakes.")
                             .arg(found.size())
                             .arg(QFileInfo(path).fileName()));
        return true;
    } catch (const std::exception& e) {
        status_->setText(QStringLiteral("Cannot use that file: %1").arg(text_of(e.what())));
        return false;
    }
}

HoldMask DrillView::hold() const {
    return coach::mask_of(held_);
}

void DrillView::toggle_hold(int slot) {
    if (!run_ || !run_->dealt() || run_->answered() || slot < 0 || slot > 4) {
        return;
    }
    held_[static_cast<std::size_t>(slot)] = !held_[static_cast<std::size_t>(slot)];
    show_deal();
}

void DrillView::answer_or_next() {
    if (!run_ || !run_->dealt()) {
        return;
    }
    if (!run_->answered()) {
        verdict_ = run_->answer(hold());
        // The next deal's cards drawn while the verdict is read, so that NEXT shows them at once.
        QTimer::singleShot(0, this, [this, upcoming = run_->prepare_next()] {
            const QSize size = cards_[0]->card_box().size();
            if (!upcoming) {
                artwork_.pixmap(QStringLiteral("back"), size, devicePixelRatioF());
                return;
            }
            for (const CardId c : *upcoming) {
                artwork_.pixmap(art_name(c), size, devicePixelRatioF());
            }
        });
    } else {
        held_ = {};
        verdict_.reset();
        run_->next();
    }
    show_deal();
    show_score();
}

bool DrillView::take_key(int key) {
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        toggle_hold(key - Qt::Key_1);
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        answer_or_next();
        return true;
    }
    return false;
}

QString DrillView::status_text() const {
    return status_->text();
}

void DrillView::show_deal() {
    const bool dealt = run_ && run_->dealt();
    const bool open = dealt && !run_->answered();
    for (int slot = 0; slot < 5; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const std::optional<CardId> card = dealt ? std::optional(run_->deal()[i]) : std::nullopt;
        cards_[i]->show_card(card, card && odds::is_wild(*card, *game_), held_[i]);
        cards_[i]->setEnabled(open);
        holds_[i]->setEnabled(open);
        holds_[i]->setChecked(held_[i]);
    }
    answer_->setEnabled(dealt);
    answer_->setText(open ? QStringLiteral("ANSWER") : QStringLiteral("NEXT"));
    if (!run_) {
        verdict_label_->clear();
        return;
    }
    if (!dealt) {
        answer_->setText(QStringLiteral("ANSWER"));
        status_->setText(QStringLiteral("Every deal of the drill is learned: each was held right "
                                        "%1 times in a row.")
                             .arg(run_->schedule().needed()));
        verdict_label_->clear();
        return;
    }
    if (run_->fresh_deals()) {
        status_->setText(QStringLiteral("Flash mode, fresh deals of %1: hold, then ANSWER.")
                             .arg(text_of(game_->name())));
    } else {
        const DrillDeal& d = run_->schedule().deals()[*run_->current()];
        status_->setText(QStringLiteral("From %1 · %2 of %3 right in a row · %4 of %5 deals left")
                             .arg(text_of(d.origin))
                             .arg(d.streak)
                             .arg(run_->schedule().needed())
                             .arg(run_->schedule().left())
                             .arg(run_->schedule().deals().size()));
    }
    if (!verdict_) {
        verdict_label_->setText(QStringLiteral("Hold the cards to keep, then ANSWER."));
        verdict_label_->setStyleSheet({});
        return;
    }
    const std::array<CardId, 5>& deal = run_->deal();
    const DrillRun::Verdict& v = *verdict_;
    if (v.right) {
        verdict_label_->setText(QStringLiteral("Right: %1, worth %2 coins.")
                                    .arg(text_of(coach::hold_names(deal, v.hold)))
                                    .arg(coach::coins_text(v.value)));
        verdict_label_->setStyleSheet(QStringLiteral("color: #106010"));
    } else {
        verdict_label_->setText(
            QStringLiteral("Best: %1, worth %2 coins. Yours, %3, is worth %4: it gives away %5 "
                           "coins.")
                .arg(text_of(coach::hold_names(deal, v.best)))
                .arg(coach::coins_text(v.best_value))
                .arg(text_of(coach::hold_names(deal, v.hold)))
                .arg(coach::coins_text(v.value))
                .arg(coach::coins_text(v.cost)));
        verdict_label_->setStyleSheet(QStringLiteral("color: #a01010"));
    }
}

void DrillView::show_score() {
    missed_->clear();
    if (!run_) {
        score_->clear();
        return;
    }
    const coach::SessionTotals& t = run_->answers().totals();
    score_->setText(QStringLiteral("Score %1 % by value over %2 answers: %3 right, %4 wrong, "
                                   "%5 coins given away.")
                        .arg(QString::number(t.accuracy(), 'f', 2))
                        .arg(t.hands)
                        .arg(t.best_holds)
                        .arg(t.mistakes)
                        .arg(coach::coins_text(t.cost)));
    if (run_->fresh_deals()) {
        const auto& hands = run_->answers().hands();
        for (auto it = hands.rbegin(); it != hands.rend(); ++it) {
            if (!it->best_hold()) {
                missed_->addItem(QStringLiteral("%1: best %2, cost %3 coins")
                                     .arg(deal_text(it->deal))
                                     .arg(text_of(coach::hold_names(it->deal, it->best)))
                                     .arg(coach::coins_text(it->cost)));
            }
        }
        return;
    }
    for (const DrillDeal* d : run_->still_missed()) {
        missed_->addItem(QStringLiteral("%1: missed %2 of %3 · %4")
                             .arg(deal_text(d->deal))
                             .arg(d->missed)
                             .arg(d->answers)
                             .arg(text_of(d->origin)));
    }
}

bool DrillView::save_progress(const QString& path) const {
    if (!run_ || run_->fresh_deals() || !game_) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const std::string text = progress_json(DrillProgress{game_->name(), coins_, run_->schedule()});
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

bool DrillView::load_progress(const QString& path) {
    QFile file(path);
    if (!game_ || !file.open(QIODevice::ReadOnly)) {
        status_->setText(QStringLiteral("Cannot read %1.").arg(path));
        return false;
    }
    try {
        DrillProgress progress = progress_from_json(file.readAll().toStdString());
        if (progress.game != game_->name() || progress.coins != coins_) {
            status_->setText(QStringLiteral("That drill is of %1 at %2 coins: choose that game "
                                            "and bet first.")
                                 .arg(text_of(progress.game))
                                 .arg(progress.coins));
            return false;
        }
        ++generation_;
        begin(std::move(progress.schedule));
        return true;
    } catch (const std::exception& e) {
        status_->setText(QStringLiteral("Cannot use %1: %2").arg(path, text_of(e.what())));
        return false;
    }
}

void DrillView::ask_for_file() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Sessions the coach saved"), {},
                                      QStringLiteral("Sessions (*.json *.csv);;All (*)"));
    for (const QString& path : paths) {
        add_session_file(path);
    }
}

void DrillView::ask_save() {
    if (!run_ || run_->fresh_deals()) {
        status_->setText(
            QStringLiteral("Only a drill of mistakes or of the hardest deals has "
                           "progress to save."));
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save the drill's progress"), QStringLiteral("quillon-drill.json"),
        QStringLiteral("Drills (*.json)"));
    if (!path.isEmpty() && !save_progress(path)) {
        QMessageBox::warning(this, QStringLiteral("Drill"),
                             QStringLiteral("Could not write %1.").arg(path));
    }
}

void DrillView::ask_load() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("A drill's progress"), {}, QStringLiteral("Drills (*.json);;All (*)"));
    if (!path.isEmpty()) {
        load_progress(path);
    }
}

}  // namespace quillon::trainer
