#include "game/control_table.h"

#include <stdexcept>
#include <string>

#include "game/pay_table.h"

namespace quillon {

namespace {

using C = Controls;
using B = Button;

constexpr std::array<std::string_view, 6> kColumnHeadings = {"1st", "6st", "7st",
                                                             "8st", "9st", "10st"};
// The joker's pictures: the back and the face at slot 4, then the overlays of the joker loss at
// slots 1 to 4 and 0 to 4.
constexpr std::array<int, 11> kJokerLefts = {kSlotLeft[4], kSlotLeft[4], kSlotLeft[1], kSlotLeft[2],
                                             kSlotLeft[3], kSlotLeft[4], kSlotLeft[0], kSlotLeft[1],
                                             kSlotLeft[2], kSlotLeft[3], kSlotLeft[4]};

constexpr StartUp kSlotHold{.caption = "HOLD", .back = colors::black, .enabled = false};
constexpr StartUp kSlotArrow{.caption = "▲", .back = colors::black, .enabled = false};

constexpr StartUp marker(std::string_view caption) {
    return {.caption = caption, .fore = colors::highlight, .visible = false};
}
constexpr StartUp heading(std::string_view caption) {
    return {.caption = caption, .enabled = false};
}
constexpr StartUp meter_title(std::string_view caption) {
    return {.caption = caption, .back = colors::navy};
}
constexpr StartUp meter_value(std::string_view caption) {
    return {.caption = caption, .back = colors::meter};
}
constexpr StartUp button(std::string_view caption, Color back = colors::navy, bool enabled = true) {
    return {.caption = caption, .back = back, .enabled = enabled};
}
constexpr StartUp faces(int slot) {
    return {
        .visible = false, .left = kSlotLeft[static_cast<std::size_t>(slot)], .back_shown = true};
}
constexpr StartUp pays(int row) {
    return {.pay_row = row};
}

// clang-format off
constexpr std::array kTable = {
    ControlSpec{"Frame1", &C::Frame1, {}, {}},
    ControlSpec{"Frame2", &C::Frame2, {}, {}},
    ControlSpec{"Frame3", &C::Frame3, {}, {}},
    // Cards: element 0 the back, 1 to 13 the faces by rank.
    ControlSpec{"spade", &C::spade, {}, faces(0)},
    ControlSpec{"dai", &C::dai, {}, faces(1)},
    ControlSpec{"club", &C::club, {}, faces(2)},
    ControlSpec{"heart", &C::heart, {}, faces(3)},
    ControlSpec{"joker", &C::joker, {}, {.visible = false, .lefts = kJokerLefts, .back_shown = true}},
    // Markers under the cards.
    ControlSpec{"Label1", &C::Label1, {}, marker("HOLD")},
    ControlSpec{"player", &C::player, {}, marker("PLAYER")},
    // The pay table.
    ControlSpec{"Label19", &C::Label19, {}, heading("HAND")},
    ControlSpec{"Label25", &C::Label25, {}, heading("＼")},
    ControlSpec{"Label20", &C::Label20, {}, heading("COINS")},
    ControlSpec{"coinsuu", &C::coinsuu, {}, {.captions = kColumnHeadings}},
    ControlSpec{"Label2", &C::Label2, {}, {.captions = kHandTitles}},
    ControlSpec{kPayRowNames[0], &C::royal, {}, pays(0)},
    ControlSpec{kPayRowNames[1], &C::five, {}, pays(1)},
    ControlSpec{kPayRowNames[2], &C::stfl, {}, pays(2)},
    ControlSpec{kPayRowNames[3], &C::four, {}, pays(3)},
    ControlSpec{kPayRowNames[4], &C::full, {}, pays(4)},
    ControlSpec{kPayRowNames[5], &C::flush, {}, pays(5)},
    ControlSpec{kPayRowNames[6], &C::straight, {}, pays(6)},
    ControlSpec{kPayRowNames[7], &C::three, {}, pays(7)},
    ControlSpec{kPayRowNames[8], &C::two, {}, pays(8)},
    // The double-up panel.
    ControlSpec{"Label21", &C::Label21, {}, {.caption = "DOUBLE or HALFDOUBLE ?"}},
    ControlSpec{"Label27", &C::Label27, {}, {.caption = "ROYAL STRAIGHT FLUSH", .fore = colors::yellow}},
    ControlSpec{"Label28", &C::Label28, {}, {.caption = "You won 00 coins.", .fore = colors::red}},
    ControlSpec{"Label22", &C::Label22, {}, {.caption = "0"}},
    ControlSpec{"Label23", &C::Label23, {}, {.caption = "⇒⇒⇒", .fore = colors::blue}},
    ControlSpec{"Label24", &C::Label24, {}, {.caption = "10000000"}},
    // Meters and their titles.
    ControlSpec{"Label18", &C::Label18, {}, meter_title("HightScore")},
    ControlSpec{"hight", &C::hight, {}, meter_value("0")},
    ControlSpec{"Label26", &C::Label26, {}, meter_title("SecondScore")},
    ControlSpec{"second", &C::second, {}, meter_value("0")},
    ControlSpec{"Label14", &C::Label14, {}, meter_title("W I N")},
    ControlSpec{"win", &C::win, {}, meter_value("0")},
    ControlSpec{"Label15", &C::Label15, {}, meter_title("P A I D")},
    ControlSpec{"paid", &C::paid, {}, meter_value("0")},
    ControlSpec{"Label13", &C::Label13, {}, meter_title("C R E D I T")},
    ControlSpec{"credit", &C::credit, {}, meter_value("20")},
    // Buttons.
    ControlSpec{"Label16", &C::Label16, B::Label16, button("   BET   one")},
    ControlSpec{"Label17", &C::Label17, B::Label17, button("   BET   max")},
    ControlSpec{"deal", &C::deal, B::deal, button("  DEAL   and  DRAW", colors::navy, false)},
    ControlSpec{"draw", &C::draw, B::draw, {.caption = "  DEAL   and  DRAW", .back = colors::navy, .visible = false, .enabled = false}},
    ControlSpec{"clear", &C::clear, B::clear, button("Clear")},
    ControlSpec{"SoundOn", &C::SoundOn, B::SoundOn, {.caption = "Sound On", .fore = colors::highlight, .back = colors::navy, .enabled = false}},
    ControlSpec{"SoundOff", &C::SoundOff, B::SoundOff, {.caption = "Sound Off", .fore = colors::highlight, .back = colors::navy}},
    ControlSpec{"double", &C::double_, B::double_, button("▲  DOUBLE  ▲", colors::black, false)},
    ControlSpec{"half", &C::half, B::half, button("▲HALFDOUBLE▼", colors::black, false)},
    ControlSpec{"payback", &C::payback, B::payback, button("▼   PAYOUT   ▼", colors::black, false)},
    // Slot buttons, slot 4 first: a HOLD label and an arrow label under each card.
    ControlSpec{"Label3", &C::Label3, B::Label3, kSlotHold},
    ControlSpec{"Label4", &C::Label4, B::Label4, kSlotArrow},
    ControlSpec{"Label5", &C::Label5, B::Label5, kSlotHold},
    ControlSpec{"Label6", &C::Label6, B::Label6, kSlotArrow},
    ControlSpec{"Label7", &C::Label7, B::Label7, kSlotHold},
    ControlSpec{"Label8", &C::Label8, B::Label8, kSlotArrow},
    ControlSpec{"Label9", &C::Label9, B::Label9, kSlotHold},
    ControlSpec{"Label10", &C::Label10, B::Label10, kSlotArrow},
    ControlSpec{"Label11", &C::Label11, B::Label11, kSlotHold},
    ControlSpec{"Label12", &C::Label12, B::Label12, kSlotArrow},
    // Timers.
    ControlSpec{"cardtime", &C::cardtime, {}, {.enabled = false, .interval_ms = 1000}},
    ControlSpec{"jokertime", &C::jokertime, {}, {.enabled = false, .interval_ms = 900}},
};
// clang-format on

// A name, a place in the model or a button given twice would make one control shadow another.
constexpr bool all_unique() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        for (std::size_t j = i + 1; j < kTable.size(); ++j) {
            if (kTable[i].name == kTable[j].name || kTable[i].place == kTable[j].place ||
                (kTable[i].button && kTable[i].button == kTable[j].button)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(all_unique(), "every control is named, placed and clicked once");

// Every member of Controls but the window's box is a control of the table: a member the table
// left out would leave more than alignment padding unaccounted for.
constexpr std::size_t table_bytes() {
    std::size_t bytes = sizeof(WindowBox);
    for (const ControlSpec& entry : kTable) {
        bytes += std::visit(
            [](auto place) { return sizeof(typename detail::MemberOf<decltype(place)>::type); },
            entry.place);
    }
    return bytes;
}
static_assert(sizeof(Controls) - table_bytes() < alignof(Controls),
              "every control of the model has its row in the table");

// Where each button's row is; every button has one, and only single labels are buttons.
constexpr std::array<std::size_t, kButtonCount> button_rows() {
    std::array<std::size_t, kButtonCount> rows{};
    rows.fill(kTable.size());
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].button) {
            if (!std::holds_alternative<Label Controls::*>(kTable[i].place)) {
                throw std::logic_error("a button must be a single label");
            }
            rows[static_cast<std::size_t>(*kTable[i].button)] = i;
        }
    }
    for (const std::size_t row : rows) {
        if (row == kTable.size()) {
            throw std::logic_error("a button has no row in the table of controls");
        }
    }
    return rows;
}
constexpr std::array<std::size_t, kButtonCount> kButtonRows = button_rows();

// The pay of a value row's column: column 0 for one coin, columns 1 to 5 for 6 to 10 coins.
std::string pay_caption(int row, int column) {
    const int coins = column == 0 ? 1 : column + 5;
    return std::to_string(kPayPerCoin[static_cast<std::size_t>(row)] * coins);
}

void start(const StartUp& s, int index, Label& label) {
    const auto i = static_cast<std::size_t>(index);
    if (s.pay_row >= 0) {
        label.caption = pay_caption(s.pay_row, index);
    } else if (!s.captions.empty()) {
        label.caption = std::string(s.captions[i]);
    } else {
        label.caption = std::string(s.caption);
    }
    label.visible = s.visible;
    label.enabled = s.enabled;
    label.fore = s.fore;
    label.back = s.back;
}

void start(const StartUp& s, int index, Picture& picture) {
    picture.left = s.lefts.empty() ? s.left : s.lefts[static_cast<std::size_t>(index)];
    picture.visible = index == 0 ? s.back_shown : s.visible;
}

template <typename Model>
BasicControlRef<Model> find_in(Model& model, std::string_view name, int index) {
    for (const ControlSpec& entry : kTable) {
        if (entry.name == name) {
            return resolve(model, entry, index);
        }
    }
    return {};
}

template <typename Model>
auto& label_of(Model& model, Button button) {
    return *resolve(model, kTable[kButtonRows[static_cast<std::size_t>(button)]], -1).label;
}

// Label3 ... Label12, the buttons that follow Label3.
template <typename Model>
auto slot_labels(Model& model) {
    std::array<decltype(&label_of(model, Button::Label3)), 10> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto button = static_cast<std::size_t>(Button::Label3) + i;
        out[i] = &label_of(model, static_cast<Button>(button));
    }
    return out;
}

}  // namespace

