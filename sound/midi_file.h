#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace quillon::sound {

// One event of a track, at its absolute tick. Channel messages keep their status byte (0x80-0xEF)
// and data bytes; meta events (status 0xFF) and system exclusive messages (0xF0) keep their
// payload.
struct MidiEvent {
    std::uint32_t tick = 0;
    std::uint8_t status = 0;
    std::uint8_t meta_type = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::vector<std::uint8_t> payload;

    bool is_channel_message() const { return status >= 0x80 && status < 0xF0; }
    int channel() const { return status & 0x0F; }
    int kind() const { return status & 0xF0; }
    bool is_note_on() const { return kind() == 0x90 && data2 > 0; }
    bool is_note_off() const { return kind() == 0x80 || (kind() == 0x90 && data2 == 0); }
    bool is_meta(std::uint8_t type) const { return status == 0xFF && meta_type == type; }
};

struct MidiTrack {
    std::vector<MidiEvent> events;
    // The tick of the track's end-of-track event.
    std::uint32_t end_tick = 0;
};

struct MidiFile {
    int format = 0;
    // Ticks per quarter note.
    int division = 0;
    std::vector<MidiTrack> tracks;

    // The tick where the last track ends: the tune's length, as FluidSynth's player counts it.
    std::uint32_t end_tick() const;
    // The tune's length in seconds, following its tempo changes (120 bpm until the first one).
    double duration_seconds() const;
    // Seconds from the start to a tick, following the tempo map.
    double seconds_at(std::uint32_t tick) const;
};

struct MidiParseError {
    std::string what;
};

// Reads a Standard MIDI File. It is strict on purpose: whatever it accepts, FluidSynth's player
// reads the same way, so a damaged file is turned away with a reason instead of being played
// half-way. It refuses SMPTE timing, running status after non-channel messages, data bytes with
// the top bit set, events that run past their chunk, tracks without an end, and tempo 0.
std::variant<MidiFile, MidiParseError> parse_midi(std::span<const std::uint8_t> bytes);

}  // namespace quillon::sound
