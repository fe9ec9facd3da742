#include "trainer/ultimate_x_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "coach/deal_advice.h"
#include "coach/ultimate_x_coach.h"
#include "odds/known/known_ultimate_x.h"
#include "odds/play/tallies.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "trainer/card_view.h"
#include "trainer/coins.h"
#include "trainer/hand_row.h"

namespace quillon::trainer {

namespace {

// The game box's last entry, which asks for a file.
const QString kPayTableFile = QStringLiteral("Pay-table file…");

// The solved game for the coach: worked out ahead for the built-in games and for files of the
// same pays and multipliers, solved otherwise.
coach::UltimateXCoach::Solver solver_for(const GameChoice& choice, const odds::Game& game,
                                         int lines) {
    return [name = choice.file.isEmpty() ? choice.builtin.toStdString() : std::string(), game,
            lines]() -> odds::UltimateXSolution {
        if (auto known = odds::known_ultimate_x(name, game, lines)) {
            return *std::move(known);
        }
        return odds::solve_ultimate_x(odds::Tallies(game), *game.multipliers_for(lines));
    };
}

}  // namespace

std::vector<QString> ultimate_x_game_names() {
    std::vector<QString> names;
    for (const std::string_view name : odds::game_names()) {
        if (const auto game = odds::find_game(name); game && !game->multiplier_tables().empty()) {
            names.push_back(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
    }
    return names;
}

UltimateXWindow::UltimateXWindow(GameChoice choice, int lines, int coins, ui::Artwork& artwork,
                                 std::uint64_t seed)
    : artwork_(artwork),
      choice_(std::move(choice)),
      table_(choice_.load(coins), lines, coins, seed),
      game_box_(new QComboBox(this)),
      lines_box_(new QComboBox(this)),
      coins_box_(new QSpinBox(this)),
      credit_(new QLabel(this)),
      bet_(new QLabel(this)),
      lines_area_(new QWidget(this)),
      deal_(new QPushButton(QStringLiteral("DEAL"), this)),
      result_(new QLabel(this)),
      coach_(new coach::UltimateXCoach(this)) {
    setObjectName(QStringLiteral("ultimateXTrainer"));
    setWindowTitle(QStringLiteral("Quillon trainer: Ultimate X"));
    game_box_->setObjectName(QStringLiteral("game"));
    lines_box_->setObjectName(QStringLiteral("lines"));
    coins_box_->setObjectName(QStringLiteral("coins"));
    coins_box_->setRange(1, kMaxCoins);
    coins_box_->setValue(coins);
    coins_box_->setSuffix(QStringLiteral(" coins"));
    credit_->setObjectName(QStringLiteral("credit"));
    bet_->setObjectName(QStringLiteral("bet"));
    deal_->setObjectName(QStringLiteral("dealDraw"));
    deal_->setMinimumHeight(40);
    result_->setObjectName(QStringLiteral("result"));
    QFont big = result_->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    result_->setFont(big);
    credit_->setFont(big);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Game:"), this));
    top->addWidget(game_box_, 1);
    top->addWidget(new QLabel(QStringLiteral("Lines:"), this));
    top->addWidget(lines_box_);
    top->addWidget(new QLabel(QStringLiteral("Coins a line:"), this));
    top->addWidget(coins_box_);
    auto* meter = new QHBoxLayout;
    meter->addWidget(credit_);
    meter->addStretch();
    meter->addWidget(bet_);
    const HandRow row = make_hand_row(artwork_, this, {}, [this](int slot) { toggle_hold(slot); });
    cards_ = row.cards;
    holds_ = row.holds;
    QGridLayout* hand = row.layout;
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(result_, 1);
    bottom->addWidget(deal_);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addLayout(meter);
    left->addWidget(lines_area_);
    left->addLayout(hand, 1);
    left->addLayout(bottom);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 5);
    layout->addWidget(coach_, 6);
    resize(1320, 740);

    for (const QString& name : ultimate_x_game_names()) {
        game_box_->addItem(name);
    }
    connect(deal_, &QPushButton::clicked, this, &UltimateXWindow::deal_or_draw);
    builtins_ = game_box_->count();
    game_box_->addItem(kPayTableFile);
    connect(game_box_, &QComboBox::activated, this, [this](int index) {
        if (index == game_box_->count() - 1) {
            const QString file =
                QFileDialog::getOpenFileName(this, QStringLiteral("A pay-table file"), {},
                                             QStringLiteral("Pay tables (*.game);;All (*)"));
            if (file.isEmpty() || !choose_file(file)) {
                refresh();
            }
            return;
        }
        if (index >= builtins_) {
            return;  // the file played now
        }
        const GameChoice picked{game_box_->itemText(index), {}};
        choose_game(picked, lines_for(picked.load(table_.coins())), table_.coins());
    });
    connect(lines_box_, &QComboBox::activated, this, [this](int index) {
        choose_game(choice_, lines_box_->itemData(index).toInt(), table_.coins());
    });
    connect(coins_box_, &QSpinBox::valueChanged, this, [this](int n) {
        if (!choose_game(choice_, table_.lines(), n)) {
            coins_box_->setValue(table_.coins());
        }
    });
    // The keys play the table: the game and line boxes give the focus back once chosen from.
    for (QComboBox* box : {game_box_, lines_box_}) {
        box->setFocusPolicy(Qt::ClickFocus);
        connect(box, &QComboBox::activated, deal_, [this] { deal_->setFocus(); });
    }
    deal_->setFocus();
    build_lines();
    start_coach();
    refresh();
}

UltimateXWindow::~UltimateXWindow() = default;

QLabel* UltimateXWindow::multiplier_label(int line) const {
    return rows_[static_cast<std::size_t>(line)].multiplier;
}

CardView* UltimateXWindow::line_card(int line, int slot) const {
    return rows_[static_cast<std::size_t>(line)].cards[static_cast<std::size_t>(slot)];
}

int UltimateXWindow::lines_for(const odds::Game& game) const {
    const bool has = game.multipliers_for(table_.lines()) != nullptr;
    return has || game.multiplier_tables().empty() ? table_.lines()
                                                   : game.multiplier_tables().back().lines;
}

bool UltimateXWindow::choose_file(const QString& path) {
    GameChoice picked;
    try {
        picked = file_choice(path);
        return choose_game(picked, lines_for(picked.load(table_.coins())), table_.coins());
    } catch (const std::exception& e) {
        QMessageBox::warning(this, QStringLiteral("Quillon trainer"),
                             QStringLiteral("Cannot use %1: %2").arg(path, e.what()));
        return false;
    }
}

bool UltimateXWindow::choose_game(const GameChoice& choice, int lines, int coins) {
    if (table_.holding()) {
        return false;
    }
    try {
        odds::Game game = choice.load(coins);
        if (game.multipliers_for(lines) == nullptr) {
            throw std::invalid_argument(game.name() + " is not played on " + std::to_string(lines) +
                                        " Ultimate X lines");
        }
        choice_ = choice;
        table_.set_game(std::move(game), lines, coins);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, QStringLiteral("Quillon trainer"),
                             QStringLiteral("Cannot use %1: %2").arg(choice.title(), e.what()));
        refresh();
        return false;
    }
    if (const QSignalBlocker block(coins_box_); coins_box_->value() != coins) {
        coins_box_->setValue(coins);
    }
    build_lines();
    start_coach();
    refresh();
    return true;
}

void UltimateXWindow::start_coach() {
    const odds::Game& game = table_.game();
    coach_->set_game(game, table_.lines(), table_.coins(), QString::fromStdString(game.name()),
                     solver_for(choice_, game, table_.lines()));
}

void UltimateXWindow::build_lines() {
    delete lines_area_->layout();
    for (LineRow& row : rows_) {
        delete row.multiplier;
        for (CardView* c : row.cards) {
            delete c;
        }
        delete row.result;
    }
    rows_.clear();
    // Ten lines share the screen with the deal: their cards are small. A line's cards are never
    // held, so the room a card keeps above it for the HELD tag is cut to a sliver.
    const int high = table_.lines() > 5 ? 28 : (table_.lines() > 3 ? 56 : 80);
    QFont sliver = font();
    sliver.setPixelSize(1);
    auto* grid = new QGridLayout(lines_area_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    QFont bold = font();
    bold.setBold(true);
    // The top line first, as the machines stack them over the deal.
    for (int l = table_.lines() - 1; l >= 0; --l) {
        LineRow row{};
        row.multiplier = new QLabel(lines_area_);
        row.multiplier->setObjectName(QStringLiteral("multiplier%1").arg(l));
        row.multiplier->setFont(bold);
        row.multiplier->setMinimumWidth(44);
        row.multiplier->setAlignment(Qt::AlignCenter);
        const int at = table_.lines() - 1 - l;
        grid->addWidget(row.multiplier, at, 0);
        for (int slot = 0; slot < 5; ++slot) {
            auto* c = new CardView(artwork_, lines_area_);
            c->setObjectName(QStringLiteral("line%1card%2").arg(l).arg(slot));
            c->setMinimumSize(0, 0);
            c->setFont(sliver);
            c->setFixedSize(high * 71 / 96, high + c->fontMetrics().height() + 6);
            c->setEnabled(false);
            grid->addWidget(c, at, 1 + slot);
            row.cards[static_cast<std::size_t>(slot)] = c;
        }
        row.result = new QLabel(lines_area_);
        row.result->setObjectName(QStringLiteral("lineResult%1").arg(l));
        grid->addWidget(row.result, at, 6);
        rows_.push_back(row);
    }
    std::reverse(rows_.begin(), rows_.end());
    grid->setColumnStretch(6, 1);
}

void UltimateXWindow::fill_boxes() {
    const QSignalBlocker block_games(game_box_);
    const QSignalBlocker block_lines(lines_box_);
    // The built-in games, the file played if one is, and the entry that asks for a file.
    while (game_box_->count() > builtins_ + 1) {
        game_box_->removeItem(builtins_);
    }
    const int index = choice_.file.isEmpty() ? game_box_->findText(choice_.builtin) : -1;
    if (index >= 0 && index < builtins_) {
        game_box_->setCurrentIndex(index);
    } else {
        game_box_->insertItem(builtins_, choice_.title());
        game_box_->setCurrentIndex(builtins_);
    }
    lines_box_->clear();
    for (const odds::MultiplierTable& t : table_.game().multiplier_tables()) {
        lines_box_->addItem(QString::number(t.lines), t.lines);
        if (t.lines == table_.lines()) {
            lines_box_->setCurrentIndex(lines_box_->count() - 1);
        }
    }
}

void UltimateXWindow::deal_or_draw() {
    if (!table_.holding()) {
        table_.deal();
        coach_->dealt(table_.cards(), table_.multiplier_total());
    } else {
        if (!coach_->may_draw(coach::mask_of(table_.held()))) {
            return;
        }
        table_.draw();
        coach_->drawn();
    }
    refresh();
}

void UltimateXWindow::toggle_hold(int slot) {
    if (!table_.holding()) {
        return;
    }
    table_.toggle_hold(slot);
    coach_->hold_changed(coach::mask_of(table_.held()));
    refresh();
}

void UltimateXWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        toggle_hold(key - Qt::Key_1);
    } else if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        deal_or_draw();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void UltimateXWindow::refresh() {
    const odds::Game& game = table_.game();
    fill_boxes();
    game_box_->setEnabled(!table_.holding());
    lines_box_->setEnabled(!table_.holding());
    coins_box_->setEnabled(!table_.holding());
    credit_->setText(QStringLiteral("Credit: %1").arg(coins_text(table_.credit())));
    bet_->setText(QStringLiteral("Bet: %1 lines × 2 × %2 = %3 coins")
                      .arg(table_.lines())
                      .arg(table_.coins())
                      .arg(table_.bet()));
    const bool shown = table_.dealt_once();
    for (int slot = 0; slot < 5; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const CardId card = table_.cards()[i];
        cards_[i]->show_card(shown ? std::optional(card) : std::nullopt,
                             shown && odds::is_wild(card, game), table_.held()[i]);
        cards_[i]->setEnabled(table_.holding());
        holds_[i]->setEnabled(table_.holding());
        holds_[i]->setChecked(table_.held()[i]);
    }
    const auto& last = table_.last_lines();
    for (std::size_t l = 0; l < rows_.size(); ++l) {
        LineRow& row = rows_[l];
        // The multiplier the line carries into the deal on the table, or the next one.
        row.multiplier->setText(QStringLiteral("%1X").arg(table_.line_multipliers()[l]));
        const bool drawn = !table_.holding() && l < last.size();
        for (std::size_t i = 0; i < 5; ++i) {
            std::optional<CardId> card;
            if (drawn) {
                card = last[l].hand[i];
            } else if (table_.holding() && table_.held()[i]) {
                card = table_.cards()[i];
            }
            row.cards[i]->show_card(card, card && odds::is_wild(*card, game), false);
        }
        if (drawn) {
            row.result->setText(last[l].paid > 0 ? QStringLiteral("%1 × %2X: %3 · earns %4X")
                                                       .arg(QString::fromStdString(last[l].row))
                                                       .arg(last[l].paid_at)
                                                       .arg(coins_text(last[l].paid))
                                                       .arg(last[l].earned)
                                                 : QStringLiteral("no win"));
        } else {
            row.result->clear();
        }
    }
    deal_->setText(table_.holding() ? QStringLiteral("DRAW") : QStringLiteral("DEAL"));
    if (table_.holding()) {
        result_->setText(QStringLiteral("%1X in all: hold the cards to keep, then DRAW.")
                             .arg(table_.multiplier_total()));
    } else if (table_.dealt_once()) {
        result_->setText(
            table_.last_paid() > 0
                ? QStringLiteral("You win %1 coins.").arg(coins_text(table_.last_paid()))
                : QStringLiteral("No win."));
    } else {
        result_->setText(QStringLiteral("%1, Ultimate X on %2 lines: DEAL to play.")
                             .arg(QString::fromStdString(game.name()))
                             .arg(table_.lines()));
    }
}

}  // namespace quillon::trainer
