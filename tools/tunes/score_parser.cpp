#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <sstream>

#include "tools/tunes/performance.h"
#include "tools/tunes/score.h"

namespace quillon::tunes {
namespace {

struct Failure {
    std::string what;
};

const std::map<std::string, int> kDrums = {
    {"kick", 36},    {"stick", 37},  {"snare", 38},  {"tap", 38},   {"clap", 39},    {"slap", 39},
    {"swirl", 40},   {"lotom", 45},  {"hat", 42},    {"pedal", 44}, {"open", 46},    {"midtom", 47},
    {"hitom", 50},   {"crash", 49},  {"ride", 51},   {"bell", 53},  {"tamb", 54},    {"splash", 55},
    {"cowbell", 56}, {"cabasa", 69}, {"shaker", 82}, {"conga", 63}, {"loconga", 64}, {"clave", 75},
};

const std::map<std::string, int> kLoudness = {{"pp", 40}, {"p", 52}, {"mp", 64},
                                              {"mf", 78}, {"f", 92}, {"ff", 106}};

std::optional<int> pitch(const std::string& name) {
    static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (name.size() < 2 || name[0] < 'a' || name[0] > 'g') {
        return std::nullopt;
    }
    int key = kSemitone[name[0] - 'a'];
    std::size_t i = 1;
    if (name[i] == '#' || (name[i] == 'b' && name.size() > 2)) {
        key += name[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[i]))) {
        return std::nullopt;
    }
    key += 12 * (name[i] - '0' + 1);
    return key;
}

int number(const std::string& text, const std::string& what) {
    try {
        std::size_t used = 0;
        const int v = std::stoi(text, &used);
        if (used == text.size()) {
            return v;
        }
    } catch (const std::exception&) {
    }
    throw Failure{what + " needs a number, not \"" + text + "\""};
}

int number_in(const std::string& text, const std::string& what, int low, int high) {
    const int v = number(text, what);
    if (v < low || v > high) {
        throw Failure{what + " must be from " + std::to_string(low) + " to " +
                      std::to_string(high)};
    }
    return v;
}

// A # opens a comment at the start of a line or after a space; inside a note it is a sharp.
std::string without_comment(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1])))) {
            return line.substr(0, i);
        }
    }
    return line;
}

