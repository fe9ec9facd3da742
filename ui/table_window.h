#pragma once

#include <QWidget>
#include <memory>
#include <string_view>

#include "game/machine.h"
#include "ui/control_view.h"
#include "ui/model_timers.h"

namespace quillon::ui {

class Artwork;
class CreditsWindow;

// Something that follows the table from beside it, such as the coach: asked before a click
// reaches the machine, and told after every event. It reads the machine and never changes it.
class TableObserver {
  public:
    virtual ~TableObserver() = default;
    // False holds the click back: the machine never sees it.
    virtual bool before_click(Button button) = 0;
    virtual void after_event() = 0;
};

// The table window. It owns no rule of the game: each event of the window, its controls and its
// timers goes to the machine's handler, and the window then shows the machine's controls.
class TableWindow final : public QWidget {
    Q_OBJECT
  public:
    TableWindow(Machine& machine, Artwork& artwork);
    ~TableWindow() override;

    // Start-up, before the window is first shown: the machine loads, and a music device that
    // failed to open is reported in a message box the player closes.
    void load();

    // The events the window forwards. Each renders the controls afterwards.
    void click(Button button);
    void tick(TimerId timer);
    // The music device's status event, delivered on the GUI thread.
    void media_status();

    // The widget of a control of the layout, or null.
    QWidget* control(std::string_view name, int index = -1) const;
    // The scale the table is drawn at on its screen.
    LayoutScale scale() const { return view_.scale(); }
    // The credits window, once the table has closed.
    CreditsWindow* credits() const { return credits_.get(); }
    // At most one observer; null for none.
    void set_observer(TableObserver* observer) { observer_ = observer; }

  signals:
    // F1, which the game itself does not use: the coach opens or closes.
    void coachKeyPressed();
    // END, or the credits window's close box: the program is over.
    void programEnded();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void after_event();
    // Draws the table at the largest scale, up to the screen's own, at which it fits the screen.
    void fit_to_screen();

    Machine& machine_;
    Artwork& artwork_;
    ControlView view_;
    ModelTimers timers_;
    std::unique_ptr<CreditsWindow> credits_;
    bool shown_once_ = false;
    bool minimized_ = false;
    bool closed_ = false;
    bool watching_screen_ = false;
    TableObserver* observer_ = nullptr;
};

}  // namespace quillon::ui
