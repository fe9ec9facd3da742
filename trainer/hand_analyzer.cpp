#include "trainer/hand_analyzer.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "coach/deal_advice.h"
#include "odds/play/deal_analysis.h"
#include "odds/report/figures.h"
#include "odds/report/odds_report.h"

namespace quillon::trainer {

HandAnalyzer::HandAnalyzer(QWidget* parent)
    : QWidget(parent),
      input_(new QLineEdit(this)),
      message_(new QLabel(this)),
      holds_(new QTableWidget(this)) {
    input_->setObjectName(QStringLiteral("analyzerInput"));
    input_->setPlaceholderText(QStringLiteral("five cards, e.g. s1 s13 s12 d2 h10, or click them"));
    message_->setObjectName(QStringLiteral("analyzerMessage"));
    message_->setWordWrap(true);
    holds_->setObjectName(QStringLiteral("analyzerHolds"));
    holds_->verticalHeader()->hide();
    holds_->verticalHeader()->setDefaultSectionSize(holds_->fontMetrics().height() + 6);
    holds_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    holds_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (int code = 0; code < CardId::kCodes; ++code) {
        const CardId card = CardId::from_code(code);
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("pick_") + QString::fromStdString(card.text()));
        b->setText(card == CardId::second_joker() ? QStringLiteral("Joker 2")
                                                  : QString::fromStdString(coach::card_name(card)));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setMinimumWidth(38);
        if (card.suit() == Suit::diamond || card.suit() == Suit::heart) {
            b->setStyleSheet(QStringLiteral("color: #b00000"));
        }
        // The jokers share a row under the four suits, the second beside the first.
        const int row = card.is_joker() ? 4 : static_cast<int>(card.suit());
        const int column = card.is_joker() ? (card == CardId::joker() ? 0 : 1) : card.rank() - 1;
        grid->addWidget(b, row, column);
        buttons_[static_cast<std::size_t>(code)] = b;
        connect(b, &QToolButton::clicked, this, [this, card] { card_clicked(card); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(input_);
    layout->addLayout(grid);
    layout->addWidget(message_);
    layout->addWidget(holds_, 1);
    connect(input_, &QLineEdit::returnPressed, this, [this] { analyse(input_->text()); });
    // An emptied field lets go of the hand it showed.
    connect(input_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.trimmed().isEmpty()) {
            clear_hand();
        }
    });
}

void HandAnalyzer::keyPressEvent(QKeyEvent* event) {
    // The field leaves Return to its parents; here it ends with the analysis, not at the table.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HandAnalyzer::clear_hand() {
    chosen_.clear();
    sync_buttons();
    show_holds();
}

HandAnalyzer::~HandAnalyzer() = default;

void HandAnalyzer::set_game(const odds::Game& game) {
    game_ = std::make_unique<odds::Game>(game);
    for (const CardId joker : {CardId::joker(), CardId::second_joker()}) {
        buttons_[static_cast<std::size_t>(joker.code())]->setVisible(dealt(joker));
    }
    std::erase_if(chosen_, [this](CardId card) { return !dealt(card); });
    sync_buttons();
    show_holds();
}

bool HandAnalyzer::analyse(const QString& text) {
    if (text.trimmed().isEmpty()) {
        clear_hand();
        return false;
    }
    std::vector<CardId> cards;
    for (const QString& word :
         text.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
        const std::optional<CardId> card = CardId::parse(word.toStdString());
        if (!card || !dealt(*card)) {
            message_->setText(QStringLiteral("\"%1\" is not a card of this game.").arg(word));
            return false;
        }
        if (std::find(cards.begin(), cards.end(), *card) != cards.end()) {
            message_->setText(QStringLiteral("%1 is there twice.").arg(word));
            return false;
        }
        cards.push_back(*card);
    }
    if (cards.size() != 5) {
        message_->setText(QStringLiteral("Five cards, please."));
        return false;
    }
    chosen_ = cards;
    sync_buttons();
    show_holds();
    return true;
}

void HandAnalyzer::card_clicked(CardId card) {
    const auto it = std::find(chosen_.begin(), chosen_.end(), card);
    if (it != chosen_.end()) {
        chosen_.erase(it);
    } else if (chosen_.size() < 5) {
        chosen_.push_back(card);
    }
    sync_buttons();
    show_holds();
}

bool HandAnalyzer::dealt(CardId card) const {
    if (!card.is_joker() || !game_) {
        return true;
    }
    return game_->jokers() >= (card == CardId::joker() ? 1 : 2);
}

void HandAnalyzer::sync_buttons() {
    QString text;
    for (int code = 0; code < CardId::kCodes; ++code) {
        const CardId card = CardId::from_code(code);
        buttons_[static_cast<std::size_t>(code)]->setChecked(
            std::find(chosen_.begin(), chosen_.end(), card) != chosen_.end());
    }
    for (const CardId card : chosen_) {
        text += QString::fromStdString(card.text()) + QLatin1Char(' ');
    }
    input_->setText(text.trimmed());
}

void HandAnalyzer::show_holds() {
    if (!game_ || chosen_.size() != 5) {
        holds_->clear();
        holds_->setRowCount(0);
        holds_->setColumnCount(0);
        message_->setText(QStringLiteral("Choose five cards: %1 so far.").arg(chosen_.size()));
        return;
    }
    std::array<CardId, 5> deal{};
    std::copy(chosen_.begin(), chosen_.end(), deal.begin());
    const odds::FastClassifier classifier(*game_);
    const auto holds = odds::analyze_one_deal(*game_, classifier, deal);
    const std::vector<odds::HoldOutcome> ranked = odds::holds_best_first(holds, deal);
    QStringList headers = {QStringLiteral("Hold"), QStringLiteral("Return")};
    for (const odds::PayRow& row : game_->rows()) {
        headers << QString::fromStdString(row.label);
    }
    headers << QStringLiteral("Exact");
    holds_->clear();
    holds_->setColumnCount(static_cast<int>(headers.size()));
    holds_->setHorizontalHeaderLabels(headers);
    holds_->setRowCount(static_cast<int>(ranked.size()));
    for (int r = 0; r < holds_->rowCount(); ++r) {
        const odds::HoldOutcome& h = ranked[static_cast<std::size_t>(r)];
        int column = 0;
        const auto put = [&](const std::string& text, Qt::Alignment align) {
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            item->setTextAlignment(align | Qt::AlignVCenter);
            holds_->setItem(r, column++, item);
        };
        put(odds::held_cards(deal, h.mask), Qt::AlignLeft);
        put(odds::fixed(h.expected_return(), 6), Qt::AlignRight);
        for (std::size_t row = 0; row < game_->row_count(); ++row) {
            const double chance =
                100.0 * static_cast<double>(h.counts[row]) / static_cast<double>(h.draws);
            put(odds::fixed(chance, 4) + "%", Qt::AlignRight);
        }
        put(odds::hold_exact(h), Qt::AlignLeft);
    }
    message_->setText(QStringLiteral("%1: the 32 holds, best first, with the expected return per "
                                     "coin and the chance of each final hand.")
                          .arg(QString::fromStdString(game_->name())));
}

}  // namespace quillon::trainer
