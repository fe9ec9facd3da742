#include "ui/model_timers.h"

#include <QTimer>

namespace quillon::ui {

ModelTimers::ModelTimers(QObject& owner, std::function<void(TimerId)> on_tick)
    : slots_{Slot{TimerId::cardtime}, Slot{TimerId::jokertime}} {
    for (Slot& slot : slots_) {
        slot.timer = new QTimer(&owner);
        slot.timer->setObjectName(slot.id == TimerId::cardtime ? QStringLiteral("cardtime")
                                                               : QStringLiteral("jokertime"));
        QObject::connect(slot.timer, &QTimer::timeout, &owner,
                         [on_tick, id = slot.id] { on_tick(id); });
    }
}

const Timer& ModelTimers::model_of(const Controls& controls, TimerId id) {
    return id == TimerId::cardtime ? controls.cardtime : controls.jokertime;
}

void ModelTimers::sync(const Controls& controls) {
    if (stopped_) {
        return;
    }
    for (Slot& slot : slots_) {
        const Timer& model = model_of(controls, slot.id);
        QTimer& timer = *slot.timer;
        if (!model.enabled || model.interval_ms <= 0) {
            timer.stop();
        } else if (!timer.isActive() || model.starts != slot.starts ||
                   model.interval_ms != timer.interval()) {
            timer.start(model.interval_ms);  // a restart begins a fresh interval
        }
        slot.starts = model.starts;
    }
}

void ModelTimers::stop() {
    stopped_ = true;
    for (Slot& slot : slots_) {
        slot.timer->stop();
    }
}

}  // namespace quillon::ui
