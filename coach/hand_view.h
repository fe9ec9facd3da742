#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "coach/deal_advice.h"

class QLabel;
class QTableWidget;

namespace quillon::coach {

// The coach's page for one deal: the best holds with the player's own marked, the chances of the
// marked hold, the line of the chart that decides the deal, the verdict and the double-up.
class HandView final : public QWidget {
    Q_OBJECT
  public:
    // How many of the best holds are listed; the player's hold is listed besides.
    static constexpr int kListed = 5;

    explicit HandView(QWidget* parent = nullptr);

    // `title` says which hand this is; `rows` are the game's pay rows with what each pays.
    void show_deal(const QString& title, const DealAdvice& advice, HoldMask marked,
                   const std::vector<std::string>& rows, const std::vector<bool>& paying);
    void show_chart_line(const QString& text);
    void show_verdict(const QString& text);
    void show_double_up(const QString& text);
    void clear_deal();

  private:
    QLabel* title_;
    QTableWidget* holds_;
    QLabel* chances_title_;
    QTableWidget* chances_;
    QLabel* chart_line_;
    QLabel* verdict_;
    QLabel* double_up_;
};

// Coins to four decimals: "43.5625".
QString coins_text(double coins);

}  // namespace quillon::coach
