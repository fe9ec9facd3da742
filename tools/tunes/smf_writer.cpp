#include "tools/tunes/smf_writer.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace quillon::tunes {
namespace {

struct Event {
    std::uint32_t tick;
    // Order among events on the same tick: set-up, then note-offs, then note-ons, then the end.
    int order;
    std::vector<std::uint8_t> bytes;
};

void put_varlen(std::vector<std::uint8_t>& out, std::uint32_t v) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0);
    while (n > 1) {
        out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    }
    out.push_back(groups[0]);
}

void put_be(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

std::uint8_t byte(int v) {
    return static_cast<std::uint8_t>(v);
}

Event meta(std::uint32_t tick, int order, std::uint8_t type,
           const std::vector<std::uint8_t>& data) {
    Event e{tick, order, {0xFF, type}};
    put_varlen(e.bytes, static_cast<std::uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    return e;
}

Event text(std::uint32_t tick, std::uint8_t type, const std::string& s) {
    return meta(tick, 0, type, std::vector<std::uint8_t>(s.begin(), s.end()));
}

void put_track(std::vector<std::uint8_t>& out, std::vector<Event> events) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return std::tie(a.tick, a.order) < std::tie(b.tick, b.order);
    });
    std::vector<std::uint8_t> body;
    std::uint32_t at = 0;
    for (const auto& e : events) {
        put_varlen(body, e.tick - at);
        at = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    const std::string id = "MTrk";
    out.insert(out.end(), id.begin(), id.end());
    put_be(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
}

std::vector<Event> conductor(const Song& song) {
    const std::uint32_t us_per_quarter = static_cast<std::uint32_t>(60000000 / song.tempo_bpm);
    int unit_power = 0;
    while ((1 << unit_power) < song.beat_unit) {
        ++unit_power;
    }
    std::vector<Event> events;
    events.push_back(text(0, 0x03, song.title));
    events.push_back(meta(0, 0, 0x58, {byte(song.beats_per_bar), byte(unit_power), 24, 8}));
    events.push_back(meta(
        0, 0, 0x51, {byte(us_per_quarter >> 16), byte(us_per_quarter >> 8), byte(us_per_quarter)}));
    events.push_back(meta(song.length, 3, 0x2F, {}));
    return events;
}

std::vector<Event> part_events(const Song& song, const Part& part) {
    const std::uint8_t ch = static_cast<std::uint8_t>(part.channel);
    std::vector<Event> events;
    events.push_back(text(0, 0x03, part.name));
    auto control = [&](int number, int value) {
        if (value >= 0) {
            events.push_back(Event{0, 0, {byte(0xB0 | ch), byte(number), byte(value)}});
        }
    };
    if (part.channel != 9) {
        control(0, part.bank);
    }
    if (part.program >= 0) {
        events.push_back(Event{0, 0, {byte(0xC0 | ch), byte(part.program)}});
    }
    control(7, part.volume);
    control(10, part.pan);
    control(91, part.reverb);
    control(93, part.chorus);
    control(11, part.program >= 0 ? 127 : -1);
    for (const Note& n : part.notes) {
        events.push_back(Event{n.start, 2, {byte(0x90 | ch), n.key, n.velocity}});
        events.push_back(Event{n.end, 1, {byte(0x80 | ch), n.key, 64}});
    }
    // All notes off (controller 123) where the tune ends and starts again.
    events.push_back(Event{song.length, 2, {byte(0xB0 | ch), 123, 0}});
    events.push_back(meta(song.length, 3, 0x2F, {}));
    return events;
}

}  // namespace

std::vector<std::uint8_t> write_smf(const Song& song) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd'};
    put_be(out, 6, 4);
    put_be(out, 1, 2);
    put_be(out, static_cast<std::uint32_t>(song.parts.size() + 1), 2);
    put_be(out, Song::kTicksPerQuarter, 2);
    put_track(out, conductor(song));
    for (const Part& part : song.parts) {
        put_track(out, part_events(song, part));
    }
    return out;
}

}  // namespace quillon::tunes
