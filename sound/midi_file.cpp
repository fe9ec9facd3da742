#include "sound/midi_file.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

namespace quillon::sound {
namespace {

// FluidSynth reads the track count from the low byte as a signed char and keeps at most this many
// tracks; more would be read differently from what we accept.
constexpr std::size_t kMaxTracks = 127;
// The player counts ticks in an int; far below that keeps every sum exact.
constexpr std::uint64_t kMaxTicks = 1u << 30;
constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 bpm

struct Failure {
    std::string what;
};

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t pos() const { return pos_; }
    std::size_t left() const { return bytes_.size() - pos_; }

    std::uint8_t byte(const char* what) {
        if (pos_ >= bytes_.size()) {
            fail(std::string("the file ends inside ") + what);
        }
        return bytes_[pos_++];
    }
    std::uint32_t be(int count, const char* what) {
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            v = (v << 8) | byte(what);
        }
        return v;
    }
    std::string_view tag() {
        if (left() < 4) {
            fail("the file ends inside a chunk header");
        }
        std::string_view s(reinterpret_cast<const char*>(bytes_.data() + pos_), 4);
        pos_ += 4;
        return s;
    }
    std::span<const std::uint8_t> take(std::size_t n, const char* what) {
        if (n > left()) {
            fail(std::string("the file ends inside ") + what);
        }
        auto s = bytes_.subspan(pos_, n);
        pos_ += n;
        return s;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw Failure{what + " (at byte " + std::to_string(pos_) + ")"};
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// Reads one track chunk's events from a reader over that chunk alone, so nothing can run past it.
class TrackReader {
  public:
    TrackReader(std::span<const std::uint8_t> chunk, std::size_t offset)
        : in_(chunk), offset_(offset) {}

    MidiTrack read() {
        MidiTrack track;
        std::uint64_t tick = 0;
        while (true) {
            if (in_.left() == 0) {
                fail("the track stops without an end-of-track event");
            }
            tick += varlen("a delta time");
            if (tick >= kMaxTicks) {
                fail("the track is impossibly long");
            }
            MidiEvent ev = event();
            ev.tick = static_cast<std::uint32_t>(tick);
            if (ev.is_meta(0x2F)) {
                track.end_tick = ev.tick;
                track.events.push_back(std::move(ev));
                return track;  // bytes after the end are ignored, as FluidSynth does
            }
            track.events.push_back(std::move(ev));
        }
    }

  private:
    std::uint32_t varlen(const char* what) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte(what);
            v = (v << 7) | (b & 0x7F);
            if ((b & 0x80) == 0) {
                return v;
            }
        }
        fail(std::string(what) + " is longer than four bytes");
    }

    std::uint8_t byte(const char* what) {
        if (in_.left() == 0) {
            fail(std::string("the track ends inside ") + what);
        }
        return in_.byte(what);
    }

    std::uint8_t data_byte(const char* what) {
        const std::uint8_t b = byte(what);
        if (b & 0x80) {
            fail(std::string(what) + " has its top bit set");
        }
        return b;
    }

    std::vector<std::uint8_t> payload(std::uint32_t n, const char* what) {
        if (n > in_.left()) {
            fail(std::string("the track ends inside ") + what);
        }
        auto s = in_.take(n, what);
        return {s.begin(), s.end()};
    }

    MidiEvent event() {
        MidiEvent ev;
        std::uint8_t status = byte("an event");
        if ((status & 0x80) == 0) {
            if (running_ == 0) {
                fail("a data byte comes where an event should start");
            }
            ev.status = running_;
            ev.data1 = status;
            finish_channel_message(ev);
            return ev;
        }
        ev.status = status;
        if (status < 0xF0) {
            running_ = status;
            ev.data1 = data_byte("a channel message");
            finish_channel_message(ev);
        } else if (status == 0xFF) {
            running_ = 0;
            read_meta(ev);
        } else if (status == 0xF0) {
            running_ = 0;
            ev.payload = payload(varlen("a system exclusive length"), "a system exclusive message");
        } else {
            fail("status byte " + std::to_string(status) + " cannot stand in a file");
        }
        return ev;
    }

    void finish_channel_message(MidiEvent& ev) {
        const int kind = ev.kind();
        if (kind != 0xC0 && kind != 0xD0) {
            ev.data2 = data_byte("a channel message");
        }
    }

