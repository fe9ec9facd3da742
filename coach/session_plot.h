#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "coach/session.h"

namespace quillon::coach {

// The credit hand by hand, drawn beside the credit that perfect play would expect by then. Both
// lines count the hands' bets and pays alone: coins added by F12 or won in the double-up are not
// in them, and the plot says so.
class SessionPlot final : public QWidget {
    Q_OBJECT
  public:
    explicit SessionPlot(QWidget* parent = nullptr);
    void set_points(std::vector<CreditPoint> points);
    QSize sizeHint() const override { return {360, 220}; }

    // The round values ticked on each axis: hand numbers along the bottom, credit up the side.
    std::vector<double> hand_ticks() const;
    std::vector<double> credit_ticks() const;
    // The legend's words for a line.
    static QString legend_text(bool actual);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::pair<double, double> credit_range() const;

    std::vector<CreditPoint> points_;
};

}  // namespace quillon::coach
