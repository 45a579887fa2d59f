// The window backend as a player meets it, on a virtual display.
#include "support/ImageFile.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"
#include "support/WindowRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

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

std::string LittleEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
    return out;
}

ImagePixels ReadShot(const std::string& path) {
    ImagePixels shot;
    std::string error;
    EXPECT_TRUE(CImageFile::ReadPixels(path, shot, error)) << error;
    return shot;
}

}  // namespace

// The window opens and presents frames; music and an effect play on the dummy
// driver (the mixer decodes them), M mutes; every click counts, however short
// (xdotool clicks with no hold); the game's pointer is where the system
// pointer is; Space turns a page, F12 saves a screenshot, F11 goes full screen,
// filling it; Escape ends the run with an autosave.
TEST(WindowRun, PlaysClicksKeysAndSoundAndEndsOnEscape) {
    if (!CWindowRun::CanOpenWindows()) GTEST_SKIP() << CWindowRun::kNeeds;
    CTempStory story;
    story.WriteFile("story.toml", "[sounds.1]\nfile = \"a.ogg\"\n[sounds.2]\nfile = \"b.ogg\"\n");
    std::ifstream theme(std::string(TABI_SOURCE_DIR) + "/demo/sound/theme.ogg", std::ios::binary);
    const std::string ogg{std::istreambuf_iterator<char>(theme), {}};
    story.WriteFile("a.ogg", ogg);
    story.WriteFile("b.ogg", ogg);
    story.WriteScript("start.txt", std::string("move $a0 1\nPlayMusic\nmove $a0 2\nPlaySound\n") +
                                       kFramedClickCounter);
    ASSERT_TRUE(CWindowRun::Run(
        story,
        "act key m; act key m; act mousemove --window $window 400 300; act click 1;"
        "act mousemove --window $window 800 600; act click 1; act key space; act key F12;"
        "act key F11; shot; act key Escape",
        "--windowed --screenshot '3:" + story.Path("shot.png") + "' --volume 40 --mute"));

    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    EXPECT_FALSE(story.ReadFile("window.txt").empty()) << "no window named Tabi appeared";
    const std::string times = story.ReadFile("times.txt");
    EXPECT_GE(std::count(times.begin(), times.end(), '\n'), 5);
    // No sound refused, no device failed: four waits, three clicks, the autosave.
    const std::string log = story.ReadFile("log.txt");
    EXPECT_EQ(CSceneStory::Count(log, "click\n"), 3u) << log;
    EXPECT_EQ(CSceneStory::Count(log, "\n"), 8u) << log;
    EXPECT_NE(log.find("click\nWaitForEvent\ntabi: saved "), std::string::npos) << log;
    const std::string record = story.ReadFile("record.txt");
    EXPECT_EQ(CSceneStory::Count(record, " press\n"), 2u) << record;
    EXPECT_EQ(PointerOf(record), std::make_pair(800L, 600L)) << record;

    // --screenshot reads the back buffer, not the window: no bars, no scaling,
    // and above the frame nothing but the game's pointer (64 x 64).
    const ImagePixels shot = ReadShot(story.Path("shot.png"));
    EXPECT_EQ(std::make_pair(shot.width, shot.height), std::make_pair(1280, 720));
    int left = shot.width, top = shot.height, right = -1, bottom = -1;
    for (int y = 0; y < std::min(shot.height, 520); ++y)
        for (int x = 0; x < shot.width; ++x)
            if (Lit(shot, x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    EXPECT_LT(right - left, 64);
    EXPECT_LT(bottom - top, 64);

    const std::string errors = story.ReadFile("stderr.txt");
    const std::string shots =
        story.Path("data/tabi/") + story.Dir().filename().string() + "/saves/screenshots/";
    const auto named = errors.find("tabi: screenshot " + shots);
    ASSERT_NE(named, std::string::npos) << errors;
    const ImagePixels f12 =
        ReadShot(errors.substr(named + 17, errors.find('\n', named) - named - 17));
    EXPECT_EQ(std::make_pair(f12.width, f12.height), std::make_pair(1280, 720));

    const ImagePixels screen = CWindowRun::ReadScreen(story.Path("root.xwd"));
    ASSERT_EQ(std::make_pair(screen.width, screen.height), std::make_pair(1920, 1080));
    EXPECT_TRUE(Lit(screen, 2, 1077) && Lit(screen, 1917, 1077)) << "full screen is not filled";
}

// A closed terminal ends the run like a closed window: a normal end, with the
// input record and the log complete. Before it, the window is hidden, which
// closes the sound device while nothing plays; an effect the story plays
// then (the hero stops two seconds in) opens it again and is heard at the
// player's volume: SDL's disk driver writes what it plays to a file, and a
// 20000 square at volume 10 peaks near 2031.
TEST(WindowRun, AnEffectWhileHiddenIsHeardAndAHangUpEndsTheRunCleanly) {
    if (!CWindowRun::CanOpenWindows()) GTEST_SKIP() << CWindowRun::kNeeds;
    CTempStory story;
    story.WriteSpriteImages(1);
    story.WriteFile("story.toml", "[sounds.1]\nfile = \"a.wav\"\n");
    constexpr uint32_t kSamples = 6 * 44100;  // mono, six seconds: still playing at the end
    std::string wav = "RIFF" + LittleEndian(36 + 2 * kSamples, 4) + "WAVEfmt " +
                      LittleEndian(16, 4) + LittleEndian(1, 2) + LittleEndian(1, 2) +
                      LittleEndian(44100, 4) + LittleEndian(88200, 4) + LittleEndian(2, 2) +
                      LittleEndian(16, 2) + "data" + LittleEndian(2 * kSamples, 4);
    for (uint32_t i = 0; i < kSamples; ++i)
        wav += LittleEndian(static_cast<uint32_t>((i / 50) % 2 ? 20000 : -20000), 2);
    story.WriteFile("a.wav", wav);
    story.WriteScript("start.txt", CSceneStory::HeroAt(100, 300) +
                                       "MoveEntityTo hero 190 300 1\nWaitForEvent EVENT_HERO_STOP\n"
                                       "move $a0 1\nPlaySound\nDebug chimed\n");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", story.Path("audio.raw").c_str(), 1);
    const bool ran = CWindowRun::Run(
        story, "xdotool windowunmap --sync $window; await chimed; sleep 0.5; kill -HUP $pid",
        "--windowed --volume 10");
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    ASSERT_TRUE(ran);
    EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
    // The game is kept as on any quit by the player; no sound was refused.
    const std::string autosave =
        story.Path("data/tabi/") + story.Dir().filename().string() + "/saves/autosave.save";
    const std::string log = story.ReadFile("log.txt");
    EXPECT_NE(log.find("\nchimed\ntabi: saved " + autosave + " at frame "), std::string::npos)
        << log;
    EXPECT_EQ(log.find("CSoundManager"), std::string::npos) << log;
    const std::string record = story.ReadFile("record.txt");
    EXPECT_EQ(record.rfind("# tabi input", 0), 0u) << record;
    EXPECT_NE(record.find(" close\n"), std::string::npos) << record;
    const std::string played = story.ReadFile("audio.raw");
    int peak = 0;
    for (size_t at = 0; at + 1 < played.size(); at += 2) {
        const auto low = static_cast<uint8_t>(played[at]),
                   high = static_cast<uint8_t>(played[at + 1]);
        peak = std::max(peak, std::abs(static_cast<int16_t>(low | high << 8)));
    }
    EXPECT_GT(peak, 1500);
    EXPECT_LT(peak, 2600);
}

// Full screen fills the screen, scaled as a window would be: fit stretches
// the 1280 x 720 back buffer to all of 1920 x 1080, integer shows it once,
// centred (1.5 times is no whole multiple).
TEST(WindowRun, FullScreenScalesTheBackBufferToTheScreen) {
    if (!CWindowRun::CanOpenWindows()) GTEST_SKIP() << CWindowRun::kNeeds;
    const struct {
        const char* scale;
        int frameTop, frameLeft, frameBottom;  // the dialogue frame on the screen
    } cases[] = {{"fit", 780, 0, 1080}, {"integer", 700, 320, 900}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        CTempStory story;
        story.WriteScript("start.txt", kFramedClickCounter);
        ASSERT_TRUE(
            CWindowRun::Run(story, "shot; act key Escape", std::string("--scale ") + c.scale));
        EXPECT_EQ(story.ReadFile("result.txt"), "exit 0\n") << story.ReadFile("stderr.txt");
        const ImagePixels screen = CWindowRun::ReadScreen(story.Path("root.xwd"));
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
