#include "display/DevOverlay.h"

#include "platform/ImageFile.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"
#include "world/WalkGrid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

Picture ReadShot(const CTempStory& story, const std::string& name) {
    Picture picture;
    std::string error;
    EXPECT_TRUE(CImageFile::ReadPixels(story.Path(name), picture.width, picture.height,
                                       picture.argb, error))
        << error;
    return picture;
}

int Red(uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

enum class Seen { Black, Free, Blocked, Trap };

// What the overlay's colours look like over a black scene.
Seen Classify(uint32_t c) {
    if ((c & 0xFFFFFF) == 0) return Seen::Black;
    if (Green(c) > Red(c) && Green(c) > Blue(c)) return Seen::Free;
    if (Red(c) > 2 * Green(c) && Red(c) > 2 * Blue(c)) return Seen::Blocked;
    if (Red(c) > Blue(c) && Green(c) > Blue(c)) return Seen::Trap;
    return Seen::Black;
}

// A dark scene (nothing drawn but the pointer) with a wall and a trap. The
// hero (sprite 7: no picture at all) draws nothing but steers the camera.
std::string DarkScene(int heroX, int heroY) {
    return "SetSceneScale 2048 1024\nSetTile 900 500 900 560 255\nSetTile 1300 700 1300 760 9\n" +
           CSceneStory::EntityAt(7, "hero", heroX, heroY) + "SetHero hero\n";
}

}  // namespace

// Each picture pixel shows the cell its scene point lies in; cells outside
// the grid (the bottom corners of a wide scene) are blocked.
TEST(DevOverlay, GridPictureShowsEveryCellsValue) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(900, 500, 900, 560, 255);
    grid.Paint(1300, 700, 1300, 760, 9);
    std::vector<CDevOverlay::TrapLabel> labels;
    const CDevOverlay::GridPicture picture = CDevOverlay::PaintGrid(grid, 2048, 1024, labels);
    ASSERT_EQ(picture.width, 2048);
    ASSERT_EQ(picture.height, 1024);
    EXPECT_EQ(picture.scale, 1);
    size_t blocked = 0, traps = 0;
    for (int32_t y = 0; y < 1024; y += 3)
        for (int32_t x = 0; x < 2048; x += 7) {
            const uint8_t value = grid.At(x, y);
            ASSERT_EQ(picture.argb[static_cast<size_t>(y) * 2048 + static_cast<size_t>(x)],
                      CDevOverlay::CellColor(value))
                << x << "," << y;
            blocked += value == CWalkGrid::kBlocked;
            traps += value == 9;
        }
    EXPECT_GT(traps, 0u);
    EXPECT_GT(blocked, 0u);
    EXPECT_EQ(picture.argb.back(), CDevOverlay::CellColor(CWalkGrid::kBlocked));  // a corner
    EXPECT_NE(CDevOverlay::CellColor(0), CDevOverlay::CellColor(255));
    EXPECT_NE(CDevOverlay::CellColor(9), CDevOverlay::CellColor(255));
    EXPECT_NE(CDevOverlay::CellColor(9), CDevOverlay::CellColor(0));
}

// One label per connected region of a trap number, inside it; a trap region
// the scene does not show gets none.
TEST(DevOverlay, TrapRegionsAreLabelledOnce) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(300, 300, 300, 360, 4);
    grid.Paint(1500, 600, 1500, 660, 4);  // the same number, elsewhere
    grid.Paint(1000, 400, 1000, 460, 200);
    grid.Paint(1030, 400, 1030, 460, 200);  // overlaps the one before: one region
    std::vector<CDevOverlay::TrapLabel> labels;
    CDevOverlay::PaintGrid(grid, 2048, 1024, labels);
    ASSERT_EQ(labels.size(), 3u);
    size_t fours = 0;
    for (const auto& label : labels) {
        SCOPED_TRACE(label.trap);
        EXPECT_EQ(grid.At(static_cast<int32_t>(label.x), static_cast<int32_t>(label.y)),
                  label.trap);
        fours += label.trap == 4;
    }
    EXPECT_EQ(fours, 2u);
}

