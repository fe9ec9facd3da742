#pragma once

#include <QWidget>
#include <vector>

#include "coach/session.h"

namespace quillon::coach {

// The credit hand by hand, drawn beside the credit that perfect play would expect by then.
class SessionPlot final : public QWidget {
    Q_OBJECT
  public:
    explicit SessionPlot(QWidget* parent = nullptr);
    void set_points(std::vector<CreditPoint> points);
    QSize sizeHint() const override { return {360, 200}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<CreditPoint> points_;
};

}  // namespace quillon::coach
