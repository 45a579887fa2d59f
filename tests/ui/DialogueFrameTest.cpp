#include "ui/DialogueFrame.h"

#include "support/ImageFile.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A dialogue screen, through the whole engine and its headless renderer,
// against a reference picture made once and checked by eye: a background,
// the frame (half see-through), a portrait whose left half differs from its
// right (a flipped or misplaced quad shows), the speaker and two lines of
// content in the dialogue font. Compared within a small tolerance per
// channel; the actual picture is written next to the build on failure.
// (What the frame holds, item by item, DialogueCommandsTest reads from the
// dump.)
TEST(DialogueScreen, MatchesTheReferencePicture) {
    const std::filesystem::path reference =
        std::filesystem::path(TABI_SOURCE_DIR) / "tests/ui/reference/dialogue.png";
    const std::filesystem::path actual = std::filesystem::current_path() / "dialogue-actual.png";
    CTempStory story;
    story.WriteImage("image/end.png", 16, 9, 0xFF335577);
    story.WriteImage("image/dia.png", 16, 4, 0xC0F4F0E8);
    std::vector<uint32_t> portrait(64 * 64);
    for (size_t i = 0; i < portrait.size(); ++i)  // a see-through top, then red left, green right
        portrait[i] = i < 8 * 64 ? 0x00000000 : (i % 64 < 32 ? 0xFFD04040 : 0xFF40A040);
    CPngWriter::Write(story.Path("image/imouto.png"), 64, 64, portrait);
    const RunResult run = story.Play(
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
        "ShowDialogueFrame\n",
        4, {"--screenshot", "4:" + actual.string()});
    ASSERT_EQ(run.exitCode, 0) << run.log;

    int width = 0, height = 0, refWidth = 0, refHeight = 0;
    std::vector<uint32_t> got, want;
    std::string error;
    ASSERT_TRUE(CImageFile::ReadPixels(actual.string(), width, height, got, error)) << error;
    ASSERT_TRUE(CImageFile::ReadPixels(reference.string(), refWidth, refHeight, want, error))
        << "no reference picture at " << reference << ": " << error;
    ASSERT_EQ(std::make_pair(width, height), std::make_pair(refWidth, refHeight));
    constexpr int kTolerance = 12;  // per channel: room for anti-aliasing differences
    long beyond = 0;
    size_t first = 0;
    for (size_t i = 0; i < got.size(); ++i)
        for (int shift = 0; shift < 32; shift += 8)
            if (std::abs(static_cast<int>((got[i] >> shift) & 0xFF) -
                         static_cast<int>((want[i] >> shift) & 0xFF)) > kTolerance) {
                if (beyond++ == 0) first = i;
                break;
            }
    EXPECT_EQ(beyond, 0) << beyond << " pixels differ from the reference by more than "
                         << kTolerance << ", the first at (" << first % width << ", "
                         << first / width << "); the picture made is at " << actual;
    if (beyond == 0) std::filesystem::remove(actual);
}

// A line replaced while the frame stays on screen is drawn anew: the screen
// after the change is the screen of a story that showed the new line from the
// start, and not the one before it.
TEST(DialogueScreen, DrawsTheNewLineAfterAChange) {
    CTempStory story;
    story.WriteImage("image/end.png", 16, 9, 0xFF335577);
    story.WriteImage("image/dia.png", 16, 4, 0xC0F4F0E8);
    const std::string scene = "move $a0 8\nChangeMode\nmove $a0 2002\nAddSprite x bg\n";
    const auto shot = [&](const std::string& name) { return story.Path(name); };
    story.WriteInput("5 press\n6 release\n");  // the screen is up from frame 4
    RunResult run = story.Play(
        scene +
            "SetDialogueContent Before\nShowDialogueFrame\n"
            "WaitForEvent EVENT_MOUSE_DOWN\nSetDialogueContent After\n",
        8, {"--screenshot", "4:" + shot("before.png"), "--screenshot", "8:" + shot("changed.png")});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    std::filesystem::remove(story.Path("input.txt"));
    run = story.Play(
        scene + "SetDialogueContent After\nShowDialogueFrame\nWaitForEvent EVENT_MOUSE_DOWN\n", 4,
        {"--screenshot", "4:" + shot("after.png")});
    ASSERT_EQ(run.exitCode, 0) << run.log;

    const auto pixels = [](const std::string& path) {
        int width = 0, height = 0;
        std::vector<uint32_t> read;
        std::string error;
        EXPECT_TRUE(CImageFile::ReadPixels(path, width, height, read, error)) << error;
        return read;
    };
    const std::vector<uint32_t> changed = pixels(shot("changed.png"));
    EXPECT_TRUE(!changed.empty() && changed == pixels(shot("after.png")));
    EXPECT_TRUE(changed != pixels(shot("before.png")));
}
