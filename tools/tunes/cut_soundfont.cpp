// Writes a SoundFont of just what the tunes play, cut from a General MIDI SoundFont:
//
//   cut_soundfont SOURCE.sf2 OUT.sf2 TUNE.mid...
//
// Every preset the tunes select is copied with its instruments and samples (libinstpatch does
// the copying and writing), and then each instrument keeps only the zones that some note of the
// tunes reaches, by key and velocity, so the samples of keys never played are left out. The
// notes that are played sound exactly as they do from the source.
#include <libinstpatch/libinstpatch.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sound/midi_file.h"

namespace {

using quillon::sound::MidiFile;

struct Note {
    int key;
    int velocity;
    bool operator<(const Note& o) const {
        return std::pair{key, velocity} < std::pair{o.key, o.velocity};
    }
};
using Preset = std::pair<int, int>;  // bank, program

// Every note of the tunes under the preset its channel had selected when it was struck.
bool collect(const char* path, std::map<Preset, std::set<Note>>& played) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    auto parsed = quillon::sound::parse_midi(bytes);
    if (auto* bad = std::get_if<quillon::sound::MidiParseError>(&parsed)) {
        std::fprintf(stderr, "cut_soundfont: %s: %s\n", path, bad->what.c_str());
        return false;
    }
    std::vector<quillon::sound::MidiEvent> events;
    for (const auto& track : std::get<MidiFile>(parsed).tracks) {
        events.insert(events.end(), track.events.begin(), track.events.end());
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.tick < b.tick; });
    int bank[16] = {};
    int program[16] = {};
    for (const auto& e : events) {
        if (!e.is_channel_message()) {
            continue;
        }
        const int ch = e.channel();
        if (e.kind() == 0xB0 && e.data1 == 0) {
            bank[ch] = e.data2;
        } else if (e.kind() == 0xC0) {
            program[ch] = e.data1;
        } else if (e.is_note_on()) {
            played[{ch == 9 ? 128 : bank[ch], program[ch]}].insert({e.data1, e.data2});
        }
    }
    return true;
}

bool in_range(IpatchItem* zone, guint generator, int value) {
    IpatchSF2GenAmount amount;
    if (!ipatch_sf2_gen_item_get_amount(IPATCH_SF2_GEN_ITEM(zone), generator, &amount)) {
        return true;  // no range: the whole range
    }
    return value >= amount.range.low && value <= amount.range.high;
}

bool reaches(IpatchItem* zone, const Note& note) {
    return in_range(zone, IPATCH_SF2_GEN_NOTE_RANGE, note.key) &&
           in_range(zone, IPATCH_SF2_GEN_VELOCITY_RANGE, note.velocity);
}

// The children of a container, each with a reference held until the list goes.
std::vector<IpatchItem*> children(IpatchList* list) {
    std::vector<IpatchItem*> items;
    for (GList* p = list->items; p != nullptr; p = p->next) {
        items.push_back(IPATCH_ITEM(p->data));
    }
    return items;
}

