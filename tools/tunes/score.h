#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A tune written as text, one line of music per instrument, and what it turns into.
//
//   # comment
//   title  Lounge
//   tempo  96                  quarter notes per minute
//   meter  4/4
//   swing  60                  where an off-beat eighth falls, in percent of the beat (50: even)
//   instrument keys  channel 1  program 4  volume 84  pan 44  reverb 50  chorus 30  gate 92
//   instrument kit   channel 10 program 40
//
//   section A
//   keys: | [e3 g3 a3 c4]/4. [e3 g3 a3 c4]/8 _/2 | ... |
//   kit:  | [kick swirl]/4 [tap pedal] [kick swirl] [tap pedal] | % |
//   end
//
//   form A A B
//
// Music: notes are a letter, an optional # or b and an octave (c4 is middle C, bb2 a low B flat);
// drum sounds go by name (kick, tap, ride, hat, ...). [ ] strikes a chord, r rests, _ holds the
// last struck notes on. /4 sets the length of this and the following notes (1 2 4 8 16, a dot
// for dotted, t for triplet). A trailing ^ accents a note, a trailing ~ plays it softly. !mf (or
// !pp !p !mp !f !ff, or !NN) sets the loudness from there on. | checks that exactly one bar has
// passed; % repeats the bar before. Every part of a section must be the same number of bars.
namespace quillon::tunes {

struct Note {
    std::uint32_t start = 0;  // ticks from the start of the tune, swing applied
    std::uint32_t end = 0;
    std::uint8_t key = 60;
    std::uint8_t velocity = 80;
};

struct Part {
    std::string name;
    int channel = 0;  // 0-15; the score counts from 1
    int program = -1;
    int bank = 0;
    int volume = -1;
    int pan = -1;
    int reverb = -1;
    int chorus = -1;
    int gate = 90;  // percent of its written length a note sounds
    std::vector<Note> notes;
};

struct Song {
    static constexpr int kTicksPerQuarter = 480;
    std::string title;
    int tempo_bpm = 120;
    int beats_per_bar = 4;
    int beat_unit = 4;
    int swing = 50;
    std::uint32_t length = 0;  // ticks; every part ends here
    std::vector<Part> parts;

    std::uint32_t bar_ticks() const {
        return static_cast<std::uint32_t>(beats_per_bar * kTicksPerQuarter * 4 / beat_unit);
    }
};

struct ScoreError {
    std::string what;  // "file:line: what is wrong"
};

std::variant<Song, ScoreError> parse_score(const std::string& text, const std::string& origin);

}  // namespace quillon::tunes
