#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_input.h"

void FuzzPropertyFailed(const char* file, int line, const char* property)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, property);
    std::abort();
}
