#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>

namespace quillon::ui {

// Runs a function on the thread of `context` (the GUI thread for a widget or the application),
// later, from its event loop. A music device calls back from its audio thread; the machine and
// the widgets may only be touched on the GUI thread. Nothing runs once `context` is gone.
using Poster = std::function<void(std::function<void()>)>;

inline Poster gui_poster(QObject* context) {
    return [context](std::function<void()> f) {
        QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
    };
}

}  // namespace quillon::ui