// A scene too large for one picture pixel per scene pixel is pictured in
// blocks; one with no size gives no picture.
TEST(DevOverlay, LargeScenesArePicturedInBlocks) {
    CWalkGrid tall(2048, 20477);
    tall.Paint(1000, 10000, 1000, 10060, 255);
    std::vector<CDevOverlay::TrapLabel> labels;
    const CDevOverlay::GridPicture picture = CDevOverlay::PaintGrid(tall, 2048, 20477, labels);
    EXPECT_EQ(picture.scale, 5);
    EXPECT_EQ(picture.width, 410);
    EXPECT_EQ(picture.height, 4096);
    for (const auto& [px, py] : {std::pair{200, 2006}, std::pair{10, 10}, std::pair{400, 4000}}) {
        SCOPED_TRACE(std::to_string(px) + "," + std::to_string(py));
        EXPECT_EQ(picture.argb[static_cast<size_t>(py) * 410 + static_cast<size_t>(px)],
                  CDevOverlay::CellColor(tall.At(px * 5, py * 5)));
    }
    EXPECT_TRUE(CDevOverlay::PaintGrid(CWalkGrid(0, 0), 0, 0, labels).argb.empty());
    const CDevOverlay::GridPicture widest =
        CDevOverlay::PaintGrid(CWalkGrid(INT32_MAX, 100), INT32_MAX, 100, labels);
    EXPECT_EQ(widest.width, 4096);
    EXPECT_EQ(widest.height, 1);
}

class OverlayStory : public ::testing::Test {
protected:
    CTempStory m_story;
};

// Over a dark scene the screenshot shows the grid's colours where the cells
// are, scrolled with the camera: with the hero in the middle of the scene
// the layout area starts at scene point (384, 152). Without the overlay the
// same frame is black.
TEST_F(OverlayStory, ScreenshotShowsTheGridWhereItsCellsAre) {
    m_story.WriteScript("start.txt", DarkScene(1024, 512));
    CWalkGrid grid(2048, 1024);
    grid.Paint(900, 500, 900, 560, 255);
    grid.Paint(1300, 700, 1300, 760, 9);
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "overlay" : "no overlay");
        std::vector<std::string> args{"--screenshot", "3:" + m_story.Path("shot.png")};
        if (on) args.push_back("--overlay");
        ASSERT_EQ(m_story.RunHeadless(3, args).exitCode, 0);
        const Picture shot = ReadShot(m_story, "shot.png");
        ASSERT_EQ(shot.width, 1280);
        size_t checked[4] = {};
        for (int y = 100; y < 720; y += 4)
            for (int x = 200; x < 1280; x += 5) {
                // The overlay writes there: the hero's cross and name, the trap's number.
                if (std::abs(x - 660) < 60 && std::abs(y - 370) < 40) continue;
                if (std::abs(x - 916) < 40 && std::abs(y - 578) < 30) continue;
                const int sceneX = x + 384, sceneY = y + 152;
                const uint8_t value = grid.At(sceneX, sceneY);
                const Seen expected = !on                            ? Seen::Black
                                      : value == 0                   ? Seen::Free
                                      : value == CWalkGrid::kBlocked ? Seen::Blocked
                                                                     : Seen::Trap;
                ASSERT_EQ(Classify(shot.At(x, y)), expected) << x << "," << y;
                ++checked[static_cast<int>(expected)];
            }
        if (on) {
            EXPECT_GT(checked[static_cast<int>(Seen::Blocked)], 10u);
            EXPECT_GT(checked[static_cast<int>(Seen::Trap)], 10u);
        }
    }
}

// Hit boxes are outlined where the entity's box is: the character (sprite 2,
// box (0, 64)-(128, 256) of its quad, centre (64, 128)) at (400, 300) has
// the top edge of its box on layout line 236, from x 336 to 463.
TEST_F(OverlayStory, HitBoxesAreOutlinedAroundTheBox) {
    m_story.WriteSpriteImages(2);
    m_story.WriteScript("start.txt", "SetSceneScale 2048 1024\n" +
                                         CSceneStory::EntityAt(2, "npc", 400, 300) + "SetNPC\n");
    ASSERT_EQ(m_story.RunHeadless(3, {"--overlay", "--screenshot", "3:" + m_story.Path("shot.png")})
                  .exitCode,
              0);
    const Picture shot = ReadShot(m_story, "shot.png");
    const uint32_t edge = shot.At(380, 236);
    EXPECT_EQ(edge, 0xFF00E0FFu);
    EXPECT_EQ(shot.At(336, 300), edge);  // left edge
    EXPECT_EQ(shot.At(463, 300), edge);  // right edge
    EXPECT_EQ(shot.At(380, 427), edge);  // bottom edge
    EXPECT_NE(shot.At(380, 235), edge);
    EXPECT_NE(shot.At(380, 237), edge);
}

