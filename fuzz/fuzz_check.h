#pragma once

#include <cstdio>
#include <cstdlib>

namespace namenswerk::fuzz {

// A broken promise of the code under test: says which one, then crashes, so
// that the fuzzer keeps the input.
inline void checkFailed(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

} // namespace namenswerk::fuzz

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0) : namenswerk::fuzz::checkFailed(#condition, __FILE__, __LINE__))
