// quillon-trainer: practice any built-in game or pay-table file with the coach beside the table.
#include <QApplication>
#include <QCommandLineParser>
#include <QStyleFactory>
#include <cstdio>
#include <random>

#include "base/text_file.h"
#include "odds/games/pay_table.h"
#include "trainer/trainer_window.h"
#include "trainer/ultimate_x_window.h"
#include "ui/app_setup.h"
#include "ui/artwork.h"

namespace {

// An error line longer than this is cut: a hostile argument is not echoed whole.
constexpr std::size_t kLongestError = 400;

}  // namespace

int main(int argc, char** argv) {
    using namespace quillon;
    std::optional<ui::DisplayProbe> probe(std::in_place);
    if (probe->problem()) {
        std::fprintf(stderr, "%s\n", probe->problem()->c_str());
        return 2;
    }
    QApplication app(argc, argv);
    probe.reset();
    QApplication::setApplicationName(QStringLiteral("quillon-trainer"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Practise video poker with the exact odds of every hold."));
    options.addHelpOption();
    options.addPositionalArgument(QStringLiteral("game"),
                                  QStringLiteral("a built-in game's name or a pay-table file"));
    const QCommandLineOption coins_option(QStringLiteral("coins"),
                                          QStringLiteral("the bet, 1 to 10 coins (5)"),
                                          QStringLiteral("n"), QStringLiteral("5"));
    options.addOption(coins_option);
    const QCommandLineOption ultimate_x_option(
        QStringLiteral("ultimate-x"),
        QStringLiteral("play Ultimate X on n lines (1, 3, 5 or 10, as the game is played)"),
        QStringLiteral("n"));
    options.addOption(ultimate_x_option);
    // Errors are the program's own, one line each with the status of a usage error, as
    // quillon-odds gives them; QCommandLineParser::process would exit 1.
    const auto refuse = [](const std::string& message) {
        std::fprintf(stderr, "error: %s\n", printable(message, kLongestError).c_str());
        return 2;
    };
    if (!options.parse(QCoreApplication::arguments())) {
        return refuse(options.errorText().toStdString());
    }
    if (options.isSet(QStringLiteral("help"))) {
        options.showHelp(0);
    }
    const QStringList words = options.positionalArguments();
    if (words.size() > 1) {
        return refuse("one game at a time: " + echoed(words[1].toStdString()) +
                      " is a second game");
    }
    bool whole = false;
    const int coins = options.value(coins_option).toInt(&whole);
    if (!whole || coins < 1 || coins > 10) {
        return refuse("--coins takes 1 to 10");
    }
    trainer::GameChoice choice{QStringLiteral("jacks-or-better-9-6"), {}, {}};
    const bool ultimate_x = options.isSet(ultimate_x_option);
    const int lines = ultimate_x ? options.value(ultimate_x_option).toInt(&whole) : 0;
    try {
        if (!words.isEmpty()) {
            choice = trainer::choice_from(words.front());
        }
        const odds::Game game = choice.load(coins);
        if (ultimate_x && (!whole || game.multipliers_for(lines) == nullptr)) {
            return refuse(game.name() + " is not played on " +
                          echoed(options.value(ultimate_x_option).toStdString()) +
                          " Ultimate X lines");
        }
    } catch (const std::exception& e) {
        return refuse(e.what());
    }

    ui::Artwork artwork;
    if (ultimate_x) {
        trainer::UltimateXWindow window(choice, lines, coins, artwork, std::random_device{}());
        new ui::FirstFrameTrace(&window);
        window.show();
        return QApplication::exec();
    }
    trainer::TrainerWindow window(choice, coins, artwork, std::random_device{}());
    new ui::FirstFrameTrace(&window);
    window.show();
    return QApplication::exec();
}
