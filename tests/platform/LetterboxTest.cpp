#include "platform/Letterbox.h"

#include <gtest/gtest.h>

TEST(Letterbox, KeepsTheShapeWithCentredBars) {
    struct Case {
        int outW, outH, backW, backH;
        PixelRect expected;
    };
    const Case cases[] = {
        {1280, 800, 1280, 800, {0, 0, 1280, 800}},     // window of the back buffer's size
        {1920, 1080, 1280, 800, {96, 0, 1824, 1080}},  // 16:10 on 16:9: bars at the sides
        {1280, 1024, 1280, 720, {0, 152, 1280, 872}},  // 16:9 on 5:4: bars above and below
        {2560, 1600, 1280, 800, {0, 0, 2560, 1600}},   // same shape, twice the size
        {801, 500, 1280, 800, {0, 0, 800, 500}},       // odd remainder goes to the right
        {0, 0, 1280, 720, {0, 0, 0, 0}},               // minimised window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.outW) + "x" + std::to_string(c.outH));
        EXPECT_EQ(Letterbox(c.outW, c.outH, c.backW, c.backH), c.expected);
    }
}
