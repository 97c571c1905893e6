#include "context_hash.h"

namespace helpc {
namespace {

unsigned CharacterValue(char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned>(c - 'A' + 17);
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned>(c - 'a' + 17);
    }
    if (c >= '1' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    switch (c) {
    case '0':
        return 10;
    case '.':
        return 12;
    case '_':
        return 13;
    default:
        return 0;
    }
}

} // namespace

std::int32_t ContextHash(const std::string& contextId) {
    std::uint32_t hash = 0; // unsigned, so the wrap-around is defined
    for (char c : contextId) {
        const unsigned value = CharacterValue(c);
        if (value != 0) {
            hash = hash * 43 + value;
        }
    }
    return static_cast<std::int32_t>(hash);
}

bool IsValidContextId(const std::string& id) {
    if (id.empty()) {
        return false;
    }
    for (char c : id) {
        if (CharacterValue(c) == 0) {
            return false;
        }
    }
    return true;
}

} // namespace helpc