// The overlay is a view: the run's log and render dump are the same with it
// and without it, and two runs with it give the same picture, frames per
// second included (the headless clock is virtual).
TEST_F(OverlayStory, LeavesTheGameAsItWas) {
    m_story.WriteSpriteImages(1);
    m_story.WriteSpriteImages(2);
    m_story.WriteScript("script01.txt",
                        "ShowDialogueFrame\nSetDialogueContent Hi\n"
                        "WaitForEvent EVENT_MOUSE_DOWN\nHideDialogueFrame\n");
    m_story.WriteScript("start.txt",
                        CSceneStory::HeroAt(300, 300) + CSceneStory::EntityAt(2, "npc", 700, 300) +
                            "SetNPC\nmove $a1 1\nSetEntityScript\n"
                            "SetTile 500 280 500 320 3\nMoveEntityTo hero 900 350 4\n");
    m_story.WriteInput("3 motion 700 350\n20 press\n21 release\n30 press\n31 release\n");
    const RunResult plain = m_story.RunHeadless(60);
    const std::vector<std::string> overlay{"--overlay", "--screenshot",
                                           "60:" + m_story.Path("a.png")};
    const RunResult first = m_story.RunHeadless(60, overlay);
    EXPECT_EQ(first.log, plain.log);
    ASSERT_EQ(first.dump.size(), plain.dump.size());
    for (size_t i = 0; i < plain.dump.size(); ++i)
        ASSERT_EQ(first.dump[i], plain.dump[i]);

    std::vector<std::string> again = overlay;
    again.back() = "60:" + m_story.Path("b.png");
    m_story.RunHeadless(60, again);
    EXPECT_EQ(m_story.ReadFile("a.png"), m_story.ReadFile("b.png"));
}

namespace {

bool HasCommand(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs tabi in a window on a virtual display of its own, presses F1 once a
// few frames have been paced, and ends it with Escape once frame 150 (the
// screenshot's) is past. Every wait is bounded.
constexpr const char* kPressF1 = R"sh(#!/bin/sh
story="$1"
SDL_AUDIODRIVER=dummy "$2" --data "$story" --windowed --renderer software \
    --frame-times "$story/times.txt" --screenshot "150:$story/shot.png" \
    >/dev/null 2>"$story/stderr.txt" &
pid=$!
timeout 30 xdotool search --sync --name '^Tabi$' >"$story/window.txt" 2>/dev/null
frames() { cat "$story/times.txt" 2>/dev/null | wc -l; }
n=0
while [ "$n" -lt 300 ] && [ "$(frames)" -lt 5 ]; do sleep 0.1; n=$((n + 1)); done
xdotool windowfocus --sync "$(head -n 1 "$story/window.txt")" >/dev/null 2>&1
xdotool key F1
echo "$(frames)" >"$story/pressed.txt"
n=0
while [ "$n" -lt 300 ] && [ "$(frames)" -lt 160 ]; do sleep 0.1; n=$((n + 1)); done
xdotool key Escape
n=0
while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
kill "$pid" 2>/dev/null
wait "$pid"
)sh";

}  // namespace

TEST(DevOverlayWindow, F1TurnsTheOverlayOn) {
    if (!HasCommand("xvfb-run") || !HasCommand("xdotool"))
        GTEST_SKIP() << "needs xvfb-run (package xvfb) and xdotool for a virtual display";
    CTempStory story;
    story.WriteScript("start.txt", "SetSceneScale 2048 1024\nSetTile 300 200 300 260 255\n");
    story.WriteFile("run.sh", kPressF1);
    const std::string command = "xvfb-run -a -s '-screen 0 1920x1080x24' sh '" +
                                story.Path("run.sh") + "' '" + story.Dir().string() + "' '" +
                                TABI_BINARY + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_LT(std::atoi(story.ReadFile("pressed.txt").c_str()), 140)
        << "F1 came too late to show in the screenshot";
    const Picture shot = ReadShot(story, "shot.png");
    ASSERT_EQ(shot.width, 1280);
    EXPECT_EQ(Classify(shot.At(300, 230)), Seen::Blocked);
    EXPECT_EQ(Classify(shot.At(600, 400)), Seen::Free);
}
