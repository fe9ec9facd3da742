#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "sound/sound_options.h"
#include "sound/synth_engine.h"

namespace quillon::sound {

// One opened tune: FluidSynth's player on the shared synthesizer, and the watch for the tune's
// end. The synthesizer's output (SynthOutput) outlives it; the owner holds the output's
// exclusive lock while a session is made or deleted.
//
// FluidSynth's player only moves while the synthesizer renders, on the audio thread. Left to
// itself, FluidSynth 2.3 reports a finished file only once every voice has died away plus two
// seconds of grace, and restarting it then cuts whatever still sounds: a loop with a gap of
// several seconds. So the player is kept looping on its own, which carries it from the last tick
// into the first within one 64-frame block, and its tick callback counts each time it passes the
// tune's last tick. The same callback, still on the audio thread, hands such an end to the
// window's thread through `post`, tagged with the generation given to play(), so a late report
// for an earlier Play is recognised and dropped. A Play from the start that answers the report
// finds the tune already there and lets it run: the seam is never heard. Without an answer the
// window's side stops the player and rewinds it.
class PlaybackSession {
    class Key {
        friend class PlaybackSession;
        Key() = default;
    };

  public:
    // Runs on the window's thread with the generation of the play() whose tune ended.
    using EndHandler = std::function<void(std::uint64_t generation)>;

    static std::variant<std::unique_ptr<PlaybackSession>, std::string> open(
        SynthEngine& engine, std::span<const std::uint8_t> midi, std::uint32_t end_tick,
        PostToWindow post, EndHandler on_end);

    PlaybackSession(Key, SynthEngine& engine, std::uint32_t end_tick, PostToWindow post,
                    EndHandler on_end);
    PlaybackSession(const PlaybackSession&) = delete;
    PlaybackSession& operator=(const PlaybackSession&) = delete;
    ~PlaybackSession();

    // Starts, or resumes where halt() left off. With `from_tick` it starts at that tick instead;
    // from tick 0 right after a reported end it simply goes on, being there already.
    void play(std::optional<std::uint32_t> from_tick, std::uint64_t generation);
    // Stops without rewinding. FluidSynth silences the channels that were playing.
    void halt();
    // Stops and goes back to the start: for an end that nobody answered with a Play.
    void rewind();

  private:
    static int tick_callback(void* data, int tick);
    static int playback_event(void* data, fluid_midi_event_t* event);
    void report_end() noexcept;

    SynthEngine& engine_;
    const std::uint32_t end_tick_;
    PostToWindow post_;
    EndHandler on_end_;
    PlayerPtr player_;

    // Taken by the window's thread around every change to the player, and tried (never waited
    // for) by the audio thread, so the two never see each other half-way.
    std::mutex mutex_;
    // Set while an end should be reported.
    std::atomic<bool> armed_{false};
    std::uint64_t armed_generation_ = 0;
    // Counted by the tick callback each time the player passes the last tick.
    std::atomic<std::uint64_t> passes_ended_{0};
    // The count already reported, or already reached when the player was armed. Written under
    // the lock; read without it for the quick look on every tick.
    std::atomic<std::uint64_t> passes_seen_{0};
    // An end was reported and the player has gone on into the next pass.
    bool wrapped_ = false;
};

}  // namespace quillon::sound
