// make_artwork: writes every SVG picture of the game and the Qt resource list.
//
//   make_artwork [output-dir]     (default: assets/art)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/artwork/card.h"
#include "tools/artwork/pictures.h"

namespace {

struct Output {
    std::filesystem::path dir;
    std::vector<std::string> names;
    bool ok = true;

    void write(const std::string& name, const art::Svg& svg) {
        if (!svg.save((dir / name).string())) {
            std::fprintf(stderr, "make_artwork: cannot write %s\n", name.c_str());
            ok = false;
        }
        names.push_back(name);
    }

    void write_qrc() {
        std::ofstream f(dir / "artwork.qrc", std::ios::binary);
        f << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/art\">\n";
        for (const std::string& n : names) {
            f << "    <file alias=\"" << n << "\">" << n << "</file>\n";
        }
        f << "</qresource>\n</RCC>\n";
        ok = ok && static_cast<bool>(f);
    }
};

}  // namespace

int main(int argc, char** argv) {
    Output out;
    out.dir = argc > 1 ? argv[1] : "assets/art";
    std::error_code ec;
    std::filesystem::create_directories(out.dir, ec);

    for (art::Suit suit : art::kSuits) {
        for (int rank = 1; rank <= 13; ++rank) {
            std::string name =
                std::string(1, art::suit_letter(suit)) + std::to_string(rank) + ".svg";
            out.write(name, art::card_face(rank, suit));
        }
    }
    out.write("back.svg", art::card_back());
    out.write("joker1.svg", art::joker_face());
    for (int i = 0; i < 4; ++i) {
        out.write("joker" + std::to_string(2 + i) + ".svg", art::pale_mask(i));
    }
    for (int i = 0; i < 5; ++i) {
        out.write("joker" + std::to_string(6 + i) + ".svg", art::dark_mask(i));
    }
    out.write("cursor.svg", art::cursor_arrow());
    out.write("icon_table.svg", art::icon_table());
    out.write("icon_credits.svg", art::icon_credits());
    out.write_qrc();

    std::printf("make_artwork: %zu pictures in %s\n", out.names.size(), out.dir.string().c_str());
    return out.ok ? 0 : 1;
}
