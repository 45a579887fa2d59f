#include "display/Displayer.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <tuple>

// Every shape the displayer knows, the shape it does not, and too small.
TEST(BackBuffer, ChosenFromTheDesktopShape) {
    struct Shape {
        uint32_t desktopWidth, desktopHeight, width, height;
        bool low;
    };
    const Shape shapes[] = {
        {1920, 1080, 1280, 720, false},  {1280, 720, 1280, 720, false},
        {1680, 1050, 1280, 800, false},  {1600, 1200, 1280, 960, false},
        {1280, 1024, 1280, 1024, false}, {1366, 768, 1366, 768, false},
        {1024, 768, 1024, 768, true},    {1280, 719, 1280, 719, true},
    };
    for (const Shape& s : shapes) {
        const auto chosen = CDisplayer::ChooseBackBuffer(s.desktopWidth, s.desktopHeight);
        EXPECT_EQ(std::make_tuple(chosen.width, chosen.height, chosen.lowResolution),
                  std::make_tuple(s.width, s.height, s.low))
            << s.desktopWidth << "x" << s.desktopHeight;
    }
}

TEST(BackBuffer, LowResolutionEndsTheRunAsAFailure) {
    CTempStory story;
    const RunResult run = story.Play("", 10, {"--display", "1024x768"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.log, "Low Resolution\n");
    EXPECT_TRUE(run.dump.empty());
}
