#include "trainer/trainer_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "coach/coach_panel.h"
#include "odds/games/game_file.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "trainer/card_view.h"
#include "trainer/coins.h"
#include "trainer/drill_view.h"
#include "trainer/hand_analyzer.h"
#include "trainer/hand_row.h"
#include "trainer/meter_field.h"
#include "trainer/return_view.h"

namespace quillon::trainer {

TrainerWindow::TrainerWindow(GameChoice choice, int coins, ui::Artwork& artwork, std::uint64_t seed,
                             std::function<coach::CoachChart(const odds::Tallies&)> chart_maker)
    : artwork_(artwork),
      choice_(std::move(choice)),
      table_(game_at(coins), coins, seed),
      game_box_(new QComboBox(this)),
      coins_box_(new QSpinBox(this)),
      credit_(new QLabel(this)),
      meter_(new MeterField(this)),
      pay_table_(new QTableWidget(0, 2, this)),
      deal_(new QPushButton(QStringLiteral("DEAL"), this)),
      result_(new QLabel(this)),
      pages_(new QTabWidget(this)),
      coach_(new coach::CoachPanel([c = choice_](int n) { return c.load(n); }, coins, this,
                                   chart_maker ? std::move(chart_maker) : coach::build_chart,
                                   false)),
      analyzer_(new HandAnalyzer(this)),
      return_view_(new ReturnView(this)),
      drill_(new DrillView(artwork_, *coach_, this)) {
    setObjectName(QStringLiteral("trainer"));
    setWindowTitle(QStringLiteral("Quillon trainer"));
    game_box_->setObjectName(QStringLiteral("game"));
    for (const std::string_view name : odds::game_names()) {
        game_box_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    game_box_->addItem(QStringLiteral("Pay-table file…"));
    coins_box_->setObjectName(QStringLiteral("coins"));
    coins_box_->setRange(1, kMaxCoins);
    coins_box_->setValue(coins);
    coins_box_->setSuffix(QStringLiteral(" coins"));
    credit_->setObjectName(QStringLiteral("credit"));
    pay_table_->setObjectName(QStringLiteral("payTable"));
    pay_table_->verticalHeader()->hide();
    pay_table_->verticalHeader()->setDefaultSectionSize(pay_table_->fontMetrics().height() + 4);
    pay_table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pay_table_->setSelectionMode(QAbstractItemView::NoSelection);
    pay_table_->setFocusPolicy(Qt::NoFocus);
    pay_table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    deal_->setObjectName(QStringLiteral("dealDraw"));
    deal_->setMinimumHeight(40);
    result_->setObjectName(QStringLiteral("result"));
    QFont big = result_->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    big.setBold(true);
    result_->setFont(big);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Game:"), this));
    top->addWidget(game_box_, 1);
    top->addWidget(new QLabel(QStringLiteral("Bet:"), this));
    top->addWidget(coins_box_);
    top->addSpacing(16);
    top->addWidget(credit_);
    const HandRow row = make_hand_row(artwork_, this, {}, [this](int slot) { toggle_hold(slot); });
    cards_ = row.cards;
    holds_ = row.holds;
    QGridLayout* hand = row.layout;
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(meter_);
    left->addWidget(pay_table_);
    left->addLayout(hand, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(result_, 1);
    bottom->addWidget(deal_);
    left->addLayout(bottom);
    pages_->setObjectName(QStringLiteral("trainerPages"));
    pages_->addTab(coach_, QStringLiteral("Coach"));
    pages_->addTab(analyzer_, QStringLiteral("Analyzer"));
    pages_->addTab(return_view_, QStringLiteral("Return"));
    pages_->addTab(drill_, QStringLiteral("Drill"));
    coach_->offer_drill(true);
    connect(coach_, &coach::CoachPanel::drillRequested, this, [this] {
        show_page(drill_page);
        drill_->start(DrillView::Source::mistakes);
    });
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 5);
    layout->addWidget(pages_, 6);
    resize(1180, 720);

    connect(deal_, &QPushButton::clicked, this, &TrainerWindow::deal_or_draw);
    connect(game_box_, &QComboBox::activated, this, &TrainerWindow::game_picked);
    connect(coins_box_, &QSpinBox::valueChanged, this, [this](int n) {
        if (!choose_game(choice_, n)) {
            coins_box_->setValue(table_.coins());
        }
    });
    connect(meter_, &MeterField::meterChanged, this, &TrainerWindow::meter_set);
    // The break-even waits for the coach's chart, not to slow the table's start.
    connect(coach_, &coach::CoachPanel::chartReady, meter_, &MeterField::start_break_even);
    connect(coach_, &coach::CoachPanel::chartFailed, meter_, &MeterField::start_break_even);
    const odds::Game game = game_at(coins);
    meter_->set_game(choice_.today(coins), choice_.file.isEmpty() ? choice_.builtin : QString(),
                     choice_.pays);
    analyzer_->set_game(game);
    return_view_->set_game(game);
    drill_->set_game(game, coins);
    refresh();
}

TrainerWindow::~TrainerWindow() = default;

bool TrainerWindow::choose_game(const GameChoice& choice, int coins) {
    if (table_.holding()) {
        return false;
    }
    try {
        // A file is read here, once: every bet and the coach are paid from that reading.
        const GameChoice kept =
            choice.file.isEmpty() || choice.text ? choice : file_choice(choice.file);
        odds::Game game = kept.load(coins);
        choice_ = kept;
        analyzer_->set_game(game);
        return_view_->set_game(game);
        table_.set_game(std::move(game), coins);
        coach_->set_game([c = choice_](int n) { return c.load(n); }, coins);
        drill_->set_game(table_.game(), coins);
    } catch (const std::exception& e) {
        QMessageBox::warning(this, QStringLiteral("Quillon trainer"),
                             QStringLiteral("Cannot use %1: %2").arg(choice.title(), e.what()));
        return false;
    }
    if (const QSignalBlocker block(coins_box_); coins_box_->value() != coins) {
        coins_box_->setValue(coins);
    }
    meter_->set_game(choice_.today(coins), choice_.file.isEmpty() ? choice_.builtin : QString(),
                     choice_.pays);
    refresh();
    return true;
}

void TrainerWindow::meter_set() {
    GameChoice metered = choice_;
    metered.pays = meter_->pays();
    if (!choose_game(metered, table_.coins())) {
        meter_->set_game(choice_.today(table_.coins()),
                         choice_.file.isEmpty() ? choice_.builtin : QString(), choice_.pays);
    }
}

void TrainerWindow::game_picked(int index) {
    GameChoice choice;
    if (index == game_box_->count() - 1) {
        const QString file =
            QFileDialog::getOpenFileName(this, QStringLiteral("A pay-table file"), {},
                                         QStringLiteral("Pay tables (*.game);;All (*)"));
        if (file.isEmpty()) {
            refresh();
            return;
        }
        try {
            choice = file_choice(file);
        } catch (const std::exception& e) {
            QMessageBox::warning(this, QStringLiteral("Quillon trainer"),
                                 QStringLiteral("Cannot use %1: %2").arg(file, e.what()));
            refresh();
            return;
        }
    } else {
        choice.builtin = game_box_->itemText(index);
    }
    choose_game(choice, table_.coins());
}

void TrainerWindow::deal_or_draw() {
    if (!table_.holding()) {
        table_.deal();
        coach_->dealt(table_.cards(), table_.coins(), 0, table_.credit() + table_.coins());
    } else {
        const coach::HoldMask hold = coach::mask_of(table_.held());
        if (!coach_->may_draw(hold)) {
            return;
        }
        table_.draw();
        coach_->drawn(table_.cards(), table_.last_paid());
    }
    refresh();
}

void TrainerWindow::toggle_hold(int slot) {
    if (!table_.holding()) {
        return;
    }
    table_.toggle_hold(slot);
    coach_->hold_changed(coach::mask_of(table_.held()));
    refresh();
}

void TrainerWindow::show_page(int page) {
    pages_->setCurrentIndex(page);
}

void TrainerWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!std::exchange(painted_, true)) {
        // The coach's tallies and chart once the first frame is on the screen: the window
        // opens without waiting for them, and their threads do not slow its first paint.
        QMetaObject::invokeMethod(coach_, &coach::CoachPanel::start, Qt::QueuedConnection);
    }
}

void TrainerWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (pages_->currentWidget() == drill_ && drill_->take_key(key)) {
        return;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        toggle_hold(key - Qt::Key_1);
    } else if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        deal_or_draw();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TrainerWindow::fill_pay_table() {
    const odds::Game& game = table_.game();
    pay_table_->setHorizontalHeaderLabels(
        {QStringLiteral("Hand"),
         QStringLiteral("Pays for %1 %2")
             .arg(table_.coins())
             .arg(table_.coins() == 1 ? QStringLiteral("coin") : QStringLiteral("coins"))});
    int rows = 0;
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        rows += game.pay(r) > 0 ? 1 : 0;
    }
    pay_table_->setRowCount(rows);
    // The whole table and no more: the cards take the room left.
    pay_table_->setFixedHeight(pay_table_->horizontalHeader()->sizeHint().height() +
                               rows * pay_table_->verticalHeader()->defaultSectionSize() + 4);
    int at = 0;
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        if (game.pay(r) == 0) {
            continue;
        }
        auto* name = new QTableWidgetItem(QString::fromStdString(game.rows()[r].label));
        auto* pays = new QTableWidgetItem(coins_text(table_.pays(r)));
        pays->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const bool hit =
            !table_.holding() && table_.dealt_once() && table_.last_hand() == game.rows()[r].label;
        for (QTableWidgetItem* item : {name, pays}) {
            if (hit) {
                item->setBackground(QColor(0xff, 0xe0, 0x80));
            }
        }
        pay_table_->setItem(at, 0, name);
        pay_table_->setItem(at, 1, pays);
        ++at;
    }
}