// Splits a line of music into tokens; a chord in brackets stays one token with its suffix.
std::vector<std::string> tokens(const std::string& music) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < music.size()) {
        if (std::isspace(static_cast<unsigned char>(music[i]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        if (music[i] == '[') {
            j = music.find(']', i);
            if (j == std::string::npos) {
                throw Failure{"a chord is not closed with ]"};
            }
        }
        while (j < music.size() && !std::isspace(static_cast<unsigned char>(music[j]))) {
            ++j;
        }
        out.push_back(music.substr(i, j - i));
        i = j;
    }
    return out;
}

// Reads one part's music within one section, line after line.
class PartReader {
  public:
    PartReader(std::uint32_t bar, bool drums) : bar_(bar), drums_(drums) {}

    void read(const std::string& music) {
        for (const auto& tok : tokens(music)) {
            token(tok);
        }
    }

    SectionPart finish() const {
        if (pos_ % bar_ != 0) {
            throw Failure{"the music stops inside a bar"};
        }
        return SectionPart{notes_, pos_ / bar_};
    }

  private:
    void token(const std::string& tok) {
        if (tok == "|") {
            if (pos_ != checked_ + bar_ && pos_ != checked_) {
                throw Failure{"bar " + std::to_string(checked_ / bar_ + 1) + " holds " +
                              std::to_string(pos_ - checked_) + " ticks instead of " +
                              std::to_string(bar_)};
            }
            checked_ = pos_;
        } else if (tok == "%") {
            if (pos_ % bar_ != 0 || pos_ < bar_) {
                throw Failure{"% must follow a whole bar"};
            }
            const std::uint32_t from = pos_ - bar_;
            for (std::size_t i = 0, n = notes_.size(); i < n; ++i) {
                if (notes_[i].start >= from) {
                    RawNote copy = notes_[i];
                    copy.start += bar_;
                    copy.end += bar_;
                    notes_.push_back(copy);
                }
            }
            last_.clear();
            pos_ += bar_;
        } else if (tok[0] == '!') {
            const std::string level = tok.substr(1);
            auto it = kLoudness.find(level);
            velocity_ = it != kLoudness.end() ? it->second : number_in(level, "a loudness", 1, 127);
        } else if (tok[0] == '[') {
            const std::size_t close = tok.find(']');
            std::vector<int> keys;
            for (const auto& name : tokens(tok.substr(1, close - 1))) {
                keys.push_back(key_of(name));
            }
            strike(keys, tok.substr(close + 1));
        } else {
            const std::size_t cut = tok.find_first_of("/^~");
            const std::string name = tok.substr(0, cut);
            const std::string suffix = cut == std::string::npos ? "" : tok.substr(cut);
            if (name == "r") {
                advance(suffix);
                last_.clear();
            } else if (name == "_") {
                if (last_.empty()) {
                    throw Failure{"_ has no note to hold"};
                }
                advance(suffix);
                for (std::size_t i : last_) {
                    notes_[i].end = pos_;
                }
            } else {
                strike({key_of(name)}, suffix);
            }
        }
    }

    int key_of(const std::string& name) const {
        if (auto key = pitch(name)) {
            return *key;
        }
        if (drums_) {
            if (auto it = kDrums.find(name); it != kDrums.end()) {
                return it->second;
            }
        }
        throw Failure{"\"" + name + "\" is not a note" + (drums_ ? " or a drum" : "")};
    }

    void strike(const std::vector<int>& keys, const std::string& suffix) {
        int velocity = velocity_;
        if (suffix.find('^') != std::string::npos) {
            velocity += 14;
        }
        if (suffix.find('~') != std::string::npos) {
            velocity -= 20;
        }
        const std::uint32_t start = pos_;
        advance(suffix);
        last_.clear();
        for (int key : keys) {
            if (key < 0 || key > 127) {
                throw Failure{"a note is out of the MIDI range"};
            }
            last_.push_back(notes_.size());
            notes_.push_back(RawNote{start, pos_, key, std::clamp(velocity, 1, 127)});
        }
    }

    // Reads /N, a dot and t from the suffix, then moves on by the length.
    void advance(const std::string& suffix) {
        const std::size_t slash = suffix.find('/');
        if (slash != std::string::npos) {
            std::size_t i = slash + 1;
            std::size_t digits = i;
            while (digits < suffix.size() &&
                   std::isdigit(static_cast<unsigned char>(suffix[digits]))) {
                ++digits;
            }
            const int n = number(suffix.substr(i, digits - i), "a length");
            if (n <= 0 || n > 32 || (n & (n - 1)) != 0) {
                throw Failure{"a length must be 1, 2, 4, 8, 16 or 32"};
            }
            length_ = static_cast<std::uint32_t>(Song::kTicksPerQuarter * 4 / n);
            for (char c : suffix.substr(digits)) {
                if (c == '.') {
                    length_ += length_ / 2;
                } else if (c == 't') {
                    length_ = length_ * 2 / 3;
                }
            }
        }
        pos_ += length_;
    }

    std::uint32_t bar_;
    bool drums_;
    std::vector<RawNote> notes_;
    std::vector<std::size_t> last_;
    std::uint32_t pos_ = 0;
    std::uint32_t checked_ = 0;
    std::uint32_t length_ = Song::kTicksPerQuarter;
    int velocity_ = 78;
};

void read_instrument(std::istringstream& words, Song& song) {
    Part part;
    if (!(words >> part.name)) {
        throw Failure{"an instrument needs a name"};
    }
    std::string key;
    std::string value;
    int channel = 0;
    while (words >> key >> value) {
        const int v = number_in(value, key, 0, 127);
        if (key == "channel") {
            channel = v;
        } else if (key == "program") {
            part.program = v;
        } else if (key == "bank") {
            part.bank = v;
        } else if (key == "volume") {
            part.volume = v;
        } else if (key == "pan") {
            part.pan = v;
        } else if (key == "reverb") {
            part.reverb = v;
        } else if (key == "chorus") {
            part.chorus = v;
        } else if (key == "gate") {
            part.gate = number_in(value, "gate", 1, 100);
        } else {
            throw Failure{"an instrument has no \"" + key + "\""};
        }
    }
    if (channel < 1 || channel > 16) {
        throw Failure{"instrument " + part.name + " needs a channel from 1 to 16"};
    }
    part.channel = channel - 1;
    song.parts.push_back(part);
}

}  // namespace

std::variant<Song, ScoreError> parse_score(const std::string& text, const std::string& origin) {
    Song song;
    std::map<std::string, Section> sections;
    std::vector<std::string> form;
    std::string open_section;
    std::map<std::string, PartReader> readers;
    std::string current_part;
    std::istringstream lines(text);
    std::string line;
    int number_of_line = 0;
    try {
        while (std::getline(lines, line)) {
            ++number_of_line;
            line = without_comment(line);
            std::istringstream words(line);
            std::string head;
            if (!(words >> head)) {
                continue;
            }
            if (!open_section.empty()) {
                if (head == "end") {
                    Section& section = sections[open_section];
                    for (const auto& [name, reader] : readers) {
                        section.parts[name] = reader.finish();
                    }
                    open_section.clear();
                    continue;
                }
                // "name: music" starts a part's music; a line without a name continues it.
                std::string name = current_part;
                std::string music = line;
                if (head.find(':') != std::string::npos) {
                    name = head.substr(0, head.find(':'));
                    music = line.substr(line.find(':') + 1);
                }
                auto part = std::find_if(song.parts.begin(), song.parts.end(),
                                         [&](const Part& p) { return p.name == name; });
                if (part == song.parts.end()) {
                    throw Failure{name.empty() ? "music comes before any part is named"
                                               : "\"" + name + "\" is not a part of this tune"};
                }
                current_part = name;
                readers.try_emplace(name, song.bar_ticks(), part->channel == 9)
                    .first->second.read(music);
                continue;
            }
            std::string rest;
            std::getline(words >> std::ws, rest);
            if (head == "title") {
                song.title = rest;
            } else if (head == "tempo") {
                song.tempo_bpm = number_in(rest, "tempo", 20, 300);
            } else if (head == "swing") {
                song.swing = number_in(rest, "swing", 50, 75);
            } else if (head == "meter") {
                const std::size_t slash = rest.find('/');
                song.beats_per_bar = number_in(rest.substr(0, slash), "the meter's beats", 1, 16);
                song.beat_unit = number_in(slash == std::string::npos ? "" : rest.substr(slash + 1),
                                           "the meter's beat", 1, 16);
                if ((song.beat_unit & (song.beat_unit - 1)) != 0) {
                    throw Failure{"the meter's beat must be 1, 2, 4, 8 or 16"};
                }
            } else if (head == "instrument") {
                std::istringstream more(rest);
                read_instrument(more, song);
            } else if (head == "section") {
                open_section = rest;
                readers.clear();
                current_part.clear();
                if (open_section.empty() || sections.count(open_section)) {
                    throw Failure{"a section needs a new name"};
                }
            } else if (head == "form") {
                std::istringstream names(rest);
                for (std::string name; names >> name;) {
                    form.push_back(name);
                }
            } else {
                throw Failure{"\"" + head + "\" is not a score line"};
            }
        }
        if (!open_section.empty()) {
            throw Failure{"section " + open_section + " has no end"};
        }
        number_of_line = 0;
        assemble(song, sections, form);
    } catch (const Failure& f) {
        return ScoreError{origin + ":" +
                          (number_of_line ? std::to_string(number_of_line) + ":" : "") + " " +
                          f.what};
    } catch (const PerformanceError& f) {
        return ScoreError{origin + ": " + f.what};
    }
    return song;
}

}  // namespace quillon::tunes
