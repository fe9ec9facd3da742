#include "ui/media_factory.h"

#ifdef QUILLON_HAS_SOUND
#include "sound/fluidsynth_media_control.h"
#else
#include "game/recording_media_control.h"
#endif

namespace quillon::ui {

// The one place that picks the music device: the FluidSynth sequencer, whose end-of-tune
// reports come from its audio thread and reach the window through `post`.
std::unique_ptr<MediaControl> make_media_control([[maybe_unused]] const Poster& post) {
#ifdef QUILLON_HAS_SOUND
    sound::FluidSynthOptions options;
    options.post = post;
    // The SoundFont and the ordinary tune's instruments load while the window is being built.
    options.load_in_background = true;
    options.warm_tunes = {kOrdinaryTune};
    return std::make_unique<sound::FluidSynthMediaControl>(std::move(options));
#else
    // Built without music: a device that accepts every command and plays nothing.
    return std::make_unique<RecordingMediaControl>();
#endif
}

}  // namespace quillon::ui
