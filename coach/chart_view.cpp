#include "coach/chart_view.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace quillon::coach {

ChartView::ChartView(QWidget* parent)
    : QWidget(parent), status_(new QLabel(this)), lines_(new QListWidget(this)) {
    status_->setObjectName(QStringLiteral("chartStatus"));
    status_->setWordWrap(true);
    lines_->setObjectName(QStringLiteral("chartLines"));
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long lines wrap within the list's width rather than run under its edge.
    lines_->setWordWrap(true);
    lines_->setResizeMode(QListView::Adjust);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(lines_, 1);
}

void ChartView::show_building(const QString& game) {
    status_->setText(QStringLiteral("Building the strategy chart of %1…").arg(game));
    lines_->clear();
}

void ChartView::show_failure(const QString& why) {
    status_->setText(why.left(1).toUpper() + why.mid(1) + QStringLiteral("."));
    lines_->clear();
}

void ChartView::show_chart(const CoachChart& chart) {
    status_->setText(
        QStringLiteral("Strategy chart of %1: hold the cards of the first line the deal shows. "
                       "Played by it the game returns %2 %, perfect play %3 %.")
            .arg(QString::fromStdString(chart.game))
            .arg(100.0 * chart.chart_return, 0, 'f', 4)
            .arg(100.0 * chart.perfect_return, 0, 'f', 4));
    lines_->clear();
    // A section's heading opens its first line's row, so that each row stays one line of the
    // chart.
    std::string section;
    for (std::size_t i = 0; i < chart.lines.size(); ++i) {
        QString text =
            QStringLiteral("%1. %2").arg(i + 1).arg(QString::fromStdString(chart.lines[i]));
        const std::string& heading = i < chart.sections.size() ? chart.sections[i] : section;
        if (heading != section) {
            section = heading;
            text = QString::fromStdString(heading) + QLatin1Char('\n') + text;
        }
        lines_->addItem(text);
    }
}

void ChartView::highlight(std::optional<std::size_t> line) {
    if (!line || static_cast<int>(*line) >= lines_->count()) {
        lines_->clearSelection();
        return;
    }
    const int row = static_cast<int>(*line);
    lines_->setCurrentRow(row);
    lines_->scrollToItem(lines_->item(row), QAbstractItemView::PositionAtCenter);
}

}  // namespace quillon::coach
