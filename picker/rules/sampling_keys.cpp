#include "rules/sampling_keys.h"

namespace picker {

SamplingKey RoleOfKey(unsigned virtualKey, KeyFocus focus) {
    if (focus == KeyFocus::PickerField || focus == KeyFocus::PickerOtherWindow) {
        return SamplingKey::None;
    }
    switch (virtualKey) {
    case keys::kLeft:
        return SamplingKey::Left;
    case keys::kRight:
        return SamplingKey::Right;
    case keys::kUp:
        return SamplingKey::Up;
    case keys::kDown:
        return SamplingKey::Down;
    case keys::kReturn:
        return SamplingKey::Pick;
    case keys::kEscape:
        return focus == KeyFocus::OtherProgram ? SamplingKey::End : SamplingKey::None;
    case keys::kAdd:
    case keys::kOemPlus:
        return SamplingKey::Larger;
    case keys::kSubtract:
    case keys::kOemMinus:
        return SamplingKey::Smaller;
    default:
        return SamplingKey::None;
    }
}

} // namespace picker
