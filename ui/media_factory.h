#pragma once

#include <memory>

#include "game/media_control.h"
#include "ui/gui_thread.h"

namespace quillon::ui {

// The music device the game plays its tunes on. `post` runs a function on the GUI thread: a
// device that raises its status event from another thread must send it through `post`.
std::unique_ptr<MediaControl> make_media_control(const Poster& post);

}  // namespace quillon::ui
