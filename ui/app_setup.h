#pragma once

#include <QObject>
#include <string_view>

class QWidget;

namespace quillon::ui {

// Whether Qt has a display to open: an X or Wayland display, or a platform named in
// QT_QPA_PLATFORM (offscreen, vnc, ...). Without one Qt would abort.
bool display_available();

// What the game prints when display_available() is false.
inline constexpr std::string_view kNoDisplayMessage =
    "quillon: no display found (DISPLAY and WAYLAND_DISPLAY are unset); to play without a screen, "
    "run it under a virtual X server: xvfb-run -a ./quillon";

// Prints the wall-clock time of the window's first paint to stderr, as
// "quillon: first frame at <nanoseconds since the epoch>", when QUILLON_TRACE_FIRST_FRAME is set.
// A launcher that notes the time it started the game gets the start-up time from the difference.
class FirstFrameTrace final : public QObject {
    Q_OBJECT
  public:
    explicit FirstFrameTrace(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quillon::ui
