// The table of controls is the one source of the window's names: every control it lists is
// found by its name, every button by its label, and every label starts with its caption.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/control_table.h"

namespace quillon {
namespace {

TEST(ControlTable, EveryElementIsFoundByItsNameAndIndex) {
    Controls controls = Controls::at_startup();
    const Controls& read_only = controls;
    std::set<std::string> seen;
    int count = 0;
    for_each_control(controls, [&](const ControlRef& ref) {
        ++count;
        const std::string name(ref.entry->name);
        EXPECT_TRUE(seen.insert(name + "(" + std::to_string(ref.index) + ")").second) << name;
        const ControlRef found = find_control(controls, name, ref.index);
        const ConstControlRef read = find_control(read_only, name, ref.index);
        ASSERT_TRUE(found.found()) << name;
        EXPECT_EQ(found.label, ref.label);
        EXPECT_EQ(found.picture, ref.picture);
        EXPECT_EQ(found.frame, ref.frame);
        EXPECT_EQ(found.timer, ref.timer);
        EXPECT_EQ(read.label, ref.label);
        EXPECT_EQ(read.picture, ref.picture);
        // One past the last element, and an index on a single control, find nothing.
        const int past = ref.index < 0 ? 0 : element_count(*ref.entry);
        EXPECT_FALSE(find_control(read_only, name, past).found()) << name;
    });
    // 5 frames and timers, 67 pictures, 10 markers, 3 + 6 + 9 + 54 pay-table labels, 6 panel
    // labels, 10 meters, 10 buttons and 10 slot buttons.
    EXPECT_EQ(count, 3 + 2 + 4 * 14 + 11 + 10 + 72 + 6 + 10 + 10 + 10);
    EXPECT_FALSE(find_control(read_only, "Label99", -1).found());
}

TEST(ControlTable, EveryLabelStartsWithItsCaption) {
    const Controls controls = Controls::at_startup();
    for_each_control(controls, [](const ConstControlRef& ref) {
        if (ref.label != nullptr) {
            EXPECT_FALSE(ref.label->caption.empty()) << ref.entry->name << "(" << ref.index << ")";
        }
    });
    EXPECT_EQ(controls.cardtime.interval_ms, 1000);
    EXPECT_EQ(controls.jokertime.interval_ms, 900);
}

class ButtonRow : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ButtonRow, NameAndLabelBelongToTheSameControl) {
    const auto button = static_cast<Button>(GetParam());
    Controls controls = Controls::at_startup();
    const std::string_view name = button_name(button);
    ASSERT_EQ(button_named(name), button) << name;
    const ControlRef ref = find_control(controls, name, -1);
    ASSERT_TRUE(ref.found()) << name;
    EXPECT_EQ(ref.entry->button, button);
    EXPECT_EQ(&button_label(controls, button), ref.label) << name;
}

INSTANTIATE_TEST_SUITE_P(AllButtons, ButtonRow, ::testing::Range<std::size_t>(0, kButtonCount));

TEST(ControlTable, SlotButtonsRunFromLabel3ToLabel12) {
    Controls controls = Controls::at_startup();
    const auto slots = controls.slot_buttons();
    EXPECT_EQ(slots.front(), &controls.Label3);
    EXPECT_EQ(slots[1], &controls.Label4);
    EXPECT_EQ(slots.back(), &controls.Label12);
    EXPECT_FALSE(button_named("credit").has_value());
}

}  // namespace
}  // namespace quillon
