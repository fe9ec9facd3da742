#include "trainer/return_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "odds/play/tallies.h"
#include "odds/report/figures.h"

namespace quillon::trainer {

ReturnView::ReturnView(QWidget* parent)
    : QWidget(parent), title_(new QLabel(this)), table_(new QTableWidget(0, 4, this)) {
    title_->setObjectName(QStringLiteral("returnTitle"));
    title_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("returnTable"));
    table_->setHorizontalHeaderLabels(
        {"Final hand", "Pays per coin", "Probability", "Return per coin"});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
}

ReturnView::~ReturnView() {
    workers_.call_off();
}

void ReturnView::set_game(const odds::Game& game) {
    ++generation_;
    ready_ = false;
    title_->setText(QStringLiteral("Counting the return of %1 under perfect play…")
                        .arg(QString::fromStdString(game.name())));
    table_->setRowCount(0);
    pending_ = std::make_shared<const odds::Game>(game);
    if (isVisible()) {
        start_count();
    }
}

void ReturnView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    start_count();
}

void ReturnView::start_count() {
    if (!pending_) {
        return;
    }
    const unsigned generation = generation_;
    auto shared = std::move(pending_);
    pending_.reset();
    workers_.start(
        this,
        [shared] {
            const odds::Tallies tallies(*shared);
            return odds::game_return(tallies, 1);
        },
        [this, generation, shared](std::shared_ptr<const odds::GameReturn> result,
                                   const QString& failure) {
            show_return(generation, *shared, std::move(result), failure);
        });
}

void ReturnView::show_return(unsigned generation, const odds::Game& game,
                             std::shared_ptr<const odds::GameReturn> result,
                             const QString& failure) {
    if (generation != generation_) {
        return;
    }
    if (!result) {
        title_->setText(QStringLiteral("No return for this table: %1.").arg(failure));
        return;
    }
    const auto scale = static_cast<double>(result->pay_scale);
    table_->setRowCount(static_cast<int>(game.row_count()));
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        const double share = static_cast<double>(result->counts[r]) *
                             static_cast<double>(result->pays[r]) /
                             (static_cast<double>(result->total) * scale);
        const QStringList cells = {
            QString::fromStdString(game.rows()[r].label),
            QString::fromStdString(odds::pay_text(result->pays[r], result->pay_scale)),
            QString::fromStdString(odds::fixed(result->probability(r), 8)),
            QString::fromStdString(odds::fixed(share, 6))};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            table_->setItem(static_cast<int>(r), c, item);
        }
    }
    title_->setText(
        QStringLiteral("%1 under perfect play: return %2 %, hit frequency %3 %, "
                       "standard deviation %4 coins per coin bet.")
            .arg(QString::fromStdString(game.name()))
            .arg(QString::fromStdString(odds::fixed(100.0 * result->return_rate(), 4)))
            .arg(QString::fromStdString(odds::fixed(100.0 * result->hit_frequency(), 4)))
            .arg(QString::fromStdString(odds::fixed(result->standard_deviation(), 4))));
    ready_ = true;
    emit returnReady();
}

}  // namespace quillon::trainer
