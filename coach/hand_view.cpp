#include "coach/hand_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillon::coach {

namespace {

QTableWidget* make_table(QWidget* parent, const QStringList& headers, const char* name) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

QTableWidgetItem* cell(const QString& text, bool bold, Qt::Alignment align = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    return item;
}

QLabel* make_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

QString coins_text(double coins) {
    return QString::number(coins, 'f', 4);
}

HandView::HandView(QWidget* parent)
    : QWidget(parent),
      title_(make_label(this, "dealTitle")),
      holds_(make_table(this, {"", "Hold", "Coins", "Per coin"}, "holds")),
      chances_title_(make_label(this, "chancesTitle")),
      chances_(make_table(this, {"Final hand", "Chance"}, "chances")),
      chart_line_(make_label(this, "chartLine")),
      verdict_(make_label(this, "verdict")),
      double_up_(make_label(this, "doubleUp")) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(holds_, 6);
    layout->addWidget(chances_title_);
    layout->addWidget(chances_, 9);
    layout->addWidget(chart_line_);
    layout->addWidget(verdict_);
    layout->addWidget(double_up_);
    holds_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    holds_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    holds_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    chances_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    QFont big = verdict_->font();
    big.setBold(true);
    verdict_->setFont(big);
    clear_deal();
}

void HandView::show_deal(const QString& title, const DealAdvice& advice, HoldMask marked,
                         const std::vector<std::string>& rows, const std::vector<bool>& paying) {
    title_->setText(title);
    // The best holds, then the player's own where it is not among them.
    std::vector<const odds::HoldOutcome*> listed;
    for (const odds::HoldOutcome& h : advice.ranked()) {
        if (static_cast<int>(listed.size()) == kListed) {
            break;
        }
        listed.push_back(&h);
    }
    bool marked_listed = false;
    for (const odds::HoldOutcome* h : listed) {
        marked_listed = marked_listed || h->mask == marked;
    }
    if (!marked_listed) {
        listed.push_back(&advice.hold(marked));
    }
    holds_->setRowCount(static_cast<int>(listed.size()));
    for (int r = 0; r < holds_->rowCount(); ++r) {
        const odds::HoldOutcome& h = *listed[static_cast<std::size_t>(r)];
        const bool mine = h.mask == marked;
        const QString place =
            (mine ? QStringLiteral("▶ ") : QString()) + QString::number(advice.place_of(h.mask));
        holds_->setItem(r, 0, cell(place, mine));
        holds_->setItem(r, 1,
                        cell(QString::fromStdString(hold_names(advice.deal(), h.mask)), mine));
        holds_->setItem(r, 2, cell(coins_text(advice.value(h.mask)), mine, Qt::AlignRight));
        holds_->setItem(r, 3,
                        cell(QString::number(h.expected_return(), 'f', 6), mine, Qt::AlignRight));
    }
    chances_title_->setText(QStringLiteral("Chances for your hold (%1):")
                                .arg(QString::fromStdString(hold_names(advice.deal(), marked))));
    const std::vector<double> chances = advice.chances(marked);
    chances_->setRowCount(0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (!paying[r]) {
            continue;
        }
        const int at = chances_->rowCount();
        chances_->insertRow(at);
        chances_->setItem(at, 0, cell(QString::fromStdString(rows[r]), false));
        chances_->setItem(at, 1,
                          cell(QString::number(100.0 * chances[r], 'f', 4) + QStringLiteral(" %"),
                               false, Qt::AlignRight));
    }
}

void HandView::show_chart_line(const QString& text) {
    chart_line_->setText(text);
}

void HandView::show_verdict(const QString& text) {
    verdict_->setText(text);
}

void HandView::show_double_up(const QString& text) {
    double_up_->setText(text);
    double_up_->setVisible(!text.isEmpty());
}

void HandView::clear_deal() {
    title_->setText(QStringLiteral("Waiting for a deal."));
    holds_->setRowCount(0);
    chances_title_->clear();
    chances_->setRowCount(0);
    chart_line_->clear();
    verdict_->clear();
    show_double_up({});
}

}  // namespace quillon::coach
