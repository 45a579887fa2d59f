#include "platform/Letterbox.h"

#include <gtest/gtest.h>

TEST(Letterbox, KeepsTheShapeWithCentredBars) {
    struct Case {
        int outW, outH, backW, backH;
        PixelRect expected;
        ScaleMode mode = ScaleMode::Fit;
    };
    constexpr ScaleMode kInteger = ScaleMode::Integer;
    const Case cases[] = {
        {1280, 800, 1280, 800, {0, 0, 1280, 800}},     // window of the back buffer's size
        {1920, 1080, 1280, 800, {96, 0, 1824, 1080}},  // 16:10 on 16:9: bars at the sides
        {1280, 1024, 1280, 720, {0, 152, 1280, 872}},  // 16:9 on 5:4: bars above and below
        {2560, 1600, 1280, 800, {0, 0, 2560, 1600}},   // same shape, twice the size
        {801, 500, 1280, 800, {0, 0, 800, 500}},       // odd remainder goes to the right
        {0, 0, 1280, 720, {0, 0, 0, 0}},               // minimised window
        // --scale integer: the largest whole multiple that fits, centred.
        {1920, 1080, 1280, 720, {320, 180, 1600, 900}, kInteger},   // 1.5 fits: once
        {2560, 1440, 1280, 720, {0, 0, 2560, 1440}, kInteger},      // exactly twice
        {3840, 2160, 1280, 800, {640, 280, 3200, 1880}, kInteger},  // height allows 2
        {2600, 1900, 1280, 720, {20, 230, 2580, 1670}, kInteger},   // width allows 2
        {1000, 600, 1280, 720, {0, 19, 1000, 581}, kInteger},       // none fits: as fit
        {0, 0, 1280, 720, {0, 0, 0, 0}, kInteger},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.outW) + "x" + std::to_string(c.outH) +
                     (c.mode == kInteger ? " integer" : " fit"));
        EXPECT_EQ(Letterbox(c.outW, c.outH, c.backW, c.backH, c.mode), c.expected);
    }
}

// An output pixel back through the letterbox: bars go to the picture's edge,
// and the far edge stays inside the back buffer.
TEST(Letterbox, OutputPointsMapBackIntoTheBackBuffer) {
    const PixelRect box{96, 0, 1824, 1080};  // 1280 x 800 on 1920 x 1080
    const struct {
        int32_t x, y;
        PixelPoint expected;
    } cases[] = {
        {96, 0, {0, 0}},     {1823, 1079, {1279, 799}}, {960, 540, {640, 400}},
        {10, 500, {0, 370}}, {1900, 2000, {1279, 799}}, {-50, -50, {0, 0}},
        {97, 1, {0, 0}},     {98, 2, {1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(ToBackBuffer(box, 1280, 800, c.x, c.y), c.expected);
    }
    EXPECT_EQ(ToBackBuffer({}, 1280, 720, 5, 5), (PixelPoint{0, 0}));  // minimised: no picture
}
