#include "ui/table_layout.h"

#include <deque>
#include <string>
#include <vector>

#include "game/pay_table.h"

namespace quillon::ui {

namespace {

constexpr std::string_view kCentury = "Century";
constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";
constexpr std::string_view kPMincho = "ＭＳ Ｐ明朝";
constexpr std::string_view kMincho = "ＭＳ 明朝";

constexpr std::array<int, 9> kTitleWidths = {2400, 1680, 1680, 1680, 1200, 600, 960, 1800, 960};
constexpr std::array<std::string_view, 14> kPictureFiles = {"",  "1", "2", "3",  "4",  "5",  "6",
                                                            "7", "8", "9", "10", "11", "12", "13"};

// Picture names must outlive the table; they are kept here.
struct Storage {
    std::deque<std::string> texts;  // a deque never moves what it holds
    std::string_view keep(std::string text) {
        texts.push_back(std::move(text));
        return texts.back();
    }
};

ControlLayout label(std::string_view name, int index, Container in, int l, int t, int w, int h) {
    ControlLayout c;
    c.name = name;
    c.index = index;
    c.kind = ControlKind::label;
    c.container = in;
    c.left = l;
    c.top = t;
    c.width = w;
    c.height = h;
    return c;
}

ControlLayout button(std::string_view name, int l, int t, int w, int h, FontSpec font) {
    ControlLayout c = label(name, -1, Container::window, l, t, w, h);
    c.font = font;
    c.align = Align::center;
    c.border = true;
    c.clickable = true;
    return c;
}

ControlLayout picture(std::string_view name, int index, std::string_view art) {
    ControlLayout c;
    c.name = name;
    c.index = index;
    c.kind = ControlKind::picture;
    c.container = Container::Frame1;
    c.top = 3120;
    c.width = 1125;
    c.height = 1500;
    c.picture = art;
    return c;
}

ControlLayout frame(std::string_view name, Container in, int l, int t, int w, int h) {
    ControlLayout c = label(name, -1, in, l, t, w, h);
    c.kind = ControlKind::frame;
    c.border = true;
    return c;
}

void add_double_up_panel(std::vector<ControlLayout>& out) {
    out.push_back(frame("Frame3", Container::Frame1, 120, 120, 7095, 2775));
    struct Panel {
        std::string_view name;
        int index;
        int l, t, w, h;
        FontSpec font;
        Align align;
        bool auto_size;
    };
    // clang-format off
    const Panel panel[] = {
        {"Label21", -1, 120,  240,  4920, 360, {kPMincho, 18, true},    Align::left,   true},
        {"Label27", -1, 120,  720,  5265, 435, {kPGothic, 21.75, true}, Align::left,   true},
        {"Label28", -1, 120,  1200, 2715, 315, {kPGothic, 15.75, true}, Align::left,   true},
        {"Label22", 0,  240,  1800, 2475, 675, {kPGothic, 27.75, true}, Align::center, false},
        {"Label23", -1, 2880, 1920, 1635, 525, {kPGothic, 26.25, true}, Align::left,   true},
        {"Label24", -1, 4440, 1800, 2475, 675, {kPGothic, 27.75, true}, Align::center, false},
    };
    // clang-format on
    for (const Panel& p : panel) {
        ControlLayout c = label(p.name, p.index, Container::Frame3, p.l, p.t, p.w, p.h);
        c.font = p.font;
        c.align = p.align;
        c.auto_size = p.auto_size;
        out.push_back(c);
    }
}

void add_pay_table(std::vector<ControlLayout>& out) {
    out.push_back(frame("Frame2", Container::Frame1, 120, 120, 7095, 2775));
    auto header = [&](std::string_view name, int l, int t, int w, int h, FontSpec font) {
        ControlLayout c = label(name, -1, Container::Frame2, l, t, w, h);
        c.font = font;
        c.transparent = true;
        c.auto_size = true;
        out.push_back(c);
    };
    header("Label19", 120, 240, 750, 240, {kPMincho, 12, true});
    header("Label25", 1200, 120, 345, 315, {kPGothic, 15.75, true});
    header("Label20", 1800, 120, 795, 240, {kPMincho, 12, true});
    for (int i = 0; i < 6; ++i) {
        ControlLayout c =
            label("coinsuu", i, Container::Frame2, 2880 + 720 * i, 120, i == 5 ? 435 : 315, 240);
        c.font = {kPGothic, 12, false};
        c.transparent = true;
        c.auto_size = true;
        out.push_back(c);
    }
    for (int r = 0; r < 9; ++r) {
        const auto ri = static_cast<std::size_t>(r);
        ControlLayout title =
            label("Label2", r, Container::Frame2, 120, 480 + 240 * r, kTitleWidths[ri], 240);
        title.font = {kMincho, 12, false};
        title.transparent = true;
        title.auto_size = true;
        out.push_back(title);
        for (int col = 0; col < 6; ++col) {
            ControlLayout v = label(kPayRowNames[ri], col, Container::Frame2, 2640 + 720 * col,
                                    480 + 240 * r, col == 5 ? 720 : 600, 240);
            v.font = {kPGothic, 12, true};
            v.align = Align::right;
            v.transparent = true;
            out.push_back(v);
        }
    }
}

void add_cards(std::vector<ControlLayout>& out, Storage& keep) {
    constexpr std::array<std::string_view, 4> names = {"spade", "dai", "club", "heart"};
    constexpr std::array<std::string_view, 4> letters = {"s", "d", "c", "h"};
    // Faces lie lowest, then the backs, then the joker overlays.
    for (std::size_t s = 0; s < 4; ++s) {
        for (int rank = 1; rank <= 13; ++rank) {
            const std::string art = std::string(letters[s]) +
                                    std::string(kPictureFiles[static_cast<std::size_t>(rank)]);
            out.push_back(picture(names[s], rank, keep.keep(art)));
        }
    }
    out.push_back(picture("joker", 1, "joker1"));
    for (std::size_t s = 0; s < 4; ++s) {
        out.push_back(picture(names[s], 0, "back"));
    }
    out.push_back(picture("joker", 0, "back"));
    for (int i = 2; i <= 10; ++i) {
        out.push_back(picture("joker", i, keep.keep("joker" + std::to_string(i))));
    }
}

void add_markers(std::vector<ControlLayout>& out) {
    for (int i = 0; i < 5; ++i) {
        ControlLayout hold = label("Label1", i, Container::Frame1, 480 + 1440 * i, 4800, 675, 240);
        ControlLayout pick = label("player", i, Container::Frame1, 360 + 1440 * i, 4800, 915, 240);
        for (ControlLayout* c : {&hold, &pick}) {
            c->font = {kCentury, 9.75, true};
            c->transparent = true;
            c->auto_size = true;
            out.push_back(*c);
        }
    }
}

void add_meters(std::vector<ControlLayout>& out) {
    const std::array<std::string_view, 10> meters = {"Label18", "hight", "Label26", "second",
                                                     "Label14", "win",   "Label15", "paid",
                                                     "Label13", "credit"};
    const std::array<int, 10> tops = {120, 480, 960, 1320, 1800, 2160, 2640, 3000, 3480, 3840};
    for (std::size_t i = 0; i < meters.size(); ++i) {
        const bool title = i % 2 == 0;
        ControlLayout c = label(meters[i], -1, Container::window, 7680, tops[i], 2355, 345);
        c.border = true;
        c.font = title ? FontSpec{kCentury, 11.25, false} : FontSpec{kCentury, 12, true};
        c.align = title ? Align::center : Align::right;
        out.push_back(c);
    }
}

void add_buttons(std::vector<ControlLayout>& out) {
    const FontSpec century975{kCentury, 9.75, false};
    const FontSpec century12{kCentury, 12, false};
    const FontSpec gothic9{kPGothic, 9, true};
    const FontSpec mincho12{kPMincho, 12, false};
    out.push_back(button("Label16", 7800, 4560, 855, 615, century975));
    out.push_back(button("Label17", 9000, 4560, 855, 615, century975));
    out.push_back(button("deal", 8040, 5400, 1095, 975, century12));
    out.push_back(button("draw", 8040, 5400, 1095, 975, century12));
    out.push_back(button("clear", 9360, 6000, 615, 375, century975));
    out.push_back(button("SoundOn", 7800, 6600, 1095, 255, gothic9));
    out.push_back(button("SoundOff", 9000, 6600, 1095, 255, gothic9));
    const std::array<std::string_view, 3> lower = {"double", "half", "payback"};
    for (std::size_t i = 0; i < lower.size(); ++i) {
        out.push_back(
            button(lower[i], 120 + 2520 * static_cast<int>(i), 6360, 2295, 375, mincho12));
    }
    // Slot buttons, slot 4 first: the HOLD and arrow labels of Label3/Label4 under slot 4 ...
    // Label11/Label12 under slot 0, in the order of the buttons.
    for (std::size_t i = 0; i < 10; ++i) {
        const auto b = static_cast<Button>(static_cast<std::size_t>(Button::Label3) + i);
        const int slot = 4 - static_cast<int>(i / 2);
        const bool hold = i % 2 == 0;
        out.push_back(button(button_name(b), 360 + 1440 * slot, hold ? 5640 : 5400, 1095,
                             hold ? 375 : 255, hold ? century975 : FontSpec{"", 9, false}));
    }
}

struct Table {
    Storage storage;
    std::vector<ControlLayout> controls;
    Table() {
        controls.push_back(frame("Frame1", Container::window, 120, 0, 7335, 5175));
        add_double_up_panel(controls);
        add_pay_table(controls);
        add_cards(controls, storage);
        add_markers(controls);
        add_meters(controls);
        add_buttons(controls);
    }
};

}  // namespace

std::span<const ControlLayout> table_layout() {
    static const Table table;
    return table.controls;
}

const ControlLayout* find_layout(std::string_view name, int index) {
    for (const ControlLayout& c : table_layout()) {
        if (c.name == name && c.index == index) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace quillon::ui
