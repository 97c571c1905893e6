// How a fuzz target reports a broken rule: it names the rule and aborts, so libFuzzer stops and
// keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_RULE(condition)                                                                       \
    ((condition) ? static_cast<void>(0) : ::fuzzing::RuleBroken(#condition, __FILE__, __LINE__))

namespace fuzzing {

[[noreturn]] inline void RuleBroken(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: rule broken: %s\n", file, line, rule);
    std::abort();
}

} // namespace fuzzing
