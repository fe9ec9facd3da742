// The MIDI reader on hand-made files: what it must understand and what it must refuse, since the
// device only hands FluidSynth what the reader accepted.
#include <gtest/gtest.h>

#include "sound/midi_file.h"

namespace quillon::sound {
namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::vector<std::uint8_t> file_with(const std::vector<std::uint8_t>& track,
                                    std::uint16_t division = 96) {
    std::vector<std::uint8_t> out;
    for (char c : std::string("MThd")) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    put(out, 6, 4);
    put(out, 0, 2);  // format 0
    put(out, 1, 2);  // one track
    put(out, division, 2);
    for (char c : std::string("MTrk")) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
    put(out, static_cast<std::uint32_t>(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

std::string refusal(const std::vector<std::uint8_t>& bytes) {
    auto parsed = parse_midi(bytes);
    auto* error = std::get_if<MidiParseError>(&parsed);
    return error ? error->what : "";
}

TEST(MidiReader, ReadsRunningStatusTempoChangesAndLongDeltas) {
    const auto bytes = file_with({
        0x00, 0x90, 60,   100,  // note on
        0x60, 62,   100,        // running status: another note on, 96 ticks later
        0x00, 0xFF, 0x51, 3,    0x0F, 0x42, 0x40,  // tempo 1 s per quarter, at tick 96
        0x81, 0x40, 0x80, 60,   0,                 // delta 192 (two bytes): note off at tick 288
        0x00, 0xFF, 0x2F, 0x00,                    // end of track
    });
    auto parsed = parse_midi(bytes);
    ASSERT_TRUE(std::holds_alternative<MidiFile>(parsed)) << refusal(bytes);
    const auto& file = std::get<MidiFile>(parsed);
    ASSERT_EQ(file.tracks.size(), 1u);
    const auto& events = file.tracks[0].events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[1].status, 0x90);
    EXPECT_EQ(events[1].data1, 62);
    EXPECT_EQ(events[3].tick, 288u);
    EXPECT_TRUE(events[3].is_note_off());
    EXPECT_EQ(file.end_tick(), 288u);
    // 96 ticks at 120 bpm (0.5 s), then 192 at 60 bpm (2 s).
    EXPECT_DOUBLE_EQ(file.duration_seconds(), 2.5);
}

TEST(MidiReader, RefusesWhatFluidSynthWouldReadDifferently) {
    const std::vector<std::uint8_t> end = {0x00, 0xFF, 0x2F, 0x00};
    auto with_end = [&](std::vector<std::uint8_t> head) {
        head.insert(head.end(), end.begin(), end.end());
        return head;
    };
    EXPECT_NE(refusal(file_with(end, 0xE728)), "") << "SMPTE time";
    EXPECT_NE(refusal(file_with(end, 0)), "") << "no ticks per quarter";
    EXPECT_NE(refusal(file_with({0x00, 0x90, 60, 100})), "") << "no end of track";
    EXPECT_NE(refusal(file_with(with_end({0x00, 0xFF, 0x01, 0x00, 0x00, 60, 100}))), "")
        << "running status after a meta event";
    EXPECT_NE(refusal(file_with(with_end({0x00, 0x90, 200, 100}))), "") << "data byte >= 128";
    EXPECT_NE(refusal(file_with(with_end({0x00, 0xFF, 0x51, 2, 1, 2}))), "") << "short tempo";
    EXPECT_NE(refusal(file_with(with_end({0x00, 0xFF, 0x51, 3, 0, 0, 0}))), "") << "tempo 0";
    EXPECT_NE(refusal(file_with(with_end({0x00, 0xF7, 0x01, 0x00}))), "") << "sysex escape";
    EXPECT_NE(refusal(file_with(with_end({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}))), "")
        << "five-byte delta";
    auto overrun = file_with(with_end({0x00, 0xFF, 0x01, 0x7F, 'x'}));
    EXPECT_NE(refusal(overrun), "") << "meta text running past its chunk";
    const std::string why = refusal(file_with({0x00, 0x90, 60}));
    EXPECT_NE(why.find("byte"), std::string::npos) << "the reason says where: " << why;
}

}  // namespace
}  // namespace quillon::sound