int fail(const char* what, GError* error) {
    std::fprintf(stderr, "cut_soundfont: %s: %s\n", what, error ? error->message : "failed");
    if (error) {
        g_error_free(error);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: cut_soundfont SOURCE.sf2 OUT.sf2 TUNE.mid...\n");
        return 2;
    }
    std::map<Preset, std::set<Note>> played;
    for (int i = 3; i < argc; ++i) {
        if (!collect(argv[i], played)) {
            return 1;
        }
    }

    // FluidR3 links some stereo halves to the same sample; libinstpatch warns of each one, and
    // none of them matters here. Only the count is told.
    int warnings = 0;
    g_log_set_handler(
        nullptr, G_LOG_LEVEL_WARNING,
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer count) {
            ++*static_cast<int*>(count);
        },
        &warnings);
    ipatch_init();
    GError* error = nullptr;
    IpatchSF2File* source_file = ipatch_sf2_file_new();
    IpatchFileHandle* handle = ipatch_file_open(IPATCH_FILE(source_file), argv[1], "r", &error);
    if (!handle) {
        return fail(argv[1], error);
    }
    IpatchSF2Reader* reader = ipatch_sf2_reader_new(handle);
    IpatchSF2* source = ipatch_sf2_reader_load(reader, &error);
    if (!source) {
        return fail(argv[1], error);
    }

    IpatchSF2* cut = ipatch_sf2_new();
    ipatch_sf2_set_info(cut, IPATCH_SF2_NAME, "Quillon tunes");
    ipatch_sf2_set_info(cut, IPATCH_SF2_COMMENT,
                        "The presets the Quillon tunes play, cut from FluidR3_GM (MIT licence, "
                        "Frank Wen and contributors), only the zones the tunes reach.");
    // A preset the source lacks is played by FluidSynth from the standard kit (drums) or from
    // bank 0; the notes go with it.
    std::map<Preset, std::set<Note>> taken;
    for (const auto& [preset, notes] : played) {
        Preset found = preset;
        if (!ipatch_sf2_find_preset(source, nullptr, preset.first, preset.second, nullptr)) {
            found = preset.first == 128 ? Preset{128, 0} : Preset{0, preset.second};
        }
        taken[found].insert(notes.begin(), notes.end());
    }
    for (const auto& [preset, notes] : taken) {
        IpatchSF2Preset* from =
            ipatch_sf2_find_preset(source, nullptr, preset.first, preset.second, nullptr);
        if (!from) {
            std::fprintf(stderr, "cut_soundfont: %s has no preset %d:%d\n", argv[1], preset.first,
                         preset.second);
            return 1;
        }
        if (!ipatch_simple_paste(IPATCH_ITEM(cut), IPATCH_ITEM(from), &error)) {
            return fail("copying a preset", error);
        }
        g_object_unref(from);
    }

    // Which notes reach each instrument, through the zones of the presets that use it.
    std::map<IpatchItem*, std::set<Note>> reaching;
    IpatchList* presets = ipatch_sf2_get_presets(cut);
    for (IpatchItem* preset : children(presets)) {
        int bank = 0;
        int program = 0;
        ipatch_sf2_preset_get_midi_locale(IPATCH_SF2_PRESET(preset), &bank, &program);
        const auto& notes = taken[{bank, program}];
        IpatchList* zones = ipatch_sf2_preset_get_zones(preset);
        for (IpatchItem* zone : children(zones)) {
            IpatchSF2Inst* inst = ipatch_sf2_pzone_get_inst(IPATCH_SF2_PZONE(zone));
            bool needed = false;
            for (const Note& note : notes) {
                if (reaches(zone, note)) {
                    reaching[IPATCH_ITEM(inst)].insert(note);
                    needed = true;
                }
            }
            if (!needed) {
                ipatch_item_remove(zone);
            }
            if (inst) {
                g_object_unref(inst);
            }
        }
        g_object_unref(zones);
    }
    g_object_unref(presets);

    int kept = 0;
    int dropped = 0;
    IpatchList* insts = ipatch_sf2_get_insts(cut);
    for (IpatchItem* inst : children(insts)) {
        const auto found = reaching.find(inst);
        if (found == reaching.end()) {
            ipatch_item_remove(inst);  // no note reaches it, through any preset
            continue;
        }
        const auto& notes = found->second;
        IpatchList* zones = ipatch_sf2_inst_get_zones(inst);
        for (IpatchItem* zone : children(zones)) {
            bool needed = false;
            for (const Note& note : notes) {
                needed = needed || reaches(zone, note);
            }
            if (needed) {
                ++kept;
            } else {
                ipatch_item_remove(zone);
                ++dropped;
            }
        }
        g_object_unref(zones);
        // An instrument left without zones (the notes fall in its preset zone's range but on
        // none of its keys) goes with the preset zones that name it: an empty instrument is
        // written in a way FluidSynth refuses.
        IpatchList* left = ipatch_sf2_inst_get_zones(inst);
        const bool empty = left->items == nullptr;
        g_object_unref(left);
        if (empty) {
            IpatchList* users = ipatch_sf2_get_zone_references(inst);
            for (IpatchItem* user : children(users)) {
                ipatch_item_remove(user);
            }
            g_object_unref(users);
            ipatch_item_remove(inst);
        }
    }
    g_object_unref(insts);

    // Samples no zone plays any more go too, unless the other half of a kept stereo pair.
    std::set<IpatchItem*> linked;
    IpatchList* samples = ipatch_sf2_get_samples(cut);
    std::vector<IpatchItem*> unused;
    for (IpatchItem* sample : children(samples)) {
        IpatchList* users = ipatch_sf2_get_zone_references(sample);
        const bool used = users != nullptr && users->items != nullptr;
        if (users) {
            g_object_unref(users);
        }
        if (used) {
            if (IpatchSF2Sample* other = ipatch_sf2_sample_get_linked(IPATCH_SF2_SAMPLE(sample))) {
                linked.insert(IPATCH_ITEM(other));
                g_object_unref(other);
            }
        } else {
            unused.push_back(sample);
        }
    }
    int samples_dropped = 0;
    for (IpatchItem* sample : unused) {
        if (!linked.count(sample)) {
            ipatch_item_remove(sample);
            ++samples_dropped;
        }
    }
    g_object_unref(samples);

    IpatchSF2File* out_file = ipatch_sf2_file_new();
    IpatchFileHandle* out = ipatch_file_open(IPATCH_FILE(out_file), argv[2], "w", &error);
    if (!out) {
        return fail(argv[2], error);
    }
    IpatchSF2Writer* writer = ipatch_sf2_writer_new(out, cut);
    if (!ipatch_sf2_writer_save(writer, &error)) {
        return fail(argv[2], error);
    }
    g_object_unref(writer);  // closes the file it wrote
    g_object_unref(out_file);
    g_object_unref(cut);
    g_object_unref(source);
    g_object_unref(reader);  // closes the file it read
    g_object_unref(source_file);
    std::printf(
        "cut_soundfont: %s: %zu presets, %d instrument zones kept, %d dropped, %d samples "
        "dropped\n",
        argv[2], taken.size(), kept, dropped, samples_dropped);
    return 0;
}
