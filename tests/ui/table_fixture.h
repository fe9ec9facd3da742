#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTest>
#include <memory>
#include <string_view>

#include "game/machine.h"
#include "game/random_source.h"
#include "game/recording_media_control.h"
#include "ui/artwork.h"
#include "ui/design_units.h"
#include "ui/label_widget.h"
#include "ui/picture_widget.h"
#include "ui/table_window.h"

namespace quillon::ui::testing {

// Pins what the pixels depend on: the font stand-ins. Call from main() after QApplication.
void prepare_application();

// A table window over a machine with a silent, recording music device and a fixed seed, as the
// game builds it. start() loads and shows it.
class Table {
  public:
    Table();

    void start();

    LabelWidget* label(std::string_view name, int index = -1) const;
    PictureWidget* picture(std::string_view name, int index) const;
    QString caption(std::string_view name, int index = -1) const;
    // Shown on the screen: the widget and every container above it.
    bool shows(std::string_view name, int index = -1) const;

    // A real left click on the centre of a button. False, with a warning, when the button is not
    // on the screen or is disabled: a synthetic click would reach it anyway.
    [[nodiscard]] bool click(std::string_view name, int index = -1);
    // Fires a timer of the window as its interval running out would.
    [[nodiscard]] bool fire(const char* timer_name);
    bool timer_running(const char* timer_name) const;

    // The picture on top at a slot (0-4): "back", "s1" ... "h13", "joker1" ... "joker10";
    // "" for none.
    QString top_card_at(int slot) const;

    QImage grab();
    // Saves a picture of the window as <screenshot folder>/<name>.png.
    void screenshot(const QString& name);

    RecordingMediaControl media;
    SeededRandom random{20240601};
    Machine machine{media, random};
    Artwork artwork;
    TableWindow window{machine, artwork};
};

// A card of the deck, for stacking: "s1", "h13", "joker".
CardId card(std::string_view text);

// Where a widget lies in its window.
inline QRect in_window(const QWidget* w) {
    return {w->mapTo(w->window(), QPoint(0, 0)), w->size()};
}

// Saves a widget's picture under the screenshot folder.
void save_screenshot(QWidget& widget, const QString& name);

}  // namespace quillon::ui::testing

// main() of a window test: the application, the pinned fonts, then the test object's slots.
#define QUILLON_UI_TEST_MAIN(TestClass)              \
    int main(int argc, char** argv) {                \
        QApplication app(argc, argv);                \
        quillon::ui::testing::prepare_application(); \
        TestClass test;                              \
        return QTest::qExec(&test, argc, argv);      \
    }
