#include "display/DevOverlay.h"

#include "story/Diagnostics.h"
#include "story/Story.h"
#include "support/GameHarness.h"
#include "support/ImageFile.h"
#include "support/SceneStory.h"
#include "support/TempStory.h"
#include "world/WalkGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

enum class Seen { Black, Free, Blocked, Trap };

// What the overlay's colours look like over a black scene.
Seen Classify(uint32_t c) {
    const int red = (c >> 16) & 0xFF, green = (c >> 8) & 0xFF, blue = c & 0xFF;
    if ((c & 0xFFFFFF) == 0) return Seen::Black;
    if (green > red && green > blue) return Seen::Free;
    if (red > 2 * green && red > 2 * blue) return Seen::Blocked;
    if (red > blue && green > blue) return Seen::Trap;
    return Seen::Black;
}

}  // namespace

// A dark scene with a wall and a trap. The hero (sprite 7: no picture at
// all) draws nothing but steers the camera: in the middle of the scene the
// layout area starts at scene point (384, 152). A character stands left of
// the part of the screenshot checked. With the overlay the screenshot shows
// the grid's colours where the cells are, scrolled with the camera; without
// it those points are black. The overlay is a view: the log and the render dump
// are the same either way, through a click that walks the hero (and so
// scrolls the character).
TEST(DevOverlay, ShowsTheGridAndLeavesTheGameAsItWas) {
    CTempStory story;
    story.WriteSpriteImages(2);
    story.WriteScript("start.txt",
                      "SetSceneScale 2048 1024\nSetTile 900 500 900 560 255\n"
                      "SetTile 1300 700 1300 760 9\n" +
                          CSceneStory::EntityAt(7, "hero", 1024, 512) + "SetHero hero\n" +
                          CSceneStory::EntityAt(2, "npc", 384 + 60, 152 + 500));
    story.WriteInput("5 motion 700 400\n6 press\n7 release\n");
    const RunResult plain = story.RunHeadless(30, {"--screenshot", "3:" + story.Path("off.png")});
    const RunResult shown =
        story.RunHeadless(30, {"--overlay", "--screenshot", "3:" + story.Path("on.png")});
    EXPECT_EQ(shown.log, plain.log);
    EXPECT_TRUE(shown.dump == plain.dump);
    EXPECT_NE(CSceneStory::Item(plain, 30, "image/oneechanS")["x"],
              CSceneStory::Item(plain, 3, "image/oneechanS")["x"]);
    // Scene points inside the wall, the trap and open ground, seen 384, 152
    // up and left of where they lie in the scene.
    const struct {
        int x, y;
        Seen seen;
    } probes[] = {{900, 530, Seen::Blocked},
                  {1340, 730, Seen::Trap},
                  {1300, 690, Seen::Free},
                  {700, 400, Seen::Free},
                  {1100, 300, Seen::Free}};
    for (const bool on : {true, false}) {
        ImagePixels shot;
        std::string error;
        ASSERT_TRUE(CImageFile::ReadPixels(story.Path(on ? "on.png" : "off.png"), shot, error));
        ASSERT_EQ(shot.width, 1280);
        for (const auto& p : probes)
            EXPECT_EQ(Classify(shot.At(p.x - 384, p.y - 152)), on ? p.seen : Seen::Black)
                << p.x << "," << p.y << (on ? " overlay" : " no overlay");
    }
}

// A scene too large for one picture pixel per scene pixel is pictured in
// blocks, so that even the widest scene gives a picture of bounded size.
TEST(DevOverlay, LargeScenesArePicturedInBlocks) {
    std::vector<CDevOverlay::TrapLabel> labels;
    const auto tall = CDevOverlay::PaintGrid(CWalkGrid(2048, 20477), 2048, 20477, labels);
    EXPECT_EQ(std::make_tuple(tall.scale, tall.width, tall.height), std::make_tuple(5, 410, 4096));
    const auto widest = CDevOverlay::PaintGrid(CWalkGrid(INT32_MAX, 100), INT32_MAX, 100, labels);
    EXPECT_EQ(std::make_tuple(widest.width, widest.height), std::make_tuple(4096, 1));
    EXPECT_TRUE(CDevOverlay::PaintGrid(CWalkGrid(0, 0), 0, 0, labels).argb.empty());
}

// Names are kept in the story's encoding (here GB2312); the overlay hands the
// font UTF-8, in a UTF-8 story as well.
TEST(DevOverlay, WritesEntityNamesInUtf8) {
    for (const bool utf8 : {false, true}) {
        CTempStory story;
        if (utf8) story.WriteFile("story.toml", "encoding = \"utf-8\"");
        story.WriteScript("start.txt", std::string("SetSceneScale 2048 1024 LoadSprite 7 x ") +
                                           (utf8 ? "\xE4\xBD\xA0\xFF" : "\xC4\xE3\xFF"));
        CDiagnostics findings;
        const auto read = CStory::Load(story.Dir(), findings);
        CGameHarness harness(story, *read);
        harness.RunFrames(2);
        CDevOverlay overlay(harness.Game(), true);
        DrawList frame;
        overlay.AppendTo(frame, 0, 0);
        size_t named = 0;
        for (const DrawCommand& command : frame.commands)
            named += command.kind == DrawCommand::Kind::Text &&
                     command.text == "\xE4\xBD\xA0\xEF\xBF\xBD";
        EXPECT_EQ(named, 2u) << "the name and its shadow";
    }
}
