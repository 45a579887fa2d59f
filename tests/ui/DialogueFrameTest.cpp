#include "ui/DialogueFrame.h"

#include "app/HandleRegistry.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "platform/ImageFile.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"
#include "ui/TextWidget.h"
#include "ui/WidgetPanel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Holds the frame as the dialogue controller places it, at (0, 520), and
// keeps the pictures that reach it, one "file@x,y" each.
class CCaptureRoot : public CWidgetPanel {
public:
    void Submit(std::unique_ptr<RenderItem> item, CDisplayer&) override {
        if (item->kind != RenderItem::kQuad) return;
        const std::string file = item->texture ? item->texture->Path().substr(6) : "-";
        seen += file + "@" + std::to_string(static_cast<int>(item->x)) + "," +
                std::to_string(static_cast<int>(item->y)) + " ";
    }
    std::string seen;
};

class DialogueFrame : public ::testing::Test {
protected:
    DialogueFrame() {
        auto frame = std::make_unique<CDialogueFrame>(m_harness.Game().GetDisplayer());
        frame->SetRect({0, 520, 1280, 720});
        m_frame = frame.get();
        m_root.AddChild(std::move(frame));
    }
    static const CTempStory& Written(const CTempStory& story) {
        story.WriteScript("start.txt", "");
        for (int number : {1, 3, 6})
            story.WriteSpriteImages(number);
        return story;
    }
    std::unique_ptr<CSprite> Load(int number) {
        return m_harness.Game().GetDatabase().LoadSprite(number);
    }
    bool Alive(uint32_t handle) {
        return m_harness.Game().Handles().Find<CSprite>(handle) != nullptr;
    }
    std::string Rendered() {
        m_root.seen.clear();
        m_root.Render(m_harness.Game().GetDisplayer());
        return m_root.seen;
    }

    CTempStory m_story;
    CGameHarness m_harness{Written(m_story)};
    CCaptureRoot m_root;
    CDialogueFrame* m_frame = nullptr;  // owned by m_root
};

}  // namespace

TEST_F(DialogueFrame, ChildrenAreFoundByName) {
    EXPECT_EQ(m_frame->FindByName("Portrait"), m_frame->PortraitWidget());
    EXPECT_EQ(m_frame->FindByName("Content"), m_frame->Content());
    EXPECT_EQ(m_frame->FindByName("Speaker"), m_frame->Speaker());
    EXPECT_EQ(m_frame->FindByName(""), m_frame) << "the frame's own name is empty";
    for (const char* other : {"portrait", "Dialogue", "Content ", "Speaker:"}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(m_frame->FindByName(other), nullptr);
    }
}

// A slot owns its sprite: loading again destroys the one it held, and the
// "Portrait" child, which only borrows a slot's sprite, shows the new one
// rather than a destroyed one. Slots outside 0..49 take nothing: the
// offered sprite goes at once. (What each case shows: DialogueCommandsTest.)
TEST_F(DialogueFrame, SlotsOwnTheirPortraits) {
    auto first = Load(3);
    const uint32_t firstHandle = first->Handle();
    m_frame->LoadPortrait(3, std::move(first));
    m_frame->SelectPortrait(3, 0);
    m_frame->LoadPortrait(3, Load(1));
    EXPECT_FALSE(Alive(firstHandle));
    EXPECT_EQ(m_frame->PortraitWidget()->ShownSprite(), m_frame->Portrait(3));
    EXPECT_EQ(Rendered(), "walk00.png@70,340 ");

    for (int slot : {-1, 50, 1000}) {
        SCOPED_TRACE(slot);
        auto stray = Load(6);
        const uint32_t strayHandle = stray->Handle();
        m_frame->LoadPortrait(slot, std::move(stray));
        EXPECT_FALSE(Alive(strayHandle));
        EXPECT_EQ(m_frame->Portrait(slot), nullptr);
    }
}

// Every slot sprite is destroyed exactly once with the frame, including the
// one on show (the sanitizers catch a second destruction).
TEST_F(DialogueFrame, DestroyingTheFrameDestroysEveryPortraitOnce) {
    std::vector<uint32_t> handles;
    for (int slot : {0, 1, 49}) {
        auto sprite = Load(3);
        handles.push_back(sprite->Handle());
        m_frame->LoadPortrait(slot, std::move(sprite));
    }
    m_frame->SelectPortrait(1, 0);
    m_root.RemoveChild(m_frame);
    m_frame = nullptr;
    for (uint32_t handle : handles)
        EXPECT_FALSE(Alive(handle));
}

