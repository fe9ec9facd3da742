// libFuzzer harness: any bytes as a chart file, read for one of four games (the first byte
// chooses: no wild cards, deuces, the joker, this machine). The reader either reads a chart or
// refuses the text with a ChartError; nothing else may happen.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "odds/strategy/chart/chart_text.h"

namespace {

using quillon::odds::ChartWords;
using quillon::odds::Game;

// The games and their words, worked out once: the reading of each input is what is tried.
struct Games {
    std::array<Game, 4> games = {quillon::odds::find_game("jacks-or-better-9-6").value(),
                                 quillon::odds::find_game("deuces-wild-full-pay").value(),
                                 quillon::odds::find_game("joker-kings-20-7-5").value(),
                                 quillon::odds::find_game("quillon").value()};
    std::array<ChartWords, 4> words = {ChartWords(games[0]), ChartWords(games[1]),
                                       ChartWords(games[2]), ChartWords(games[3])};
};

const Games& games() {
    static const Games kGames;
    return kGames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon::odds;
    // Larger files are refused unread by the file reader.
    if (size == 0 || size > kMostChartBytes + 1) {
        return 0;
    }
    const ChartWords& words = games().words[data[0] % games().words.size()];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        (void)chart_game(text, "fuzz.chart");
        const Chart chart = read_chart(text, "fuzz.chart", words);
        (void)chart.keys();
    } catch (const ChartError&) {
    }
    return 0;
}
