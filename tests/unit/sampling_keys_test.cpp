// Which keys sampling takes, wherever the focus is.
#include "rules/sampling_keys.h"

#include <gtest/gtest.h>

using namespace picker;

namespace {

TEST(SamplingKeys, InAnotherProgramArrowsEnterPlusMinusAndEscAreSamplings) {
    const KeyFocus other = KeyFocus::OtherProgram;
    EXPECT_EQ(RoleOfKey(keys::kLeft, other), SamplingKey::Left);
    EXPECT_EQ(RoleOfKey(keys::kRight, other), SamplingKey::Right);
    EXPECT_EQ(RoleOfKey(keys::kUp, other), SamplingKey::Up);
    EXPECT_EQ(RoleOfKey(keys::kDown, other), SamplingKey::Down);
    EXPECT_EQ(RoleOfKey(keys::kReturn, other), SamplingKey::Pick);
    EXPECT_EQ(RoleOfKey(keys::kEscape, other), SamplingKey::End);
    for (unsigned key : {keys::kAdd, keys::kOemPlus}) {
        EXPECT_EQ(RoleOfKey(key, other), SamplingKey::Larger) << key;
    }
    for (unsigned key : {keys::kSubtract, keys::kOemMinus}) {
        EXPECT_EQ(RoleOfKey(key, other), SamplingKey::Smaller) << key;
    }
    // Letters, Tab, Space, function keys, the Windows key: the program's.
    for (unsigned key : {0x41u, 0x43u, 0x09u, 0x20u, 0x70u, 0x5Bu, 0x2Eu}) {
        EXPECT_EQ(RoleOfKey(key, other), SamplingKey::None) << key;
    }
}

TEST(SamplingKeys, InTintviewsWindowEscStillEndsTheProgramAndItsControlsKeepEveryKey) {
    EXPECT_EQ(RoleOfKey(keys::kEscape, KeyFocus::PickerWindow), SamplingKey::None);
    EXPECT_EQ(RoleOfKey(keys::kReturn, KeyFocus::PickerWindow), SamplingKey::Pick)
        << "Enter on Snap or EXIT picks";
    EXPECT_EQ(RoleOfKey(keys::kLeft, KeyFocus::PickerWindow), SamplingKey::Left);
    EXPECT_EQ(RoleOfKey(keys::kOemPlus, KeyFocus::PickerWindow), SamplingKey::Larger);
    for (KeyFocus keeps : {KeyFocus::PickerField, KeyFocus::PickerOtherWindow}) {
        for (unsigned key : {keys::kLeft, keys::kReturn, keys::kEscape, keys::kAdd}) {
            EXPECT_EQ(RoleOfKey(key, keeps), SamplingKey::None) << key;
        }
    }
}

} // namespace
