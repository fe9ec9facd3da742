// Writes this machine's pay-table file from the game's own table, so that the pays are stated
// once: quillon-game-writer FILE.
#include <array>
#include <iostream>
#include <string>
#include <string_view>

#include "base/file_writer.h"
#include "game/pay_table.h"

namespace {

// The file's hand words for each of the machine's rows; the machine pays a royal made with the
// joker as its royal.
struct RowWords {
    std::string_view row;
    std::array<std::string_view, 2> words;
};

constexpr std::array<RowWords, 9> kRowWords = {{
    {"royal", {"royal", "wild-royal"}},
    {"five", {"five", ""}},
    {"stfl", {"straight-flush", ""}},
    {"four", {"four", ""}},
    {"full", {"full-house", ""}},
    {"flush", {"flush", ""}},
    {"straight", {"straight", ""}},
    {"three", {"three", ""}},
    {"two", {"two-pair", ""}},
}};

}  // namespace

int main(int argc, char** argv) {
    return quillon::write_file_main(argc, argv, "quillon-game-writer", [](std::ostream& out) {
        out << "# This machine's pay table, written at build time from the game's own table.\n"
               "name  quillon\n"
               "wild  joker\n";
        for (std::size_t r = 0; r < quillon::kPayRowNames.size(); ++r) {
            const std::string_view row = quillon::kPayRowNames[r];
            const RowWords* found = nullptr;
            for (const RowWords& w : kRowWords) {
                found = w.row == row ? &w : found;
            }
            if (found == nullptr) {
                std::cerr << "quillon-game-writer: no hand word for the row '" << row << "'\n";
                return false;
            }
            for (const std::string_view word : found->words) {
                if (!word.empty()) {
                    // BET max stakes ten coins, and the machine pays ten times the coin's pay.
                    const int pay = quillon::kPayPerCoin[r];
                    out << word << std::string(16 - word.size(), ' ') << pay << "  " << pay * 10
                        << "@10\n";
                }
            }
        }
        return true;
    });
}
