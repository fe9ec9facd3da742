// quillon-trainer: practice any built-in game or pay-table file with the coach beside the table.
#include <QApplication>
#include <QCommandLineParser>
#include <QStyleFactory>
#include <cstdio>
#include <random>

#include "odds/pay_table.h"
#include "trainer/trainer_window.h"
#include "trainer/ultimate_x_window.h"
#include "ui/app_setup.h"
#include "ui/artwork.h"

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
    options.process(app);
    const QStringList words = options.positionalArguments();
    trainer::GameChoice choice =
        words.isEmpty() ? trainer::GameChoice{QStringLiteral("jacks-or-better-9-6"), {}}
                        : trainer::choice_from(words.front());
    bool whole = false;
    const int coins = options.value(coins_option).toInt(&whole);
    if (!whole || coins < 1 || coins > 10) {
        std::fprintf(stderr, "quillon-trainer: --coins takes 1 to 10\n");
        return 2;
    }
    const bool ultimate_x = options.isSet(ultimate_x_option);
    const int lines = ultimate_x ? options.value(ultimate_x_option).toInt(&whole) : 0;
    try {
        const odds::Game game = choice.load(coins);
        if (ultimate_x && (!whole || game.multipliers_for(lines) == nullptr)) {
            std::fprintf(stderr, "quillon-trainer: %s is not played on %s Ultimate X lines\n",
                         game.name().c_str(),
                         options.value(ultimate_x_option).toLocal8Bit().constData());
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillon-trainer: %s\n", e.what());
        return 2;
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
