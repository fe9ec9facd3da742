// The game: the table window over the machine, with the music device the factory picks.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "coach/table_coach.h"

#include "app/app_options.h"
#include "game/machine.h"
#include "game/random_source.h"
#include "ui/app_setup.h"
#include "ui/artwork.h"
#include "ui/design_units.h"
#include "ui/gui_thread.h"
#include "ui/media_factory.h"
#include "ui/table_window.h"

int main(int argc, char** argv) {
    using namespace quillon;
    // --help, --version and a word it cannot use end the program before anything opens.
    const ui::AppOptions options = ui::read_app_options(argc, argv, stdout, stderr);
    if (options.exit_now) {
        return *options.exit_now;
    }
    // Without a display Qt would abort with a core dump; say what to do instead.
    std::optional<ui::DisplayProbe> probe(std::in_place);
    if (probe->problem()) {
        std::fprintf(stderr, "%s\n", probe->problem()->c_str());
        return 2;
    }
    // --coach opens the coach beside the table; F1 opens and closes it at any time.
    const bool coach_at_start = options.coach_at_start;
    QApplication app(argc, argv);
    probe.reset();  // Qt holds its own connection now
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    ui::install_font_substitutions();

    const std::unique_ptr<MediaControl> media = ui::make_media_control(ui::gui_poster(&app));
    SeededRandom random;
    Machine machine(*media, random);
    ui::Artwork artwork;
    ui::TableWindow window(machine, artwork);
    media->on_status([&window] { window.media_status(); });
    QObject::connect(&window, &ui::TableWindow::programEnded, &app, &QApplication::quit);
    new ui::FirstFrameTrace(&window);
    // Built on first use, so that a game without the coach carries nothing of it.
    std::unique_ptr<coach::TableCoach> coach;
    const auto toggle_coach = [&] {
        if (!coach) {
            coach = std::make_unique<coach::TableCoach>(machine, window);
        }
        coach->toggle();
    };
    QObject::connect(&window, &ui::TableWindow::coachKeyPressed, &app, toggle_coach);

    window.load();
    window.show();
    if (coach_at_start) {
        toggle_coach();
    }
    const int code = QApplication::exec();
    media->on_status({});  // the window goes before the device does
    return code;
}
