#pragma once

namespace quillon::sound {

// FluidSynth runs its audio thread at real-time priority, but the PulseAudio client library
// carries that audio to the server on a thread of its own ("threaded-ml"), left at normal
// priority: with the cores busy it delivers late and the server plays silence. This raises such
// threads of this process to real-time priority `priority` where the system allows it (root, or
// an RLIMIT_RTPRIO), and leaves them as they are otherwise.
void raise_audio_io_threads(int priority);

}  // namespace quillon::sound