std::span<const ControlSpec> control_table() {
    return kTable;
}

ControlKind kind_of(const ControlSpec& entry) {
    return std::visit(
        [](auto place) {
            using Member = typename detail::MemberOf<decltype(place)>::type;
            using Element = typename detail::ElementOf<Member>::type;
            if constexpr (std::is_same_v<Element, Label>) {
                return ControlKind::label;
            } else if constexpr (std::is_same_v<Element, Picture>) {
                return ControlKind::picture;
            } else if constexpr (std::is_same_v<Element, Frame>) {
                return ControlKind::frame;
            } else {
                return ControlKind::timer;
            }
        },
        entry.place);
}

int element_count(const ControlSpec& entry) {
    return std::visit(
        [](auto place) {
            using T = typename detail::MemberOf<decltype(place)>::type;
            if constexpr (detail::ArrayOf<T>::value) {
                return static_cast<int>(std::tuple_size_v<T>);
            } else {
                return 0;
            }
        },
        entry.place);
}

ControlRef find_control(Controls& controls, std::string_view name, int index) {
    return find_in(controls, name, index);
}

ConstControlRef find_control(const Controls& controls, std::string_view name, int index) {
    return find_in(controls, name, index);
}

std::optional<Button> button_named(std::string_view name) {
    for (std::size_t b = 0; b < kButtonCount; ++b) {
        if (kTable[kButtonRows[b]].name == name) {
            return static_cast<Button>(b);
        }
    }
    return std::nullopt;
}

std::string_view button_name(Button button) {
    return kTable[kButtonRows[static_cast<std::size_t>(button)]].name;
}

Label& button_label(Controls& controls, Button button) {
    return label_of(controls, button);
}

const Label& button_label(const Controls& controls, Button button) {
    return label_of(controls, button);
}

Controls Controls::at_startup() {
    Controls c;
    for_each_control(c, [](const ControlRef& ref) {
        const StartUp& s = ref.entry->start;
        if (ref.label != nullptr) {
            start(s, ref.index, *ref.label);
        } else if (ref.picture != nullptr) {
            start(s, ref.index, *ref.picture);
        } else if (ref.frame != nullptr) {
            ref.frame->visible = s.visible;
        } else if (ref.timer != nullptr) {
            ref.timer->enabled = s.enabled;
            ref.timer->interval_ms = s.interval_ms;
        }
    });
    return c;
}

std::array<Label*, 10> Controls::slot_buttons() {
    return slot_labels(*this);
}

std::array<const Label*, 10> Controls::slot_buttons() const {
    return slot_labels(*this);
}

}  // namespace quillon
