#include "coach/ultimate_x_coach.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "coach/hand_view.h"

namespace quillon::coach {

namespace {

QLabel* make_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTableWidgetItem* cell(const QString& text, bool mine, bool departs,
                       Qt::Alignment align = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    if (mine) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    if (departs) {
        item->setBackground(QColor(0xff, 0xec, 0xb0));
    }
    return item;
}

QString percent(double x) {
    return QString::number(100.0 * x, 'f', 4) + QLatin1Char('%');
}

}  // namespace

UltimateXCoach::UltimateXCoach(QWidget* parent)
    : QWidget(parent),
      warn_(new QCheckBox(QStringLiteral("stop me before a mistake"), this)),
      threshold_(new QDoubleSpinBox(this)),
      status_(make_label(this, "solveStatus")),
      deal_title_(make_label(this, "dealTitle")),
      holds_(new QTableWidget(0, 7, this)),
      verdict_label_(make_label(this, "verdict")),
      session_label_(make_label(this, "session")) {
    setObjectName(QStringLiteral("ultimateXCoach"));
    warn_->setObjectName(QStringLiteral("stopMe"));
    threshold_->setObjectName(QStringLiteral("threshold"));
    threshold_->setDecimals(3);
    threshold_->setRange(0.0, 100.0);
    threshold_->setSingleStep(0.01);
    threshold_->setValue(kDefaultThreshold);
    threshold_->setSuffix(QStringLiteral(" coin per coin bet"));
    threshold_->setToolTip(QStringLiteral("Warn when a hold gives away more than this"));
    holds_->setObjectName(QStringLiteral("fullValueHolds"));
    holds_->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Hold"),
                                       QStringLiteral("Full value"), QStringLiteral("This hand"),
                                       QStringLiteral("Multipliers left"), QStringLiteral("Plain"),
                                       QStringLiteral("Plain #")});
    holds_->verticalHeader()->hide();
    holds_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    holds_->setSelectionMode(QAbstractItemView::NoSelection);
    holds_->setFocusPolicy(Qt::NoFocus);
    holds_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    holds_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    QFont bold = verdict_label_->font();
    bold.setBold(true);
    verdict_label_->setFont(bold);

    auto* warnings = new QHBoxLayout;
    warnings->addWidget(warn_);
    warnings->addWidget(new QLabel(QStringLiteral("above"), this));
    warnings->addWidget(threshold_);
    warnings->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(warnings);
    layout->addWidget(status_);
    layout->addWidget(deal_title_);
    layout->addWidget(holds_, 1);
    layout->addWidget(verdict_label_);
    auto* files = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Save session…"), this);
    save->setObjectName(QStringLiteral("saveSession"));
    auto* load = new QPushButton(QStringLiteral("Carry on a saved session…"), this);
    load->setObjectName(QStringLiteral("loadSession"));
    connect(save, &QPushButton::clicked, this, &UltimateXCoach::ask_where_to_save);
    connect(load, &QPushButton::clicked, this, &UltimateXCoach::ask_what_to_load);
    files->addStretch();
    files->addWidget(save);
    files->addWidget(load);
    layout->addWidget(session_label_);
    layout->addLayout(files);
    refresh();
}

UltimateXCoach::~UltimateXCoach() {
    // A solve still running holds nothing of this panel; it is called off here so that no pool
    // thread outlives the window.
    solver_.call_off();
}

void UltimateXCoach::set_game(odds::Game game, int lines, int coins, QString title, Solver solver) {
    session_ = {game.name(), lines, coins, {}};
    game_ = std::make_unique<odds::Game>(std::move(game));
    classifier_ = std::make_unique<odds::FastClassifier>(*game_);
    coins_ = coins;
    title_ = std::move(title);
    solution_.reset();
    deal_.reset();
    ranked_.clear();
    score_ = {};
    verdict_.clear();
    failure_.clear();
    // The solve of the game before, if it still runs, is called off.
    solver_.start(this, std::move(solver),
                  [this](std::shared_ptr<const odds::UltimateXSolution> solution,
                         const QString& failure) { solve_done(std::move(solution), failure); });
    refresh();
}

