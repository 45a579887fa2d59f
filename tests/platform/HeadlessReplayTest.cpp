#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

namespace {

using Type = ReplayEvent::Type;

CHeadlessPlatform Replaying(std::vector<ReplayEvent> events) {
    PlatformOptions options;
    options.headless = true;
    options.replay = std::move(events);
    return CHeadlessPlatform(options);
}

}  // namespace

// What one poll sees of the events stamped up to its frame, like a device
// read once per frame would.
TEST(HeadlessReplay, PollsSeeDevicesAsAFrameWouldReadThem) {
    CHeadlessPlatform platform = Replaying({
        {1, Type::Press},
        {1, Type::Release},  // within one frame: unseen
        {2, Type::Motion, 3, 4},
        {2, Type::Motion, 5, -1},  // motions add up
        {3, Type::Escape},         // held for one poll only
        {3, Type::Press},
        {5, Type::Release},
        {5, Type::Motion, 7, 7},  // frame 5 polls nothing
        {7, Type::Close},         // not a device event
    });
    struct Poll {
        uint32_t frame;
        int32_t dx, dy;
        bool button, escape;
    };
    const Poll polls[] = {
        {1, 0, 0, false, false}, {2, 8, 3, false, false}, {3, 0, 0, true, true},
        {4, 0, 0, true, false},  {6, 7, 7, false, false}, {7, 0, 0, false, false},
    };
    for (const Poll& p : polls) {
        SCOPED_TRACE("frame " + std::to_string(p.frame));
        const DeviceState state = platform.ReadDevices(p.frame);
        EXPECT_EQ(state.dx, p.dx);
        EXPECT_EQ(state.dy, p.dy);
        EXPECT_EQ(state.leftButton, p.button);
        EXPECT_EQ(state.escape, p.escape);
    }
}

TEST(HeadlessReplay, CloseEventsComeOnePerPass) {
    CHeadlessPlatform platform = Replaying({{2, Type::Close}, {2, Type::Close}, {4, Type::Motion}});
    EXPECT_EQ(platform.PollWindowEvent(1), WindowEvent::None);
    EXPECT_EQ(platform.PollWindowEvent(2), WindowEvent::Close);
    EXPECT_EQ(platform.PollWindowEvent(3), WindowEvent::Close);  // the second, a pass later
    EXPECT_EQ(platform.PollWindowEvent(4), WindowEvent::None);
}

TEST(HeadlessReplay, ClockJumpsAndNeverGoesBack) {
    CHeadlessPlatform platform = Replaying({});
    platform.WaitUntil(22);
    EXPECT_EQ(platform.Ticks(), 22u);
    platform.WaitUntil(10);
    EXPECT_EQ(platform.Ticks(), 22u);
}
