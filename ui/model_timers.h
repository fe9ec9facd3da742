#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

#include "game/controls.h"
#include "game/machine.h"

class QTimer;

namespace quillon::ui {

// The two timers of the table window, cardtime and jokertime, as Qt timers that follow the
// model: sync() runs a timer while the model enables it and starts a fresh interval whenever the
// model switched it on again (its `starts` count moved), as setting Enabled does. A timeout is
// handed to `on_tick`. The QTimers are children of `owner`, named after their control.
class ModelTimers {
  public:
    ModelTimers(QObject& owner, std::function<void(TimerId)> on_tick);

    void sync(const Controls& controls);
    // Stops both for good: the window that owns them has closed.
    void stop();

  private:
    struct Slot {
        TimerId id;
        QTimer* timer = nullptr;
        std::uint32_t starts = 0;
    };
    static const Timer& model_of(const Controls& controls, TimerId id);

    std::array<Slot, 2> slots_;
    bool stopped_ = false;
};

}  // namespace quillon::ui
