// Writes the game's tunes from their text scores: make_tunes SCORE MIDI [SCORE MIDI ...]
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "tools/tunes/score.h"
#include "tools/tunes/smf_writer.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::cerr << "usage: make_tunes SCORE MIDI [SCORE MIDI ...]\n";
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        std::ifstream in(argv[i]);
        if (!in) {
            std::cerr << "make_tunes: cannot read " << argv[i] << "\n";
            return 1;
        }
        std::stringstream text;
        text << in.rdbuf();
        auto parsed = quillon::tunes::parse_score(text.str(), argv[i]);
        if (auto* error = std::get_if<quillon::tunes::ScoreError>(&parsed)) {
            std::cerr << error->what << "\n";
            return 1;
        }
        const auto bytes = quillon::tunes::write_smf(std::get<quillon::tunes::Song>(parsed));
        std::ofstream out(argv[i + 1], std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "make_tunes: cannot write " << argv[i + 1] << "\n";
            return 1;
        }
    }
    return 0;
}
