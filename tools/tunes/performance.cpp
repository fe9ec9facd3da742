#include "tools/tunes/performance.h"

#include <algorithm>

namespace quillon::tunes {
namespace {

constexpr std::uint32_t kBeat = Song::kTicksPerQuarter;

// A small fixed-seed generator, so the tunes come out byte for byte the same on every build.
class Jitter {
  public:
    explicit Jitter(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    // -spread..spread
    int next(int spread) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(2 * spread + 1)) -
               spread;
    }

  private:
    std::uint32_t state_;
};

// Leaning on the beats: the bar's first beat most, the middle beat a little, off-beats less.
int metric_accent(std::uint32_t tick, std::uint32_t bar) {
    const std::uint32_t in_bar = tick % bar;
    if (in_bar == 0) {
        return 5;
    }
    if (in_bar == bar / 2 && bar % (2 * kBeat) == 0) {
        return 2;
    }
    return in_bar % kBeat == 0 ? 0 : -4;
}

}  // namespace

std::uint32_t swung(std::uint32_t tick, int swing_percent) {
    const std::uint32_t beat_start = tick - tick % kBeat;
    const std::uint32_t in_beat = tick % kBeat;
    const std::uint32_t half = kBeat / 2;
    const std::uint32_t off = kBeat * static_cast<std::uint32_t>(swing_percent) / 100;
    if (in_beat <= half) {
        return beat_start + in_beat * off / half;
    }
    return beat_start + off + (in_beat - half) * (kBeat - off) / half;
}

void assemble(Song& song, const std::map<std::string, Section>& sections,
              const std::vector<std::string>& form) {
    if (form.empty()) {
        throw PerformanceError{"the score has no form"};
    }
    const std::uint32_t bar = song.bar_ticks();
    std::uint32_t at = 0;
    std::vector<std::vector<RawNote>> written(song.parts.size());
    for (const auto& name : form) {
        auto section = sections.find(name);
        if (section == sections.end()) {
            throw PerformanceError{"the form names section " + name + ", which is not written"};
        }
        std::uint32_t bars = 0;
        for (const auto& [part, music] : section->second.parts) {
            if (bars != 0 && music.bars != bars) {
                throw PerformanceError{"in section " + name + " the parts differ in length"};
            }
            bars = music.bars;
        }
        if (bars == 0) {
            throw PerformanceError{"section " + name + " is empty"};
        }
        for (std::size_t p = 0; p < song.parts.size(); ++p) {
            auto music = section->second.parts.find(song.parts[p].name);
            if (music == section->second.parts.end()) {
                continue;  // the part rests through this section
            }
            for (RawNote n : music->second.notes) {
                n.start += at;
                n.end += at;
                written[p].push_back(n);
            }
        }
        at += bars * bar;
    }
    song.length = at;

    for (std::size_t p = 0; p < song.parts.size(); ++p) {
        Part& part = song.parts[p];
        Jitter jitter(static_cast<std::uint32_t>(p + 1));
        part.notes.clear();
        for (const RawNote& n : written[p]) {
            Note played;
            played.key = static_cast<std::uint8_t>(n.key);
            played.start = swung(n.start, song.swing);
            const std::uint32_t end = swung(n.end, song.swing);
            const std::uint32_t sounding =
                (end - played.start) * static_cast<std::uint32_t>(part.gate) / 100;
            played.end = std::min(played.start + std::max<std::uint32_t>(sounding, 1), song.length);
            const int velocity = n.velocity + metric_accent(n.start, bar) + jitter.next(3);
            played.velocity = static_cast<std::uint8_t>(std::clamp(velocity, 1, 127));
            part.notes.push_back(played);
        }
        std::sort(part.notes.begin(), part.notes.end(),
                  [](const Note& a, const Note& b) { return a.start < b.start; });
    }
}

}  // namespace quillon::tunes
