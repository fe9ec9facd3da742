#pragma once

#include <QWidget>

#include "coach/session.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace quillon::coach {

class SessionPlot;

// The coach's page for the session: the counts, accuracy and luck, the plot of the credit and
// the list of mistakes.
class SessionView final : public QWidget {
    Q_OBJECT
  public:
    explicit SessionView(QWidget* parent = nullptr);
    void show_session(const Session& session);
    // Shows "Drill these" beside Save….
    void offer_drill(bool on);

  signals:
    // A mistake of the list was clicked: the hand's index in the session.
    void mistakeChosen(int hand_index);
    void saveRequested();
    void drillRequested();

  private:
    QLabel* figures_;
    SessionPlot* plot_;
    QTableWidget* mistakes_;
    QPushButton* save_;
    QPushButton* drill_;
};

// "+12.5000" or "-3.0000".
QString signed_coins(double coins);

}  // namespace quillon::coach
