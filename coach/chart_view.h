#pragma once

#include <QWidget>
#include <optional>

#include "coach/chart_source.h"

class QLabel;
class QListWidget;

namespace quillon::coach {

// The coach's page for the strategy chart, with the line that decides the current deal lit.
class ChartView final : public QWidget {
    Q_OBJECT
  public:
    explicit ChartView(QWidget* parent = nullptr);
    void show_building(const QString& game);
    void show_chart(const CoachChart& chart);
    // The game has no chart, and why.
    void show_failure(const QString& why);
    void highlight(std::optional<std::size_t> line);

  private:
    QLabel* status_;
    QListWidget* lines_;
};

}  // namespace quillon::coach
