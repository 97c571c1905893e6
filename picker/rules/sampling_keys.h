// Which keys belong to sampling, wherever the keyboard focus is. Free of any window so it is
// tested natively.
#pragma once

#include <cstdint>

namespace picker {

// What a key does while sampling.
enum class SamplingKey : std::uint8_t {
    None, // not sampling's: it reaches the program with the focus
    Left,
    Right,
    Up,
    Down,
    Pick,    // Enter: takes the pixel under the pointer
    End,     // Esc in another program: ends sampling
    Larger,  // + on the main keyboard or the keypad: a larger sampled square
    Smaller, // -: a smaller one
};

// Where the keyboard focus is when the key comes.
enum class KeyFocus : std::uint8_t {
    OtherProgram,     // anywhere but Tintview
    PickerWindow,     // Tintview's main window itself or one of its three buttons
    PickerField,      // one of its fields or sliders, which keep every key they have
    PickerOtherWindow // another window of Tintview's (the about box, the help, a message)
};

// The virtual-key codes this needs (as the platform numbers them).
namespace keys {
inline constexpr unsigned kReturn = 0x0D;
inline constexpr unsigned kEscape = 0x1B;
inline constexpr unsigned kLeft = 0x25;
inline constexpr unsigned kUp = 0x26;
inline constexpr unsigned kRight = 0x27;
inline constexpr unsigned kDown = 0x28;
inline constexpr unsigned kAdd = 0x6B;      // the keypad's +
inline constexpr unsigned kSubtract = 0x6D; // the keypad's -
inline constexpr unsigned kOemPlus = 0xBB;  // the main keyboard's + (= unshifted)
inline constexpr unsigned kOemMinus = 0xBD; // the main keyboard's -
} // namespace keys

// The role of `virtualKey` pressed with the focus at `focus`. Esc in Tintview's own window still
// ends the program, so it is sampling's only elsewhere; Tintview's fields and sliders, and its
// other windows, keep all their keys.
SamplingKey RoleOfKey(unsigned virtualKey, KeyFocus focus);

} // namespace picker
