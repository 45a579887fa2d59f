#include "support/ImageFile.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

bool HasCommand(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs tabi in a window on a virtual display of its own (1920 x 1080, so the
// back buffer is 1280 x 720), waits until it has paced a few frames, taps Escape and records how
// the process ended. No sound card is needed: SDL's dummy audio driver stands in. Every wait is
// bounded, so a hung window fails the test instead of the suite.
constexpr const char* kScript = R"sh(#!/bin/sh
story="$1"
SDL_AUDIODRIVER=dummy "$2" --data "$story" --windowed --renderer software --frame-times "$story/times.txt" \
    --screenshot "3:$story/shot.png" \
    >/dev/null 2>"$story/stderr.txt" &
pid=$!
timeout 30 xdotool search --sync --name '^Tabi$' >"$story/window.txt" 2>/dev/null
n=0
while [ "$n" -lt 300 ] && [ "$(cat "$story/times.txt" 2>/dev/null | wc -l)" -lt 5 ]; do
    sleep 0.1; n=$((n + 1))
done
xdotool windowfocus --sync "$(head -n 1 "$story/window.txt")" >/dev/null 2>&1
xdotool key Escape
n=0
while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
kill "$pid" 2>/dev/null  # still running after Escape: its status shows the kill
wait "$pid"; echo "exit $?" >"$story/result.txt"
)sh";

}  // namespace

TEST(WindowRun, OpensPresentsFramesAndEndsOnEscape) {
    if (!HasCommand("xvfb-run") || !HasCommand("xdotool"))
        GTEST_SKIP() << "needs xvfb-run (package xvfb) and xdotool for a virtual display";
    CTempStory story;
    story.WriteFile("run.sh", kScript);
    const std::string command = "xvfb-run -a -s '-screen 0 1920x1080x24' sh '" +
                                story.Path("run.sh") + "' '" + story.Dir().string() + "' '" +
                                TABI_BINARY + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    EXPECT_FALSE(story.ReadFile("window.txt").empty()) << "no window named Tabi appeared";
    const std::string times = story.ReadFile("times.txt");
    EXPECT_GE(std::count(times.begin(), times.end(), '\n'), 5);
    EXPECT_TRUE(std::ifstream(story.Path("log.txt")).good());

    // Read back from the back buffer, not the window: no bars, no scaling.
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::string error;
    ASSERT_TRUE(CImageFile::ReadPixels(story.Path("shot.png"), width, height, pixels, error))
        << error;
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);
    // Nothing but the game's pointer in the top-left corner (64 x 64 at -5, -5).
    long litOutsidePointer = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x >= 59 || y >= 59) && pixels[static_cast<size_t>(y * width + x)] != 0xFF000000u)
                ++litOutsidePointer;
    EXPECT_EQ(litOutsidePointer, 0);
}
