#pragma once

#include <QObject>
#include <optional>
#include <string>

class QWidget;

namespace quillon::ui {

// Checks, before Qt starts, that it will find a display: Qt aborts with a core dump when it
// finds none. An X server is asked itself, as a stale DISPLAY is as bad as none; the probe's
// connection stays open while the object lives, because an X server that loses its last client
// resets, and Qt's own connection would race that reset.
class DisplayProbe {
  public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    // Why there is no display, as the one sentence the game prints before it exits; nothing
    // when there is one or when QT_QPA_PLATFORM names another platform (offscreen, vnc, ...).
    const std::optional<std::string>& problem() const { return problem_; }

  private:
    void* x_connection_ = nullptr;
    std::optional<std::string> problem_;
};

// Prints the wall-clock time of the window's first paint to stderr, as
// "quillon: first frame at <nanoseconds since the epoch>", when QUILLON_TRACE_FIRST_FRAME is set.
// A launcher that notes the time it started the game gets the start-up time from the difference.
// "quillon: first frame shown at <nanoseconds>" follows, once that frame is painted whole and
// sent to the screen.
class FirstFrameTrace final : public QObject {
    Q_OBJECT
  public:
    explicit FirstFrameTrace(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quillon::ui