    void read_meta(MidiEvent& ev) {
        ev.meta_type = byte("a meta event");
        const std::uint32_t length = varlen("a meta event length");
        ev.payload = payload(length, "a meta event");
        // The lengths FluidSynth insists on; anything else makes it drop the whole file.
        static const std::map<std::uint8_t, std::uint32_t> fixed = {
            {0x2F, 0}, {0x51, 3}, {0x54, 5}, {0x58, 4}, {0x59, 2}};
        if (auto it = fixed.find(ev.meta_type); it != fixed.end() && it->second != length) {
            fail("meta event " + std::to_string(ev.meta_type) + " has the wrong length");
        }
        if (ev.meta_type == 0x51 && ev.payload[0] == 0 && ev.payload[1] == 0 &&
            ev.payload[2] == 0) {
            fail("a tempo of zero");
        }
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw Failure{what + " (at byte " + std::to_string(offset_ + in_.pos()) + ")"};
    }

    Reader in_;
    std::size_t offset_;
    std::uint8_t running_ = 0;
};

MidiFile read_file(std::span<const std::uint8_t> bytes) {
    Reader in(bytes);
    if (bytes.size() < 4 || in.tag() != "MThd") {
        throw Failure{"it does not start with a MIDI header"};
    }
    if (in.be(4, "the header") != 6) {
        in.fail("the header length is not 6");
    }
    MidiFile file;
    file.format = static_cast<int>(in.be(2, "the header"));
    const std::uint32_t ntracks = in.be(2, "the header");
    const std::uint32_t division = in.be(2, "the header");
    if (file.format > 2) {
        in.fail("unknown format " + std::to_string(file.format));
    }
    if (ntracks == 0 || ntracks > kMaxTracks) {
        in.fail("it claims " + std::to_string(ntracks) + " tracks");
    }
    if (division == 0 || (division & 0x8000)) {
        in.fail("its time division is not in ticks per quarter note");
    }
    file.division = static_cast<int>(division);
    while (file.tracks.size() < ntracks) {
        if (in.left() == 0) {
            in.fail("only " + std::to_string(file.tracks.size()) + " of " +
                    std::to_string(ntracks) + " tracks are there");
        }
        const std::string_view id = in.tag();
        const std::uint32_t length = in.be(4, "a chunk header");
        const std::size_t start = in.pos();
        const auto chunk = in.take(length, "a chunk");
        if (id == "MTrk") {
            file.tracks.push_back(TrackReader(chunk, start).read());
        } else if (!std::all_of(id.begin(), id.end(),
                                [](char c) { return c >= 0x20 && c < 0x7F; })) {
            throw Failure{"a chunk has a garbled name (at byte " + std::to_string(start - 8) + ")"};
        }
    }
    return file;
}

}  // namespace

std::uint32_t MidiFile::end_tick() const {
    std::uint32_t end = 0;
    for (const auto& t : tracks) {
        end = std::max(end, t.end_tick);
    }
    return end;
}

double MidiFile::seconds_at(std::uint32_t tick) const {
    // Tempo changes from every track, in tick order; the player applies them wherever they are.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> changes;
    for (const auto& t : tracks) {
        for (const auto& e : t.events) {
            if (e.is_meta(0x51)) {
                const std::uint32_t us = (std::uint32_t{e.payload[0]} << 16) |
                                         (std::uint32_t{e.payload[1]} << 8) | e.payload[2];
                changes.emplace_back(e.tick, us);
            }
        }
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double seconds = 0;
    std::uint32_t at = 0;
    std::uint32_t tempo = kDefaultTempo;
    for (const auto& [when, us] : changes) {
        if (when >= tick) {
            break;
        }
        seconds += static_cast<double>(when - at) * tempo / 1e6 / division;
        at = when;
        tempo = us;
    }
    return seconds + static_cast<double>(tick - at) * tempo / 1e6 / division;
}

double MidiFile::duration_seconds() const {
    return seconds_at(end_tick());
}

std::variant<MidiFile, MidiParseError> parse_midi(std::span<const std::uint8_t> bytes) {
    try {
        return read_file(bytes);
    } catch (const Failure& f) {
        return MidiParseError{f.what};
    }
}

}  // namespace quillon::sound
