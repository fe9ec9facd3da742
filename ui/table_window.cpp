#include "ui/table_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "ui/artwork.h"
#include "ui/card_clicks.h"
#include "ui/credits_window.h"
#include "ui/design_units.h"
#include "ui/table_layout.h"

namespace quillon::ui {

TableWindow::TableWindow(Machine& machine, Artwork& artwork)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      machine_(machine),
      artwork_(artwork),
      view_(*this, artwork, [this](Button b) { click(b); }),
      timers_(*this, [this](TimerId t) { tick(t); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillon"));
    setWindowIcon(artwork.icon(QStringLiteral("icon_table")));
    setFixedSize(to_pixels(kClientWidth), to_pixels(kClientHeight));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    fit_to_screen();
    // A click on a card is a click on the HOLD label under it.
    new CardClicks(
        *control("Frame1"), [this] { return view_.scale(); },
        [this](int slot) { click(Machine::card_button(slot)); });
}

void TableWindow::fit_to_screen() {
    const QScreen* on = screen();
    if (on == nullptr) {
        return;
    }
    // The frame is known once the window system has framed the window; until then, a title bar.
    const QWindow* handle = windowHandle();
    QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    if (frame.isNull() && (handle == nullptr || !handle->isVisible())) {
        frame = QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    }
    const ScreenRoom room{on->availableGeometry(), frame, on->devicePixelRatio()};
    const LayoutScale scale =
        fitting_scale(QSize(to_pixels(kClientWidth), to_pixels(kClientHeight)), room);
    if (scale == view_.scale()) {
        return;
    }
    view_.set_scale(scale);
    setFixedSize(scale.pixels(kClientWidth), scale.pixels(kClientHeight));
}

TableWindow::~TableWindow() = default;

void TableWindow::load() {
    const std::optional<std::string> error = machine_.load();
    after_event();
    if (error) {
        QMessageBox box(QMessageBox::Critical, caption_text(kDeviceErrorTitle),
                        caption_text(*error), QMessageBox::Ok);
        box.setObjectName(QStringLiteral("deviceError"));
        box.exec();
    }
}

void TableWindow::click(Button button) {
    machine_.click(button);
    after_event();
}

void TableWindow::tick(TimerId timer) {
    machine_.tick(timer);
    after_event();
}

void TableWindow::media_status() {
    machine_.media_status();
    after_event();
}

void TableWindow::after_event() {
    view_.render(machine_.controls());
    timers_.sync(machine_.controls());
}

QWidget* TableWindow::control(std::string_view name, int index) const {
    return view_.widget(name, index);
}

void TableWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), to_qcolor(colors::table));
}

namespace {

static_assert(Qt::Key_Space == kKeySpace && Qt::Key_1 == kKey1 && Qt::Key_5 == kKey5);

// The machine's code of a key that stands for a button (Return, Space, 1 to 5), or 0.
int button_key_code(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return kKeyReturn;
    }
    if (key == Qt::Key_Space || (key >= Qt::Key_1 && key <= Qt::Key_5)) {
        return key;  // Qt's codes for these are the characters', as are the machine's
    }
    return 0;
}

}  // namespace

void TableWindow::keyPressEvent(QKeyEvent* event) {
    // A key that stands for a button is a click on it, while the button is enabled. A key held
    // down does not repeat it: Space held would deal and draw at once.
    if (const int code = button_key_code(*event); code != 0) {
        const std::optional<Button> button = machine_.key_button(code);
        if (button && !event->isAutoRepeat()) {
            click(*button);
        }
        return;
    }
    // Otherwise only the two function keys mean anything to the game.
    switch (event->key()) {
        case Qt::Key_F12:
            machine_.key_down(kKeyF12);
            break;
        case Qt::Key_F11:
            machine_.key_down(kKeyF11);
            break;
        default:
            event->ignore();
            return;
    }
    after_event();
}

void TableWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || closed_) {
        return;
    }
    // The state can be reported twice (by the widget and by the window system): act on changes.
    const bool minimized = isMinimized();
    if (minimized == minimized_) {
        return;
    }
    minimized_ = minimized;
    if (minimized) {
        machine_.minimize();
    } else {
        machine_.restore();
    }
    after_event();
}

void TableWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!watching_screen_ && windowHandle() != nullptr) {
        watching_screen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &TableWindow::fit_to_screen);
    }
    fit_to_screen();
    // The first showing is a resize of its own to the machine.
    if (!shown_once_ && !isMinimized()) {
        shown_once_ = true;
        machine_.restore();
        after_event();
    }
}

void TableWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A window manager reports the frame it puts round the window with a move.
    if (isVisible()) {
        fit_to_screen();
    }
}

void TableWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) {
        return;
    }
    closed_ = true;
    machine_.close();
    after_event();
    timers_.stop();
    // The credits open before the table is gone, so the program never runs out of windows.
    credits_ = std::make_unique<CreditsWindow>(artwork_);
    connect(credits_.get(), &CreditsWindow::ended, this, &TableWindow::programEnded);
    credits_->show_centred();
}

}  // namespace quillon::ui
