#include "platform/InputLatch.h"

#include <gtest/gtest.h>

#include <string>

// Each case pushes presses ('d') and releases ('u') and polls ('.'); the
// polls write what they see: 'D' a press taken, 'U' a release taken, '-'
// nothing new (the button as it was).
TEST(InputLatch, HandsOutEveryTransitionInOrderOnePerPoll) {
    const struct {
        const char* steps;
        const char* seen;
    } cases[] = {
        {"d.u.", "DU"},          // slow click: one transition a poll
        {"du...", "DU-"},        // tap inside one frame: press now, release next poll
        {"dudu.....", "DUDU-"},  // two taps: four polls, in order
        {"dd.u.", "DU"},         // a second press without a release changes nothing
        {"u.d.uu.", "-DU"},      // a release of an up button too
        {"d.du.", "DU"},         // held, pressed again, released: one release
        {"..", "--"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        CInputLatch latch;
        std::string seen;
        for (const char* step = c.steps; *step; ++step) {
            if (*step != '.') {
                latch.Push({*step == 'd', 0, 0});
                continue;
            }
            CInputLatch::Transition taken;
            const bool took = latch.Take(taken);
            EXPECT_TRUE(!took || latch.Button() == taken.down);
            seen += took ? (taken.down ? 'D' : 'U') : '-';
        }
        EXPECT_EQ(seen, c.seen);
    }
}
