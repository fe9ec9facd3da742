#include "ui/media_factory.h"

#include "game/recording_media_control.h"

namespace quillon::ui {

// The one place that picks the music device. Until the FluidSynth sequencer is in, the game
// runs silent on the recording stand-in, which opens, plays and pauses without a sound.
std::unique_ptr<MediaControl> make_media_control([[maybe_unused]] const Poster& post) {
    return std::make_unique<RecordingMediaControl>();
}

}  // namespace quillon::ui
