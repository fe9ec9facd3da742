#include "ui/app_setup.h"

#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#ifdef QUILLON_HAS_XCB
#include <xcb/xcb.h>
#endif

namespace quillon::ui {

namespace {

bool env_set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

constexpr std::string_view kHowToRun =
    "; to play without a screen, run it under a virtual X server: xvfb-run -a ./quillon";

}  // namespace

DisplayProbe::DisplayProbe() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string_view named = platform != nullptr ? platform : "";
    if (!named.empty() && !named.starts_with("xcb") && !named.starts_with("wayland")) {
        return;
    }
    if (env_set("DISPLAY")) {
#ifdef QUILLON_HAS_XCB
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) != 0) {
            xcb_disconnect(connection);
            problem_ = "quillon: cannot open the display \"" + std::string(std::getenv("DISPLAY")) +
                       "\"" + std::string(kHowToRun);
            return;
        }
        x_connection_ = connection;
#endif
        return;
    }
    if (env_set("WAYLAND_DISPLAY") && !named.starts_with("xcb")) {
        return;
    }
    problem_ = "quillon: no display found (DISPLAY and WAYLAND_DISPLAY are unset)" +
               std::string(kHowToRun);
}

DisplayProbe::~DisplayProbe() {
#ifdef QUILLON_HAS_XCB
    if (x_connection_ != nullptr) {
        xcb_disconnect(static_cast<xcb_connection_t*>(x_connection_));
    }
#endif
}

FirstFrameTrace::FirstFrameTrace(QWidget* window) : QObject(window) {
    if (env_set("QUILLON_TRACE_FIRST_FRAME")) {
        window->installEventFilter(this);
    }
}

namespace {

void print_time(const char* what) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    std::fprintf(stderr, "quillon: %s at %lld\n", what, static_cast<long long>(ns));
    std::fflush(stderr);
}

}  // namespace

bool FirstFrameTrace::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        print_time("first frame");
        // Posted now, run once the frame's children are painted and the frame is sent to the
        // screen.
        QMetaObject::invokeMethod(
            this, [] { print_time("first frame shown"); }, Qt::QueuedConnection);
        watched->removeEventFilter(this);
    }
    return false;
}

}  // namespace quillon::ui
