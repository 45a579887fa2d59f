#include "app/Assert.h"

#include <gtest/gtest.h>

// The test build checks invariants: a broken one stops the program at once
// and names the place and the condition.
TEST(AssertDeathTest, ABrokenInvariantStopsAndSaysWhere) {
    volatile int entries = 0;
    TABI_ASSERT(entries == 0 && "kept");
    EXPECT_DEATH(TABI_ASSERT(entries > 0 && "each entry is counted"),
                 "AssertTest.cpp:[0-9]+: invariant broken: .*each entry is counted");
}
