#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

#include "game/controls.h"

namespace quillon {

// The labels that act as buttons, in the order the table of controls gives them.
enum class Button : std::uint8_t {
    Label16,  // BET one
    Label17,  // BET max
    deal,
    draw,
    payback,
    clear,
    double_,
    half,
    SoundOn,
    SoundOff,
    Label3,  // slot 4 HOLD
    Label4,  // slot 4 arrow
    Label5,
    Label6,
    Label7,
    Label8,
    Label9,
    Label10,
    Label11,  // slot 0 HOLD
    Label12,  // slot 0 arrow
};
inline constexpr std::size_t kButtonCount = static_cast<std::size_t>(Button::Label12) + 1;

enum class ControlKind : std::uint8_t { label, picture, frame, timer };

// Where a control lives in the model: one member of `Controls`, a single control or an array.
using ControlPlace =
    std::variant<Label Controls::*, std::array<Label, 1> Controls::*,
                 std::array<Label, 5> Controls::*, std::array<Label, 6> Controls::*,
                 std::array<Label, 9> Controls::*, std::array<Picture, 14> Controls::*,
                 std::array<Picture, 11> Controls::*, Frame Controls::*, Timer Controls::*>;

// A control's state when the window starts. The elements of an array share it, except where a
// per-element field below says otherwise.
struct StartUp {
    std::string_view caption = {};
    std::span<const std::string_view> captions = {};  // one caption per element of a label array
    int pay_row = -1;  // a value row of the pay table: each column shows that row's pay
    Color fore = colors::white;
    Color back = colors::table;
    bool visible = true;
    bool enabled = true;
    int left = 0;  // pictures: every element's Left in twips, unless `lefts` says
    std::span<const int> lefts = {};  // pictures: the Left of each element
    bool back_shown = false;          // pictures: element 0, the card back, starts visible
    int interval_ms = 0;              // timers
};

// One row of the table of controls: the window's own name, where the model keeps the control,
// the button it is when clicked, and how it starts.
struct ControlSpec {
    std::string_view name;
    ControlPlace place;
    std::optional<Button> button;
    StartUp start;
};

// Every control of the table window, once. Names, places and buttons are each unique; the
// build checks it.
std::span<const ControlSpec> control_table();

ControlKind kind_of(const ControlSpec& entry);
// The number of elements of an array; 0 for a single control.
int element_count(const ControlSpec& entry);

// A handle on one control of a model, mutable or read-only after the model's constness.
template <typename Model>
struct BasicControlRef {
    template <typename T>
    using Ptr = std::conditional_t<std::is_const_v<Model>, const T*, T*>;

    const ControlSpec* entry = nullptr;
    int index = -1;  // the element of an array, -1 for a single control
    Ptr<Label> label = nullptr;
    Ptr<Picture> picture = nullptr;
    Ptr<Frame> frame = nullptr;
    Ptr<Timer> timer = nullptr;

    bool found() const { return entry != nullptr; }
};
using ControlRef = BasicControlRef<Controls>;
using ConstControlRef = BasicControlRef<const Controls>;

namespace detail {

template <typename T>
struct ArrayOf : std::false_type {};
template <typename T, std::size_t N>
struct ArrayOf<std::array<T, N>> : std::true_type {};

template <typename P>
struct MemberOf;
template <typename T>
struct MemberOf<T Controls::*> {
    using type = T;
};

template <typename T>
struct ElementOf {
    using type = T;
};
template <typename T, std::size_t N>
struct ElementOf<std::array<T, N>> {
    using type = T;
};

template <typename Model, typename T>
void point_at(BasicControlRef<Model>& ref, T& control) {
    using Plain = std::remove_const_t<T>;
    if constexpr (std::is_same_v<Plain, Label>) {
        ref.label = &control;
    } else if constexpr (std::is_same_v<Plain, Picture>) {
        ref.picture = &control;
    } else if constexpr (std::is_same_v<Plain, Frame>) {
        ref.frame = &control;
    } else {
        ref.timer = &control;
    }
}

}  // namespace detail

// The control at `index` of the row `entry` in `model`; nothing is found for a wrong index.
template <typename Model>
BasicControlRef<Model> resolve(Model& model, const ControlSpec& entry, int index) {
    BasicControlRef<Model> ref;
    std::visit(
        [&](auto place) {
            auto& member = model.*place;
            if constexpr (detail::ArrayOf<
                              typename detail::MemberOf<decltype(place)>::type>::value) {
                if (index >= 0 && static_cast<std::size_t>(index) < member.size()) {
                    detail::point_at(ref, member[static_cast<std::size_t>(index)]);
                    ref.entry = &entry;
                    ref.index = index;
                }
            } else if (index == -1) {
                detail::point_at(ref, member);
                ref.entry = &entry;
            }
        },
        entry.place);
    return ref;
}

// Calls `f(ref)` for every control of `model`, element by element, in the table's order.
template <typename Model, typename F>
void for_each_control(Model& model, F&& f) {
    for (const ControlSpec& entry : control_table()) {
        const int count = element_count(entry);
        if (count == 0) {
            f(resolve(model, entry, -1));
        }
        for (int i = 0; i < count; ++i) {
            f(resolve(model, entry, i));
        }
    }
}

// Looks a control up by name and element; nothing is found for a wrong name or index.
ControlRef find_control(Controls& controls, std::string_view name, int index);
ConstControlRef find_control(const Controls& controls, std::string_view name, int index);

std::optional<Button> button_named(std::string_view name);
std::string_view button_name(Button button);
Label& button_label(Controls& controls, Button button);
const Label& button_label(const Controls& controls, Button button);

}  // namespace quillon
