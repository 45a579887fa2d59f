#include "app/Assert.h"

#include <cstdio>
#include <cstdlib>

// Aborts rather than exits, so a sanitizer or a debugger shows the stack.
void TabiAssertFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}
