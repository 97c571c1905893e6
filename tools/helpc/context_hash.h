// The context hash: how the help viewer finds a topic by its context id. Only letters (either
// case, the same value), digits, '.' and '_' count; the viewer skips other characters, which is
// why topic ids are limited to those.
#pragma once

#include <cstdint>
#include <string>

namespace helpc {

std::int32_t ContextHash(const std::string& contextId);

// True when `id` is non-empty and every character is one the hash counts.
bool IsValidContextId(const std::string& id);

} // namespace helpc
