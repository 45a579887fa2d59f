#include "support/ImageFile.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

bool CanOpenWindows() {
    return std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null") == 0;
}

// Runs tabi in a window on a virtual display of its own (1920 x 1080, so the
// back buffer is 1280 x 720), waits until it has paced a few frames, then taps M (mute) and Escape
// (or sends the hang-up of a closed terminal) and records how the process ended. No sound card is
// needed: SDL's dummy audio driver stands in. Every wait is bounded, so a hung window fails the
// test instead of the suite.
constexpr const char* kScript = R"sh(#!/bin/sh
story="$1"
XDG_DATA_HOME="$story/data" SDL_AUDIODRIVER=dummy "$2" --data "$story" --windowed --renderer software --frame-times "$story/times.txt" \
    --screenshot "3:$story/shot.png" --record "$story/record.txt" --volume 40 --mute \
    >/dev/null 2>"$story/stderr.txt" &
pid=$!
timeout 30 xdotool search --sync --name '^Tabi$' >"$story/window.txt" 2>/dev/null
n=0
while [ "$n" -lt 300 ] && [ "$(cat "$story/times.txt" 2>/dev/null | wc -l)" -lt 5 ]; do
    sleep 0.1; n=$((n + 1))
done
if [ "$3" = hangup ]; then
    kill -HUP "$pid"
else
    xdotool windowfocus --sync "$(head -n 1 "$story/window.txt")" >/dev/null 2>&1
    xdotool key m sleep 0.2 key m sleep 0.2 key Escape
fi
n=0
while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
kill "$pid" 2>/dev/null  # still running after Escape: its status shows the kill
wait "$pid"; echo "exit $?" >"$story/result.txt"
)sh";

constexpr const char* kNeeds = "needs xvfb-run (package xvfb) and xdotool for a virtual display";

bool RunInWindow(const CTempStory& story, const char* ending) {
    story.WriteFile("run.sh", kScript);
    const std::string command = "xvfb-run -a -s '-screen 0 1920x1080x24' sh '" +
                                story.Path("run.sh") + "' '" + story.Dir().string() + "' '" +
                                TABI_BINARY + "' " + ending;
    return std::system(command.c_str()) == 0;
}

}  // namespace

TEST(WindowRun, OpensPresentsFramesAndEndsOnEscape) {
    if (!CanOpenWindows()) GTEST_SKIP() << kNeeds;
    CTempStory story;
    // Music and an effect on the dummy driver: the mixer decodes and plays them.
    story.WriteFile("story.toml", "[sounds.1]\nfile = \"a.ogg\"\n[sounds.2]\nfile = \"b.ogg\"\n");
    std::ifstream theme(std::string(TABI_SOURCE_DIR) + "/demo/sound/theme.ogg", std::ios::binary);
    const std::string ogg{std::istreambuf_iterator<char>(theme), {}};
    story.WriteFile("a.ogg", ogg);
    story.WriteFile("b.ogg", ogg);
    story.WriteScript("start.txt", "move $a0 1\nPlayMusic\nmove $a0 2\nPlaySound\n");
    ASSERT_TRUE(RunInWindow(story, "escape"));

    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    EXPECT_FALSE(story.ReadFile("window.txt").empty()) << "no window named Tabi appeared";
    const std::string times = story.ReadFile("times.txt");
    EXPECT_GE(std::count(times.begin(), times.end(), '\n'), 5);
    // No sound refused, no device failed: the one line is the autosave on Escape.
    const std::string log = story.ReadFile("log.txt");
    EXPECT_EQ(log.rfind("tabi: saved ", 0), 0u) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;

    // Read back from the back buffer, not the window: no bars, no scaling.
    ImagePixels shot;
    std::string error;
    ASSERT_TRUE(CImageFile::ReadPixels(story.Path("shot.png"), shot, error)) << error;
    EXPECT_EQ(std::make_pair(shot.width, shot.height), std::make_pair(1280, 720));
    // Nothing but the game's pointer in the top-left corner (64 x 64 at -5, -5).
    long litOutsidePointer = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            litOutsidePointer += (x >= 59 || y >= 59) && shot.At(x, y) != 0xFF000000u;
    EXPECT_EQ(litOutsidePointer, 0);
}

// A closed terminal ends the run like a closed window: a normal end, with the
// input record and the log complete.
TEST(WindowRun, AHangUpEndsTheRunCleanly) {
    if (!CanOpenWindows()) GTEST_SKIP() << kNeeds;
    CTempStory story;
    story.WriteScript("start.txt", "Debug started\n");
    ASSERT_TRUE(RunInWindow(story, "hangup"));
    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    // The game is kept as on any quit by the player.
    const std::string autosave =
        story.Path("data/tabi/") + story.Dir().filename().string() + "/saves/autosave.save";
    EXPECT_EQ(story.ReadFile("log.txt").rfind("started\ntabi: saved " + autosave + " at frame ", 0),
              0u);
    const std::string record = story.ReadFile("record.txt");
    EXPECT_EQ(record.rfind("# tabi input", 0), 0u) << record;
    EXPECT_NE(record.find(" close\n"), std::string::npos) << record;
}
