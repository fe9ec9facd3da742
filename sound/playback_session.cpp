#include "sound/playback_session.h"

namespace quillon::sound {

namespace {

// The loop count the player is kept at. It never runs out, as the tick callback sets it again
// at every end, yet stays finite: a file FluidSynth failed to load would otherwise be retried
// forever on the audio thread.
constexpr int kPassesAhead = 2;

}  // namespace

PlaybackSession::PlaybackSession(Key, SynthEngine& engine, std::uint32_t end_tick,
                                 PostToWindow post, EndHandler on_end)
    : engine_(engine), end_tick_(end_tick), post_(std::move(post)), on_end_(std::move(on_end)) {}

std::variant<std::unique_ptr<PlaybackSession>, std::string> PlaybackSession::open(
    SynthEngine& engine, std::span<const std::uint8_t> midi, std::uint32_t end_tick,
    PostToWindow post, EndHandler on_end) {
    auto session = std::make_unique<PlaybackSession>(Key{}, engine, end_tick, std::move(post),
                                                     std::move(on_end));
    fluid_player_t* player = new_fluid_player(engine.synth());
    session->player_.reset(player);
    if (!player || fluid_player_add_mem(player, midi.data(), midi.size()) != FLUID_OK) {
        return std::string("FluidSynth could not create a MIDI player");
    }
    fluid_player_set_loop(player, kPassesAhead);
    fluid_player_set_tick_callback(player, tick_callback, session.get());
    fluid_player_set_playback_callback(player, playback_event, engine.synth());
    return session;
}

PlaybackSession::~PlaybackSession() {
    player_.reset();
}

void PlaybackSession::play(std::optional<std::uint32_t> from_tick, std::uint64_t generation) {
    std::lock_guard lock(mutex_);
    fluid_player_t* player = player_.get();
    if (wrapped_ && from_tick.value_or(0) == 0) {
        // Already at the top of the next pass, a block or two in: this is the seamless loop.
    } else if (from_tick) {
        // A seek while playing may be refused if one is pending; stopped, it always takes. A
        // player that never played has no tracks loaded yet and takes any seek as it is.
        if (fluid_player_get_status(player) != FLUID_PLAYER_READY) {
            fluid_player_stop(player);
        }
        fluid_player_seek(player, static_cast<int>(*from_tick < end_tick_ ? *from_tick : 0));
        fluid_player_play(player);
    } else {
        fluid_player_play(player);
    }
    wrapped_ = false;
    passes_seen_.store(passes_ended_.load());
    armed_generation_ = generation;
    armed_.store(true);
}

void PlaybackSession::halt() {
    std::lock_guard lock(mutex_);
    armed_.store(false);
    wrapped_ = false;
    fluid_player_stop(player_.get());
}

void PlaybackSession::rewind() {
    std::lock_guard lock(mutex_);
    armed_.store(false);
    wrapped_ = false;
    fluid_player_stop(player_.get());
    fluid_player_seek(player_.get(), 0);
}

int PlaybackSession::tick_callback(void* data, int tick) {
    auto* self = static_cast<PlaybackSession*>(data);
    if (tick >= 0 && static_cast<std::uint32_t>(tick) >= self->end_tick_) {
        // Called from inside the player's own callback, just before it moves on to the next
        // pass, which is what keeps the loop count from running out.
        fluid_player_set_loop(self->player_.get(), kPassesAhead);
        self->passes_ended_.fetch_add(1);
    }
    self->report_end();
    return FLUID_OK;
}

int PlaybackSession::playback_event(void* data, fluid_midi_event_t* event) {
    auto* synth = static_cast<fluid_synth_t*>(data);
    // When it stops or seeks, the player cuts every sounding note with All Sound Off, which
    // clicks. Releasing them with All Notes Off instead lets them end as they do in the music;
    // the output's fade then takes care of the tails.
    constexpr int kControlChange = 0xB0;
    constexpr int kAllSoundOff = 120;
    constexpr int kAllNotesOff = 123;
    if (fluid_midi_event_get_type(event) == kControlChange &&
        fluid_midi_event_get_control(event) == kAllSoundOff) {
        return fluid_synth_cc(synth, fluid_midi_event_get_channel(event), kAllNotesOff, 0);
    }
    return fluid_synth_handle_midi_event(synth, event);
}

void PlaybackSession::report_end() noexcept {
    if (!armed_.load() || passes_ended_.load() == passes_seen_.load()) {
        return;
    }
    // A busy lock means the window's thread is changing the player: the next tick tries again,
    // as the count stays ahead until it is reported.
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock() || !armed_.load()) {
        return;
    }
    armed_.store(false);
    passes_seen_.store(passes_ended_.load());
    wrapped_ = true;
    const std::uint64_t generation = armed_generation_;
    lock.unlock();
    if (post_) {
        try {
            post_([handler = on_end_, generation] { handler(generation); });
        } catch (...) {
            // Out of memory on the audio thread: this end goes unreported and the tune plays on
            // from the top, as it would without a window to tell.
        }
    }
}

}  // namespace quillon::sound
