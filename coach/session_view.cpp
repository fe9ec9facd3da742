#include "coach/session_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "coach/hand_view.h"
#include "coach/session_plot.h"

namespace quillon::coach {

QString signed_coins(double coins) {
    return (coins >= 0 ? QStringLiteral("+") : QString()) + coins_text(coins);
}

SessionView::SessionView(QWidget* parent)
    : QWidget(parent),
      figures_(new QLabel(this)),
      plot_(new SessionPlot(this)),
      mistakes_(new QTableWidget(0, 5, this)),
      save_(new QPushButton(QStringLiteral("Save…"), this)),
      drill_(new QPushButton(QStringLiteral("Drill these"), this)) {
    figures_->setObjectName(QStringLiteral("sessionFigures"));
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mistakes_->setObjectName(QStringLiteral("mistakes"));
    mistakes_->setHorizontalHeaderLabels({"Hand", "Deal", "Your hold", "Best hold", "Cost"});
    mistakes_->verticalHeader()->hide();
    mistakes_->verticalHeader()->setDefaultSectionSize(mistakes_->fontMetrics().height() + 6);
    mistakes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mistakes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    mistakes_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The cards share the width left by the hand's number and the cost, wrapping where they
    // must: no column hides behind a scroll bar.
    mistakes_->setWordWrap(true);
    mistakes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mistakes_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QHeaderView* columns = mistakes_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Stretch);
    columns->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(4, QHeaderView::ResizeToContents);
    save_->setObjectName(QStringLiteral("save"));
    drill_->setObjectName(QStringLiteral("drillThese"));
    drill_->setToolTip(QStringLiteral("Deal these mistakes again until each is held right"));
    drill_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(figures_);
    layout->addWidget(plot_, 3);
    layout->addWidget(new QLabel(QStringLiteral("Mistakes (click one to see its holds again):")));
    layout->addWidget(mistakes_, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(drill_);
    buttons->addWidget(save_);
    layout->addLayout(buttons);
    connect(save_, &QPushButton::clicked, this, &SessionView::saveRequested);
    connect(drill_, &QPushButton::clicked, this, &SessionView::drillRequested);
    connect(mistakes_, &QTableWidget::cellClicked, this, [this](int row, int) {
        const QTableWidgetItem* item = mistakes_->item(row, 0);
        if (item != nullptr) {
            emit mistakeChosen(item->data(Qt::UserRole).toInt());
        }
    });
    show_session(Session());
}

void SessionView::offer_drill(bool on) {
    drill_->setVisible(on);
}

void SessionView::show_session(const Session& session) {
    const SessionTotals& t = session.totals();
    figures_->setText(
        QStringLiteral("<table>"
                       "<tr><td>Hands played</td><td align=right>%1</td></tr>"
                       "<tr><td>Best holds</td><td align=right>%2</td></tr>"
                       "<tr><td>Mistakes</td><td align=right>%3</td></tr>"
                       "<tr><td>Coins given away</td><td align=right>%4</td></tr>"
                       "<tr><td>Accuracy</td><td align=right>%5 %</td></tr>"
                       "<tr><td>Expected result (your holds)</td><td align=right>%6</td></tr>"
                       "<tr><td>Expected result (perfect play)</td><td align=right>%7</td></tr>"
                       "<tr><td>Actual result</td><td align=right>%8</td></tr>"
                       "<tr><td>Luck</td><td align=right>%9 SD</td></tr>"
                       "</table>")
            .arg(t.hands)
            .arg(t.best_holds)
            .arg(t.mistakes)
            .arg(coins_text(t.cost))
            .arg(QString::number(t.accuracy(), 'f', 2))
            .arg(signed_coins(t.expected_net()))
            .arg(signed_coins(t.perfect_net()))
            .arg(signed_coins(t.actual_net()))
            .arg((t.luck() >= 0 ? QStringLiteral("+") : QString()) +
                 QString::number(t.luck(), 'f', 2)));
    plot_->set_points(session.credit_line());
    drill_->setEnabled(t.mistakes > 0);
    mistakes_->setRowCount(0);
    const auto& hands = session.hands();
    for (std::size_t i = hands.size(); i-- > 0;) {
        const HandRecord& h = hands[i];
        if (h.best_hold()) {
            continue;
        }
        const int row = mistakes_->rowCount();
        mistakes_->insertRow(row);
        auto* number = new QTableWidgetItem(QString::number(h.number));
        number->setData(Qt::UserRole, static_cast<int>(i));
        mistakes_->setItem(row, 0, number);
        mistakes_->setItem(row, 1,
                           new QTableWidgetItem(QString::fromStdString(hold_names(h.deal, 0x1f))));
        mistakes_->setItem(
            row, 2, new QTableWidgetItem(QString::fromStdString(hold_names(h.deal, h.hold))));
        mistakes_->setItem(
            row, 3, new QTableWidgetItem(QString::fromStdString(hold_names(h.deal, h.best))));
        mistakes_->setItem(row, 4, new QTableWidgetItem(coins_text(h.cost)));
    }
}

}  // namespace quillon::coach
