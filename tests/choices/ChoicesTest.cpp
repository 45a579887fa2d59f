#include "support/ImageFile.h"
#include "support/StoryCases.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Stories that offer options: the player picks by click or key in either
// mode; a click off the options picks nothing and the hero, sent walking
// before, stands still; keys without an option do nothing; a tenth option is
// refused; long texts are cut whole. Each case: its log, the menu while open
// and the frame after the pick.
TEST(Choices, ThePlayerPicksByClickOrKeyInEitherMode) {
    CStoryCases::Run("choices.txt");
}

// The boxes let the scene show through (dark 0x202838 at alpha 0xD0 over a
// grey background, within rounding); between two rows and above the menu the
// background stays as it was.
TEST(Choices, TheBoxesAreSeeThrough) {
    CTempStory story;
    story.WriteImage("image/end.png", 16, 9, 0xFF808080);
    const std::string shot = story.Path("shot.png");
    const RunResult run = story.Play(
        "move $a0 8\nChangeMode\nmove $a0 2002\nAddSprite x bg\nAddChoice A\nAddChoice B\n"
        "ShowChoices\n",
        4, {"--screenshot", "4:" + shot});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    ImagePixels pixels;
    std::string error;
    ASSERT_TRUE(CImageFile::ReadPixels(shot, pixels, error)) << error;
    const uint32_t box = pixels.At(1010, 450);  // the first of two rows, right of its text
    for (const int shift : {16, 8, 0}) {
        const int dark = (0x202838 >> shift) & 0xFF;
        const int blended = (dark * 0xD0 + 0x80 * (255 - 0xD0)) / 255;
        EXPECT_LE(std::abs(static_cast<int>((box >> shift) & 0xFF) - blended), 2)
            << std::hex << box;
    }
    EXPECT_EQ(pixels.At(1010, 460), 0xFF808080u);  // the gap between the rows
    EXPECT_EQ(pixels.At(1010, 400), 0xFF808080u);  // above the menu
}
