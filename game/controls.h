#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quillon {

// A colour as #RRGGBB.
struct Color {
    std::uint32_t rgb = 0;
    friend constexpr bool operator==(Color, Color) = default;
};

namespace colors {
inline constexpr Color white{0xFFFFFF};
inline constexpr Color highlight{0x8080FF};  // the bet's column, held slots, markers
inline constexpr Color yellow{0xFFFF00};     // the dealt hand's row, the hand title
inline constexpr Color red{0xFF0000};        // Clear's alarm; the win message
inline constexpr Color navy{0x000080};       // buttons and meter titles
inline constexpr Color meter{0x0000C0};      // meter values
inline constexpr Color black{0x000000};
inline constexpr Color blue{0x0000FF};
inline constexpr Color table{0x404040};  // the window and its frames
}  // namespace colors

// A label: display text, meter or clickable button.
struct Label {
    std::string caption;
    bool visible = true;
    bool enabled = true;
    Color fore = colors::white;
    Color back = colors::table;
};

// A card picture: only its Left and Visible change at run time.
struct Picture {
    int left = 0;  // twips
    bool visible = false;
};

struct Frame {
    bool visible = true;
};

struct Timer {
    bool enabled = false;
    int interval_ms = 0;
    // Counts the times the timer was switched on: each start begins a fresh interval.
    std::uint32_t starts = 0;
};

// The table window's outer size, in twips, which start-up and every resize hold it at.
inline constexpr int kWindowWidth = 10305;
inline constexpr int kWindowHeight = 7350;

// The Left of a card at slot 0 to 4, inside Frame1.
inline constexpr std::array<int, 5> kSlotLeft = {240, 1680, 3120, 4560, 6000};

// The window's outer box, in twips.
struct WindowBox {
    int left = 0;
    int top = 0;
    int width = kWindowWidth;
    int height = kWindowHeight;
};

using Row = std::array<Label, 6>;

// Every control of the table window with its run-time properties, under the window's own names.
// The table of controls (game/control_table.h) names each one and gives its start-up state;
// `Controls::at_startup()` applies it.
struct Controls {
    WindowBox window;
    Frame Frame1, Frame2, Frame3;

    // Cards: element 0 is the back at its fixed slot, 1-13 the faces by rank;
    // joker(1) is the joker's face and joker(2..10) the overlays of the joker loss.
    std::array<Picture, 14> spade, dai, club, heart;
    std::array<Picture, 11> joker;

    std::array<Label, 5> Label1;  // HOLD markers
    std::array<Label, 5> player;  // PLAYER markers

    // The pay table.
    Label Label19, Label20, Label25;
    std::array<Label, 6> coinsuu;
    std::array<Label, 9> Label2;
    Row royal, five, stfl, four, full, flush, straight, three, two;

    // The double-up panel.
    Label Label21, Label27, Label28, Label23, Label24;
    std::array<Label, 1> Label22;

    // Meters and their titles.
    Label Label18, hight, Label26, second, Label14, win, Label15, paid, Label13, credit;

    // Buttons.
    Label Label16, Label17, deal, draw, clear, SoundOn, SoundOff, double_, half, payback;
    // Slot buttons: HOLD and arrow labels, slot 4 to slot 0.
    Label Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12;

    Timer cardtime, jokertime;

    static Controls at_startup();

    // The nine value rows, top to bottom (royal first).
    std::array<Row*, 9> rows() {
        return {&royal, &five, &stfl, &four, &full, &flush, &straight, &three, &two};
    }
    std::array<const Row*, 9> rows() const {
        return {&royal, &five, &stfl, &four, &full, &flush, &straight, &three, &two};
    }
    // Label3 ... Label12, in that order.
    std::array<Label*, 10> slot_buttons();
    std::array<const Label*, 10> slot_buttons() const;
    // The picture array of a suit.
    std::array<Picture, 14>& faces(int suit_index) {
        std::array<std::array<Picture, 14>*, 4> all = {&spade, &dai, &club, &heart};
        return *all[static_cast<std::size_t>(suit_index)];
    }
};

}  // namespace quillon
