#include "game/control_registry.h"

#include "game/layout.h"
#include "game/pay_table.h"

namespace quillon {

namespace {

template <std::size_t N>
void add_array(std::vector<ControlRef>& out, std::string_view name, std::array<Label, N>& labels) {
    for (std::size_t i = 0; i < N; ++i) {
        out.push_back({name, static_cast<int>(i), &labels[i], nullptr, nullptr, nullptr});
    }
}

template <std::size_t N>
void add_pictures(std::vector<ControlRef>& out, std::string_view name,
                  std::array<Picture, N>& pics) {
    for (std::size_t i = 0; i < N; ++i) {
        out.push_back({name, static_cast<int>(i), nullptr, &pics[i], nullptr, nullptr});
    }
}

}  // namespace

std::vector<ControlRef> control_refs(Controls& c) {
    std::vector<ControlRef> out;
    out.reserve(256);
    auto label = [&](std::string_view name, Label& l) {
        out.push_back({name, -1, &l, nullptr, nullptr, nullptr});
    };
    auto frame = [&](std::string_view name, Frame& f) {
        out.push_back({name, -1, nullptr, nullptr, &f, nullptr});
    };
    auto timer = [&](std::string_view name, Timer& t) {
        out.push_back({name, -1, nullptr, nullptr, nullptr, &t});
    };
    frame("Frame1", c.Frame1);
    frame("Frame2", c.Frame2);
    frame("Frame3", c.Frame3);
    add_pictures(out, "spade", c.spade);
    add_pictures(out, "dai", c.dai);
    add_pictures(out, "club", c.club);
    add_pictures(out, "heart", c.heart);
    add_pictures(out, "joker", c.joker);
    add_array(out, "Label1", c.Label1);
    add_array(out, "player", c.player);
    label("Label19", c.Label19);
    label("Label20", c.Label20);
    label("Label25", c.Label25);
    add_array(out, "coinsuu", c.coinsuu);
    add_array(out, "Label2", c.Label2);
    for (std::size_t r = 0; r < kPayRowNames.size(); ++r) {
        add_array(out, kPayRowNames[r], *c.rows()[r]);
    }
    label("Label21", c.Label21);
    label("Label27", c.Label27);
    label("Label28", c.Label28);
    add_array(out, "Label22", c.Label22);
    label("Label23", c.Label23);
    label("Label24", c.Label24);
    label("Label18", c.Label18);
    label("hight", c.hight);
    label("Label26", c.Label26);
    label("second", c.second);
    label("Label14", c.Label14);
    label("win", c.win);
    label("Label15", c.Label15);
    label("paid", c.paid);
    label("Label13", c.Label13);
    label("credit", c.credit);
    label("Label16", c.Label16);
    label("Label17", c.Label17);
    label("deal", c.deal);
    label("draw", c.draw);
    label("clear", c.clear);
    label("SoundOn", c.SoundOn);
    label("SoundOff", c.SoundOff);
    label("double", c.double_);
    label("half", c.half);
    label("payback", c.payback);
    constexpr std::array<std::string_view, 10> slots = {"Label3",  "Label4", "Label5", "Label6",
                                                        "Label7",  "Label8", "Label9", "Label10",
                                                        "Label11", "Label12"};
    for (std::size_t i = 0; i < slots.size(); ++i) {
        label(slots[i], *c.slot_buttons()[i]);
    }
    timer("cardtime", c.cardtime);
    timer("jokertime", c.jokertime);
    return out;
}

ControlRef find_control(Controls& controls, std::string_view name, int index) {
    for (const ControlRef& ref : control_refs(controls)) {
        if (ref.name == name && ref.index == index) {
            return ref;
        }
    }
    return {};
}

Controls Controls::at_startup() {
    Controls c;
    for (const ControlRef& ref : control_refs(c)) {
        const ControlLayout* layout = find_layout(ref.name, ref.index);
        if (layout == nullptr) {
            continue;
        }
        if (ref.label != nullptr) {
            ref.label->caption = std::string(layout->caption);
            ref.label->visible = layout->visible;
            ref.label->enabled = layout->enabled;
            ref.label->fore = layout->fore;
            ref.label->back = layout->back;
        } else if (ref.picture != nullptr) {
            ref.picture->left = layout->left;
            ref.picture->visible = layout->visible;
        } else if (ref.frame != nullptr) {
            ref.frame->visible = layout->visible;
        } else if (ref.timer != nullptr) {
            ref.timer->enabled = layout->enabled;
            ref.timer->interval_ms = layout->interval_ms;
        }
    }
    return c;
}

}  // namespace quillon