// A dialogue screen, through the whole engine and its headless renderer,
// against a reference picture made once and checked by eye: a background,
// the frame (half see-through), a portrait whose left half differs from its
// right (a flipped or misplaced quad shows), the speaker and two lines of
// content in the dialogue font. Compared within a small tolerance per
// channel; the actual picture is written next to the build on failure.
TEST(DialogueScreen, MatchesTheReferencePicture) {
    const std::filesystem::path reference =
        std::filesystem::path(TABI_SOURCE_DIR) / "tests/ui/reference/dialogue.png";
    const std::filesystem::path actual = std::filesystem::current_path() / "dialogue-actual.png";
    CTempStory story;
    story.WriteImage("image/end.png", 16, 9, 0xFF335577);
    story.WriteImage("image/dia.png", 16, 4, 0xC0F4F0E8);
    std::vector<uint32_t> portrait(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            portrait[static_cast<size_t>(y * 64 + x)] =
                y < 8 ? 0x00000000 : (x < 32 ? 0xFFD04040 : 0xFF40A040);
    CPngWriter::Write(story.Path("image/imouto.png"), 64, 64, portrait);
    story.WriteScript("start.txt",
                      "move $a0 8\nChangeMode\nmove $a0 2002\nAddSprite x bg\n"
                      "move $a0 0\nmove $a1 3\nLoadPortrait\nmove $a1 0\nSelectPortrait\n"
                      // 妹, and a sentence about a walk in the park: two lines.
                      "SetDialogueSpeaker \xC3\xC3\n"
                      "SetDialogueContent "
                      "\xBD\xF1\xCC\xEC\xCC\xEC\xC6\xF8\xBA\xDC\xBA\xC3\xA3\xAC\xCE\xD2\xC3\xC7"
                      "\xD2\xBB\xC6\xF0\xC8\xA5\xB9\xAB\xD4\xB0\xC9\xA2\xB2\xBD\xB0\xC9\xA1\xA3"
                      "\xC2\xB7\xC9\xCF\xBB\xB9\xBF\xC9\xD2\xD4\xC2\xF2\xD2\xBB\xB5\xE3\xBA\xC3"
                      "\xB3\xD4\xB5\xC4\xB6\xAB\xCE\xF7\xA3\xAC\xC8\xBB\xBA\xF3\xBB\xD8\xBC\xD2"
                      "\xD0\xDD\xCF\xA2\xA1\xA3OK!\n"
                      "ShowDialogueFrame\n");
    const RunResult run = story.RunHeadless(4, {"--screenshot", "4:" + actual.string()});
    ASSERT_EQ(run.exitCode, 0) << run.log;

    int width = 0, height = 0, refWidth = 0, refHeight = 0;
    std::vector<uint32_t> got, want;
    std::string error;
    ASSERT_TRUE(CImageFile::ReadPixels(actual.string(), width, height, got, error)) << error;
    ASSERT_TRUE(CImageFile::ReadPixels(reference.string(), refWidth, refHeight, want, error))
        << "no reference picture at " << reference << ": " << error;
    ASSERT_EQ(width, refWidth);
    ASSERT_EQ(height, refHeight);
    constexpr int kTolerance = 12;  // per channel: room for anti-aliasing differences
    long beyond = 0;
    std::string first;
    for (size_t i = 0; i < got.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            const int a = static_cast<int>((got[i] >> shift) & 0xFF);
            const int b = static_cast<int>((want[i] >> shift) & 0xFF);
            if (std::abs(a - b) <= kTolerance) continue;
            if (beyond++ == 0) {
                char where[96];
                std::snprintf(where, sizeof where, "(%zu, %zu): %08X, reference %08X",
                              i % static_cast<size_t>(width), i / static_cast<size_t>(width),
                              got[i], want[i]);
                first = where;
            }
            break;
        }
    EXPECT_EQ(beyond, 0) << beyond << " pixels differ from the reference by more than "
                         << kTolerance << ", the first at " << first << "; the picture made is at "
                         << actual;
    if (beyond == 0) std::filesystem::remove(actual);
}
