// How many GDI objects this process holds. Windows answers GetGuiResources; Wine's answer is
// always 0, so this reads Wine's own per-process GDI handle table instead. A Wine-only probe for
// leak tests.
#pragma once

#include <cstddef>

namespace testing_support {

std::size_t CountGdiObjects();

} // namespace testing_support
