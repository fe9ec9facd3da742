#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string_view>

#include "game/controls.h"
#include "ui/table_layout.h"

// The design's terms in Qt's: twips, points, its Windows font names, its colours and captions.
namespace quillon::ui {

// The layout is measured in twips; the window draws at 96 dpi, where a pixel is 15 twips. Qt
// scales these logical pixels for high-dpi screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int to_pixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

inline QPoint to_pixels(int left, int top) {
    return {to_pixels(left), to_pixels(top)};
}

inline QRect to_pixels(int left, int top, int width, int height) {
    return {to_pixels(left), to_pixels(top), to_pixels(width), to_pixels(height)};
}

// Maps the design's Windows font names to the Debian fonts that stand in for them: the IPA
// fonts for the Japanese faces, URW C059 for Century. Call once after QApplication exists.
void install_font_substitutions();

// The font a control draws with. Sizes are pixels at 96 dpi, so a caption keeps its size
// whatever dpi the platform reports; high-dpi screens scale it with the rest of the window.
// An empty family means the window's default font.
QFont font_for(const FontSpec& face);

// Points to pixels at 96 dpi, rounded as Windows rounds a font height.
int font_pixels(double points);

// "#RRGGBB" of the model as a Qt colour.
QColor to_qcolor(Color color);

// A caption or name of the model as Qt text: UTF-8, its CR LF line breaks as plain line feeds.
QString caption_text(std::string_view caption);

}  // namespace quillon::ui
