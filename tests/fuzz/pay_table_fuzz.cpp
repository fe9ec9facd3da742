// libFuzzer harness: any bytes as a pay-table file. The reader either builds a game or refuses
// the text with a GameFileError; nothing else may happen (no crash, no sanitizer report).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "odds/games/game_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon::odds;
    // Larger files are refused unread by the file reader.
    if (size > kMostFileBytes) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const int coins : {kFullBet, 1, kMostCoins}) {
        try {
            const Game game = parse_game(text, "fuzz.game", coins);
            (void)game.row_count();
        } catch (const GameFileError&) {
        }
    }
    return 0;
}
