#include "coach/table_coach.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "game/meter.h"
#include "odds/games/pay_table.h"

namespace quillon::coach {

odds::Game machine_game(int coins) {
    return odds::find_game("quillon", std::clamp(coins, 0, 10)).value();
}

TableCoach::TableCoach(const Machine& machine, ui::TableWindow& table)
    : QWidget(nullptr, Qt::Window),
      machine_(machine),
      table_(table),
      panel_(new CoachPanel(machine_game, 0, this)) {
    setObjectName(QStringLiteral("coach"));
    setWindowTitle(QStringLiteral("Quillon coach"));
    setWindowIcon(table.windowIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel_);
    resize(520, std::max(table.height(), 660));
    // The coach goes when the table does.
    table.installEventFilter(this);
}

bool TableCoach::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &table_ && event->type() == QEvent::Close && isVisible()) {
        close();
    }
    return false;
}

TableCoach::~TableCoach() {
    table_.set_observer(nullptr);
}

void TableCoach::open() {
    holding_ = false;
    table_.set_observer(this);
    after_event();
    place_beside_table();
    show();
}

void TableCoach::toggle() {
    if (isVisible()) {
        close();
    } else {
        open();
    }
}

void TableCoach::place_beside_table() {
    const QRect table = table_.frameGeometry();
    QPoint at(table.right() + 8, table.top());
    if (const QScreen* screen = table_.screen(); screen != nullptr) {
        const QRect room = screen->availableGeometry();
        if (at.x() + width() > room.right()) {
            at.setX(std::max(room.left(), room.right() - width()));
        }
    }
    move(at);
}

void TableCoach::closeEvent(QCloseEvent* event) {
    table_.set_observer(nullptr);
    event->accept();
}

void TableCoach::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::array<CardId, 5> TableCoach::cards_on_table() const {
    const MachineState& s = machine_.state();
    std::array<CardId, 5> cards{};
    for (std::size_t i = 0; i < 5; ++i) {
        cards[i] = CardId::of(s.hand_suit[i], s.hand_rank[i]);
    }
    return cards;
}

HoldMask TableCoach::held() const {
    std::array<bool, 5> flags{};
    for (std::size_t i = 0; i < 5; ++i) {
        flags[i] = machine_.state().hold_flags[i] != 0;
    }
    return mask_of(flags);
}

bool TableCoach::before_click(Button button) {
    const Controls& c = machine_.controls();
    clicked_ = button;
    // A DRAW the machine would take: the coach may hold it back.
    if (button == Button::draw && c.draw.visible && c.draw.enabled && holding_) {
        const bool go = panel_->may_draw(held());
        if (!go) {
            clicked_.reset();
        }
        return go;
    }
    return true;
}

void TableCoach::after_event() {
    const Controls& c = machine_.controls();
    const bool holding = c.draw.visible && c.draw.enabled;
    if (holding && !holding_) {
        const int coins = machine_.state().bet_coins;
        last_hold_ = held();
        panel_->dealt(cards_on_table(), coins, last_hold_,
                      static_cast<double>(meter_value(c.credit.caption) + coins));
    } else if (holding && held() != last_hold_) {
        last_hold_ = held();
        panel_->hold_changed(last_hold_);
    } else if (!holding && holding_) {
        if (clicked_ == Button::draw) {
            const bool won = machine_.state().hand_name != HandName::none;
            panel_->drawn(cards_on_table(),
                          won ? static_cast<double>(meter_value(c.win.caption)) : 0.0);
        } else {
            panel_->abandoned();
        }
    }
    holding_ = holding;
    clicked_.reset();
    panel_->show_double_up(c.double_.enabled ? std::optional(meter_value(c.win.caption))
                                             : std::nullopt);
}

}  // namespace quillon::coach
