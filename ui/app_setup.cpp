#include "ui/app_setup.h"

#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace quillon::ui {

namespace {

bool env_set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool display_available() {
    return env_set("QT_QPA_PLATFORM") || env_set("DISPLAY") || env_set("WAYLAND_DISPLAY");
}

FirstFrameTrace::FirstFrameTrace(QWidget* window) : QObject(window) {
    if (env_set("QUILLON_TRACE_FIRST_FRAME")) {
        window->installEventFilter(this);
    }
}

bool FirstFrameTrace::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
        std::fprintf(stderr, "quillon: first frame at %lld\n", static_cast<long long>(ns));
        std::fflush(stderr);
        watched->removeEventFilter(this);
    }
    return false;
}

}  // namespace quillon::ui
