#include "support/ImageFile.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace {

bool CanOpenWindows() {
    return std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null") == 0;
}

// Runs tabi on a virtual display of its own (1920 x 1080, so the back buffer
// is 1280 x 720), waits until it has paced a few frames, then plays the
// player's part: xdotool commands (WINDOW stands for the game's window; "root"
// saves an xwd picture of the whole screen, "geometry" the window's place and
// size), or the hang-up of a closed terminal; and records how the process
// ended. No sound card is needed: SDL's dummy audio driver stands in. Every
// wait is bounded, so a hung window fails the test instead of the suite.
constexpr const char* kScript = R"sh(#!/bin/sh
story="$1"; tabi="$2"; actions="$3"; shift 3
XDG_DATA_HOME="$story/data" SDL_AUDIODRIVER=dummy "$tabi" --data "$story" --renderer software \
    --frame-times "$story/times.txt" --record "$story/record.txt" "$@" \
    >/dev/null 2>"$story/stderr.txt" &
pid=$!
timeout 30 xdotool search --sync --name '^Tabi$' >"$story/window.txt" 2>/dev/null
n=0
while [ "$n" -lt 300 ] && [ "$(cat "$story/times.txt" 2>/dev/null | wc -l)" -lt 5 ]; do
    sleep 0.1; n=$((n + 1))
done
window=$(head -n 1 "$story/window.txt")
if [ "$actions" = hangup ]; then
    kill -HUP "$pid"
else
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    for step in $(echo "$actions" | tr ' ' '~' | tr ';' ' '); do
        step=$(echo "$step" | tr '~' ' ' | sed "s/WINDOW/$window/g")
        case "$step" in
            *root*) xwd -root -silent >"$story/root.xwd" ;;
            *geometry*) xdotool getwindowgeometry "$window" >"$story/geometry.txt" ;;
            *) xdotool $step; sleep 0.3 ;;
        esac
    done
fi
n=0
while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
kill "$pid" 2>/dev/null  # still running after Escape: its status shows the kill
wait "$pid"; echo "exit $?" >"$story/result.txt"
)sh";

constexpr const char* kNeeds =
    "needs xvfb-run (package xvfb), xdotool and xwd for a virtual display";

// `actions`: "hangup", or xdotool commands separated by ';'.
bool RunInWindow(const CTempStory& story, const std::string& actions,
                 const std::string& tabiArguments = "--windowed") {
    story.WriteFile("run.sh", kScript);
    const std::string command = "xvfb-run -a -s '-screen 0 1920x1080x24' sh '" +
                                story.Path("run.sh") + "' '" + story.Dir().string() + "' '" +
                                TABI_BINARY + "' '" + actions + "' " + tabiArguments;
    return std::system(command.c_str()) == 0;
}

// The screen as `xwd -root` saved it: a ZPixmap of 24-bit colours, 4 bytes
// a pixel (its header may say 24 or 32 bits a pixel).
ImagePixels ReadScreen(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const auto word = [&](size_t at) {
        if (at + 4 > bytes.size()) return 0u;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    };
    const uint32_t header = word(0), width = word(16), height = word(20), byteOrder = word(28);
    const uint32_t bytesPerLine = word(48), colours = word(76);
    ImagePixels screen;
    const size_t start = size_t{header} + size_t{colours} * 12;
    if (width == 0 || bytesPerLine / width != 4 ||
        start + size_t{bytesPerLine} * height > bytes.size())
        return screen;
    screen.width = static_cast<int>(width);
    screen.height = static_cast<int>(height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t big = word(start + size_t{y} * bytesPerLine + size_t{x} * 4);
            const uint32_t pixel = byteOrder == 0 ? __builtin_bswap32(big) : big;
            screen.argb.push_back(0xFF000000u | (pixel & 0xFFFFFFu));
        }
    return screen;
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
    ASSERT_TRUE(RunInWindow(
        story, "key m;key m;key Escape",
        "--windowed --screenshot '3:" + story.Path("shot.png") + "' --volume 40 --mute"));

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
    // Nothing but the game's pointer (64 x 64), wherever the system pointer put it.
    int left = shot.width, top = shot.height, right = -1, bottom = -1;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.At(x, y) != 0xFF000000u) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    EXPECT_LT(right - left, 64);
    EXPECT_LT(bottom - top, 64);
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