void TrainerWindow::refresh() {
    const odds::Game& game = table_.game();
    const int index = choice_.file.isEmpty() ? game_box_->findText(choice_.builtin) : -1;
    if (index >= 0) {
        game_box_->setCurrentIndex(index);
    } else {
        game_box_->setItemText(game_box_->count() - 1, choice_.title());
        game_box_->setCurrentIndex(game_box_->count() - 1);
    }
    game_box_->setEnabled(!table_.holding());
    coins_box_->setEnabled(!table_.holding());
    meter_->setEnabled(!table_.holding());
    credit_->setText(QStringLiteral("Credit: %1").arg(coins_text(table_.credit())));
    fill_pay_table();
    for (int slot = 0; slot < 5; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const bool shown = table_.dealt_once();
        const CardId card = table_.cards()[i];
        cards_[i]->show_card(shown ? std::optional(card) : std::nullopt,
                             shown && odds::is_wild(card, game), table_.held()[i]);
        cards_[i]->setEnabled(table_.holding());
        holds_[i]->setEnabled(table_.holding());
        holds_[i]->setChecked(table_.held()[i]);
    }
    deal_->setText(table_.holding() ? QStringLiteral("DRAW") : QStringLiteral("DEAL"));
    if (table_.holding()) {
        result_->setText(QStringLiteral("Hold the cards to keep, then DRAW."));
    } else if (table_.dealt_once()) {
        result_->setText(table_.last_paid() > 0
                             ? QStringLiteral("%1: you win %2 coins.")
                                   .arg(QString::fromStdString(table_.last_hand()))
                                   .arg(coins_text(table_.last_paid()))
                             : QStringLiteral("No win."));
    } else {
        result_->setText(
            QStringLiteral("%1: DEAL to play.").arg(QString::fromStdString(game.name())));
    }
}

}  // namespace quillon::trainer