void UltimateXCoach::solve_done(std::shared_ptr<const odds::UltimateXSolution> solution,
                                const QString& failure) {
    if (!solution) {
        failure_ = failure;
        refresh();
        return;
    }
    solution_ = std::move(solution);
    rank();
    refresh();
    emit solvedGame();
}

void UltimateXCoach::dealt(const std::array<CardId, 5>& deal, int total) {
    deal_ = deal;
    total_ = total;
    hold_ = 0;
    scored_ = false;
    verdict_.clear();
    rank();
    refresh();
}

void UltimateXCoach::rank() {
    ranked_.clear();
    if (solution_ && deal_ && !scored_) {
        ranked_ = odds::rank_ultimate_x_holds(*solution_, *game_, *classifier_, *deal_, total_);
    }
}

void UltimateXCoach::hold_changed(HoldMask hold) {
    hold_ = hold;
    refresh();
}

bool UltimateXCoach::may_draw(HoldMask hold) {
    if (ranked_.empty() || !warn_->isChecked()) {
        return true;
    }
    const double cost = full_value_cost(ranked_, hold);
    const int bet = odds::kUltimateXBet * solution_->lines() * coins_;
    if (cost == 0.0 || coins_of(cost) / bet <= threshold_->value()) {
        return true;
    }
    const odds::UltimateXHold& best = ranked_.front();
    const QString details =
        QStringLiteral(
            "At %1X in all you hold %2, worth %3 coins with the multipliers it leaves. "
            "The best hold, %4, is worth %5: this one gives away %6 coins.")
            .arg(total_)
            .arg(QString::fromStdString(hold_names(*deal_, hold)))
            .arg(coins_text(coins_of(hold_in(ranked_, hold).full_value())))
            .arg(QString::fromStdString(hold_names(*deal_, best.mask)))
            .arg(coins_text(coins_of(best.full_value())))
            .arg(coins_text(coins_of(cost)));
    const QString question = QStringLiteral("Draw anyway?");
    if (question_) {
        return question_(question, details);
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Coach"), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("drawAnyway"));
    box.setInformativeText(details);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void UltimateXCoach::drawn() {
    if (!deal_ || scored_) {
        return;
    }
    scored_ = true;
    if (ranked_.empty()) {
        verdict_ =
            QStringLiteral("not scored: the multipliers' values were still being worked out");
        refresh();
        return;
    }
    const double cost = full_value_cost(ranked_, hold_);
    session_.hands.push_back({static_cast<int>(session_.hands.size()) + 1, *deal_, total_, hold_,
                              ranked_.front().mask, hold_in(ranked_, hold_).full_value(),
                              ranked_.front().full_value(), cost});
    if (score_.add(ranked_, hold_)) {
        verdict_ = QStringLiteral("you held %1, best by full value was %2, cost %3 coins")
                       .arg(QString::fromStdString(hold_names(*deal_, hold_)))
                       .arg(QString::fromStdString(hold_names(*deal_, ranked_.front().mask)))
                       .arg(coins_text(coins_of(cost)));
    } else {
        verdict_ = QStringLiteral("best hold by full value");
    }
    refresh();
}

bool UltimateXCoach::save(const QString& base) {
    return save_ultimate_x_session(session_, base.toStdString());
}

bool UltimateXCoach::load(const QString& path) {
    try {
        UltimateXSession saved = load_ultimate_x_session(path.toStdString());
        if (saved.game != session_.game || saved.lines != session_.lines ||
            saved.coins != session_.coins) {
            throw std::runtime_error("it was played at " + saved.game + " on " +
                                     std::to_string(saved.lines) + " lines at " +
                                     std::to_string(saved.coins) + " coins, not this game");
        }
        session_ = std::move(saved);
        score_ = session_.score();
        verdict_ = QStringLiteral("carrying on the session of %1 hands").arg(score_.hands);
    } catch (const std::exception& e) {
        verdict_ = QStringLiteral("Cannot carry on %1: %2").arg(path, QString::fromUtf8(e.what()));
        refresh();
        return false;
    }
    refresh();
    return true;
}

void UltimateXCoach::ask_where_to_save() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save the session"),
                                                QStringLiteral("quillon-ultimate-x"),
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

void UltimateXCoach::ask_what_to_load() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("A session the coach saved"), {},
                                     QStringLiteral("Sessions (*.json *.csv);;All (*)"));
    if (!path.isEmpty()) {
        load(path);
    }
}

