#include "trainer/meter_field.h"

#include <malloc.h>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/play/game_return.h"
#include "odds/play/tallies.h"
#include "odds/report/figures.h"

namespace quillon::trainer {

namespace {

QString meter_text(const std::string& text) {
    return QString::fromStdString(text);
}

QString meter_pay_text(const odds::MeterBreakEven& meter, std::int64_t steps) {
    const odds::Decimal pay = odds::meter_pay(meter, steps);
    return meter_text(odds::pay_text(pay.digits, odds::power_of_ten(pay.places)));
}

QString meter_percent(const odds::GameReturn& r) {
    return meter_text(odds::fixed(100.0 * r.return_rate(), 4)) + QStringLiteral(" %");
}

// The break-even a step of one coin per coin at a time; a built-in game's figures at today's
// pays were worked out when the program was built.
odds::MeterBreakEven find_break_even(const odds::Game& game, std::size_t row,
                                     const std::string& builtin) {
    const odds::PlayWhole play = [&builtin](const odds::Game& paid) {
        const odds::PrecomputedGame* built =
            builtin.empty() ? nullptr : odds::find_precomputed(builtin, paid);
        return built != nullptr ? odds::game_return_of(odds::outcomes_of(*built, paid), paid)
                                : odds::game_return(odds::Tallies(paid), 1);
    };
    return odds::meter_break_even(game, row, odds::Decimal{1, 0}, play);
}

}  // namespace

MeterField::MeterField(QWidget* parent)
    : QWidget(parent),
      line_box_(new QComboBox(this)),
      field_(new QLineEdit(this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("meterField"));
    line_box_->setObjectName(QStringLiteral("meterLine"));
    line_box_->setToolTip(QStringLiteral("The line the progressive meter pays"));
    field_->setObjectName(QStringLiteral("meter"));
    field_->setToolTip(
        QStringLiteral("What the line pays per coin of the bet, as the meter reads (1200, "
                       "1234.56, or royal=1200); empty for today's pay. Return sets it."));
    field_->setClearButtonEnabled(true);
    status_->setObjectName(QStringLiteral("meterStatus"));
    status_->setWordWrap(true);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Progressive meter:"), this));
    row->addWidget(line_box_);
    row->addWidget(field_, 1);
    row->addWidget(new QLabel(QStringLiteral("per coin"), this));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(row);
    layout->addWidget(status_);
    connect(field_, &QLineEdit::returnPressed, this, &MeterField::apply);
    connect(line_box_, &QComboBox::activated, this, &MeterField::line_picked);
}

MeterField::~MeterField() {
    workers_.call_off();
}

void MeterField::set_game(const odds::Game& today, const QString& builtin,
                          const std::vector<odds::PayChange>& pays) {
    const bool same = today_ && *today_ == today && builtin_ == builtin.toStdString();
    today_ = std::make_unique<odds::Game>(today);
    builtin_ = builtin.toStdString();
    pays_ = pays;
    refused_ = false;
    refusal_.clear();
    std::size_t line = 0;
    if (!pays_.empty()) {
        try {
            line = odds::pay_row_named(today, pays_.back().line);
        } catch (const odds::PayChangeError&) {
            pays_.clear();
        }
    }
    {
        const QSignalBlocker block(line_box_);
        line_box_->clear();
        const std::vector<std::string> names = odds::pay_line_names(today);
        for (std::size_t r = 0; r < names.size(); ++r) {
            line_box_->addItem(meter_text(today.rows()[r].label), meter_text(names[r]));
        }
        line_box_->setCurrentIndex(static_cast<int>(line));
    }
    field_->setText(pays_.empty() ? QString() : meter_text(pays_.back().per_coin));
    field_->setStyleSheet({});
    if (!same || break_even_row_ != line) {
        ++generation_;
        break_even_.reset();
        break_even_failure_.clear();
        break_even_row_.reset();
    }
    show_status();
}

std::size_t MeterField::row() const {
    return static_cast<std::size_t>(std::max(line_box_->currentIndex(), 0));
}

void MeterField::keyPressEvent(QKeyEvent* event) {
    // The field leaves Return to its parents: here it sets the meter, and deals nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MeterField::line_picked() {
    if (!field_->text().trimmed().isEmpty()) {
        apply();
        return;
    }
    if (!pays_.empty()) {
        // The old line back to today's pay, the new one at today's pay too.
        pays_.clear();
        emit meterChanged();
    }
    start_break_even();
    show_status();
}

void MeterField::apply() {
    if (!today_) {
        return;
    }
    const QString typed = field_->text().trimmed();
    std::vector<odds::PayChange> wanted;
    try {
        if (!typed.isEmpty()) {
            odds::PayChange change{line_box_->currentData().toString().toStdString(),
                                   typed.toStdString()};
            if (typed.contains(QLatin1Char('='))) {
                change = odds::parse_pay_change(typed.toStdString());
            }
            const std::size_t line = odds::pay_row_named(*today_, change.line);
            // Checked here: a meter the engine cannot count never reaches the table.
            (void)odds::with_pays(*today_, std::span(&change, 1));
            change.line = line_box_->itemData(static_cast<int>(line)).toString().toStdString();
            wanted.push_back(std::move(change));
            const QSignalBlocker block(line_box_);
            line_box_->setCurrentIndex(static_cast<int>(line));
            field_->setText(meter_text(wanted.back().per_coin));
        }
    } catch (const odds::PayChangeError& e) {
        refused_ = true;
        refusal_ = meter_text(e.what());
        field_->setStyleSheet(QStringLiteral("color: #a01010"));
        show_status();
        return;
    }
    refused_ = false;
    refusal_.clear();
    field_->setStyleSheet({});
    start_break_even();
    if (wanted != pays_) {
        pays_ = std::move(wanted);
        emit meterChanged();
    }
    show_status();
}

void MeterField::start_break_even() {
    if (!today_ || break_even_row_ == row()) {
        return;
    }
    const std::size_t line = row();
    const unsigned generation = ++generation_;
    break_even_row_ = line;
    break_even_.reset();
    break_even_failure_.clear();
    workers_.start(
        this,
        [game = *today_, line, builtin = builtin_] {
            odds::MeterBreakEven meter = find_break_even(game, line, builtin);
            // Each reading counted the whole game anew: give its tallies back.
            malloc_trim(0);
            return meter;
        },
        [this, generation](std::shared_ptr<const odds::MeterBreakEven> meter,
                           const QString& failure) {
            if (generation != generation_) {
                return;
            }
            break_even_ = std::move(meter);
            break_even_failure_ = failure;
            show_status();
            emit breakEvenReady();
        });
    show_status();
}

QString MeterField::status_text() const {
    return status_->text();
}

void MeterField::show_status() {
    if (!today_) {
        status_->clear();
        return;
    }
    const std::size_t line = row();
    const QString label = meter_text(today_->rows()[line].label);
    const QString today = meter_text(odds::pay_text(today_->pay(line), today_->pay_scale()));
    field_->setPlaceholderText(QStringLiteral("%1 today").arg(today));
    QString text;
    status_->setToolTip({});
    if (refused_) {
        // The lines a game has, where a name is none of them, in the tooltip: the words stay
        // short.
        QString why = refusal_;
        if (const qsizetype list = why.indexOf(QStringLiteral(" (its lines: ")); list > 0) {
            status_->setToolTip(why.mid(list + 2).chopped(1));
            why.truncate(list);
        }
        text = QStringLiteral("Meter refused: %1. ").arg(why);
        text +=
            pays_.empty()
                ? QStringLiteral("The %1 pays %2 per coin, as today.").arg(label, today)
                : QStringLiteral("The meter stays at %1.").arg(meter_text(pays_.back().per_coin));
        status_->setText(text);
        status_->setStyleSheet(QStringLiteral("color: #a01010"));
        return;
    }
    status_->setStyleSheet({});
    if (break_even_row_ != line) {
        text = QStringLiteral("Type what the %1 pays per coin, then Return.").arg(label);
    } else if (!break_even_failure_.isEmpty()) {
        text = QStringLiteral("No break-even for the %1: %2.").arg(label, break_even_failure_);
    } else if (!break_even_) {
        text = QStringLiteral("Working out the %1's break-even…").arg(label);
    } else {
        const odds::MeterBreakEven& m = *break_even_;
        const odds::MeterReading& at = m.readings[*m.at];
        if (!m.below) {
            text = QStringLiteral("Break-even: the game returns %1 with the %2 paying nothing.")
                       .arg(meter_percent(at.result), label);
        } else {
            const odds::MeterReading& below = m.readings[*m.below];
            text = QStringLiteral("Break-even: the %1 at %2 per coin returns %3 (at %4, %5).")
                       .arg(label, meter_pay_text(m, at.steps), meter_percent(at.result),
                            meter_pay_text(m, below.steps), meter_percent(below.result));
        }
    }
    status_->setText(text);
}

}  // namespace quillon::trainer