namespace {

// Counts its clicks with the dialogue frame shown: the frame (sprite 1001)
// covers the bottom 200 lines of the layout area, so the screen shows where
// the picture is.
constexpr const char* kFramedClickCounter =
    "ShowDialogueFrame\nloop: WaitForEvent EVENT_MOUSE_DOWN Debug click j loop\n";

bool Lit(const ImagePixels& screen, int x, int y) {
    return screen.At(x, y) != 0xFF000000u;
}

// The game's pointer after the run, in back-buffer pixels: its motions added up.
std::pair<long, long> PointerOf(const std::string& record) {
    std::istringstream lines(record);
    std::pair<long, long> at{0, 0};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string frame, event;
        long dx = 0, dy = 0;
        if (words >> frame >> event >> dx >> dy && event == "motion") {
            at.first += dx;
            at.second += dy;
        }
    }
    return at;
}

}  // namespace

// In a window every click counts, however short (xdotool clicks with no
// hold), the game's pointer is where the system pointer is, Space turns a
// page, F12 saves a screenshot and F11 goes full screen, filling it.
TEST(WindowRun, ShortClicksPointerAndWindowKeys) {
    if (!CanOpenWindows()) GTEST_SKIP() << kNeeds;
    CTempStory story;
    story.WriteScript("start.txt", kFramedClickCounter);
    ASSERT_TRUE(RunInWindow(story,
                            "mousemove --window WINDOW 400 300;click 1;"
                            "mousemove --window WINDOW 800 600;click 1;key space;key F12;"
                            "key F11;root;key Escape"));
    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    EXPECT_EQ(CSceneStory::Count(story.ReadFile("log.txt"), "click\n"), 3u);
    const std::string record = story.ReadFile("record.txt");
    EXPECT_EQ(CSceneStory::Count(record, " press\n"), 2u) << record;
    EXPECT_EQ(PointerOf(record), std::make_pair(800L, 600L)) << record;

    const std::string errors = story.ReadFile("stderr.txt");
    const std::string shots =
        story.Path("data/tabi/") + story.Dir().filename().string() + "/saves/screenshots/";
    const auto named = errors.find("tabi: screenshot " + shots);
    ASSERT_NE(named, std::string::npos) << errors;
    const std::string path = errors.substr(named + 17, errors.find('\n', named) - named - 17);
    ImagePixels shot;
    std::string error;
    ASSERT_TRUE(CImageFile::ReadPixels(path, shot, error)) << error;
    EXPECT_EQ(std::make_pair(shot.width, shot.height), std::make_pair(1280, 720));

    const ImagePixels screen = ReadScreen(story.Path("root.xwd"));
    ASSERT_EQ(std::make_pair(screen.width, screen.height), std::make_pair(1920, 1080));
    EXPECT_TRUE(Lit(screen, 2, 1077) && Lit(screen, 1917, 1077)) << "full screen is not filled";
}

// Full screen fills the screen, scaled as a window would be: fit stretches
// the 1280 x 720 back buffer to all of 1920 x 1080, integer shows it once,
// centred (1.5 times is no whole multiple).
TEST(WindowRun, FullScreenScalesTheBackBufferToTheScreen) {
    if (!CanOpenWindows()) GTEST_SKIP() << kNeeds;
    const struct {
        const char* scale;
        int frameTop, frameLeft, frameBottom;  // the dialogue frame on the screen
    } cases[] = {{"fit", 780, 0, 1080}, {"integer", 700, 320, 900}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        CTempStory story;
        story.WriteScript("start.txt", kFramedClickCounter);
        ASSERT_TRUE(RunInWindow(story, "root;key Escape", std::string("--scale ") + c.scale));
        EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
        const ImagePixels screen = ReadScreen(story.Path("root.xwd"));
        ASSERT_EQ(std::make_pair(screen.width, screen.height), std::make_pair(1920, 1080));
        const int right = 1919 - c.frameLeft;
        EXPECT_TRUE(Lit(screen, c.frameLeft + 2, c.frameTop + 4));
        EXPECT_TRUE(Lit(screen, right - 2, c.frameBottom - 4));
        EXPECT_FALSE(Lit(screen, 960, c.frameTop - 8));  // above the frame
        // The bars: left of the frame and below it, where there are any.
        EXPECT_EQ(Lit(screen, std::max(c.frameLeft - 4, 0), c.frameTop + 4), c.frameLeft == 0);
        EXPECT_EQ(Lit(screen, 960, std::min(c.frameBottom + 4, 1079)), c.frameBottom == 1080);
    }
}
