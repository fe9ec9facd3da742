#pragma once

#include <QFont>

#include "game/layout.h"

namespace quillon::ui {

// Maps the design's Windows font names to the Debian fonts that stand in for them: the IPA
// fonts for the Japanese faces, URW C059 for Century. Call once after QApplication exists.
void install_font_substitutions();

// The font a control draws with. Sizes are pixels at 96 dpi, so a caption keeps its size
// whatever dpi the platform reports; high-dpi screens scale it with the rest of the window.
// An empty family means the window's default font.
QFont font_for(const FontSpec& spec);

// Points to pixels at 96 dpi, rounded as Windows rounds a font height.
int font_pixels(double points);

}  // namespace quillon::ui