void UltimateXCoach::set_warnings(bool on, double threshold) {
    warn_->setChecked(on);
    threshold_->setValue(threshold);
}

void UltimateXCoach::refresh() {
    if (!game_) {
        return;
    }
    if (!solution_ && !failure_.isEmpty()) {
        status_->setText(QStringLiteral("%1: no solution: %2.").arg(title_, failure_));
    } else if (!solution_) {
        status_->setText(
            QStringLiteral("%1: working out the value of the multipliers…").arg(title_));
    } else {
        status_->setText(QStringLiteral("%1, %2 lines, returns: perfect play %3 · plain "
                                        "strategy %4 · win + multiplier value %5")
                             .arg(title_)
                             .arg(solution_->lines())
                             .arg(percent(solution_->perfect_return))
                             .arg(percent(solution_->plain_return))
                             .arg(percent(solution_->thumb_return)));
    }
    if (!deal_) {
        deal_title_->setText(QStringLiteral("DEAL to see the holds by full value."));
    } else {
        QString cards;
        for (const CardId card : *deal_) {
            cards += QString::fromStdString(card_name(card)) + QLatin1Char(' ');
        }
        deal_title_->setText(
            QStringLiteral("Deal: %1· multipliers %2X in all · values in coins, holds that plain "
                           "play ranks otherwise shaded")
                .arg(cards)
                .arg(total_));
    }
    std::vector<int> listed;
    for (int r = 0; r < static_cast<int>(ranked_.size()); ++r) {
        if (r < kListed || ranked_[static_cast<std::size_t>(r)].mask == hold_) {
            listed.push_back(r);
        }
    }
    holds_->setRowCount(static_cast<int>(listed.size()));
    for (int i = 0; i < static_cast<int>(listed.size()); ++i) {
        const int r = listed[static_cast<std::size_t>(i)];
        const odds::UltimateXHold& h = ranked_[static_cast<std::size_t>(r)];
        const bool mine = h.mask == hold_;
        const bool departs = h.plain_rank != r;
        const auto right = Qt::AlignRight;
        holds_->setItem(i, 0,
                        cell((mine ? QStringLiteral("▶ ") : QString()) + QString::number(r + 1),
                             mine, departs));
        holds_->setItem(i, 1,
                        cell(QString::fromStdString(hold_names(*deal_, h.mask)), mine, departs));
        holds_->setItem(i, 2, cell(coins_text(coins_of(h.full_value())), mine, departs, right));
        holds_->setItem(i, 3, cell(coins_text(coins_of(h.win)), mine, departs, right));
        holds_->setItem(i, 4, cell(coins_text(coins_of(h.multiplier_value)), mine, departs, right));
        holds_->setItem(i, 5, cell(coins_text(coins_of(h.plain_value)), mine, departs, right));
        holds_->setItem(i, 6, cell(QString::number(h.plain_rank + 1), mine, departs, right));
    }
    verdict_label_->setText(verdict_);
    session_label_->setText(
        QStringLiteral("Session by full value: hands %1, mistakes %2, accuracy %3%, cost %4 coins")
            .arg(score_.hands)
            .arg(score_.mistakes)
            .arg(QString::number(score_.accuracy(), 'f', 2))
            .arg(coins_text(coins_of(score_.cost()))));
}

}  // namespace quillon::coach
