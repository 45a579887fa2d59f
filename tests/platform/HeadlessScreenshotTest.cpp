#include "platform/TextCodec.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/ImageFile.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;

// A 1366 x 768 back buffer: the layout area sits at (43, 24), with bars of
// 43 columns at each side and 24 lines above and below.
constexpr PixelRect kLayout{43, 24, 43 + 1280, 24 + 720};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

Picture ReadShot(const std::string& path) {
    Picture picture;
    std::string error;
    EXPECT_TRUE(CImageFile::ReadPixels(path, picture.width, picture.height, picture.argb, error))
        << error;
    return picture;
}

// How many pixels are not black inside and outside a rectangle.
std::pair<long, long> LitInAndOut(const Picture& shot, const PixelRect& box) {
    long inside = 0, outside = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.At(x, y) != kBlack)
                ++(x >= box.left && x < box.right && y >= box.top && y < box.bottom ? inside
                                                                                    : outside);
    return {inside, outside};
}

PlatformOptions Headless() {
    PlatformOptions options;
    options.headless = true;
    return options;
}

// Every field in declaration order: kind, x, y, width, height, texture,
// text, font, rect, colour.
DrawCommand Quad(const CTexture* texture, float x, float y, float w, float h) {
    return {DrawCommand::Kind::Quad, x, y, w, h, texture, {}, nullptr, {}, 0};
}

class HeadlessScreenshot : public ::testing::Test {
protected:
    HeadlessScreenshot() : m_platform(Headless()) {
        std::string error;
        m_platform.CreateBackBuffer(1366, 768, error);
    }

    const CTexture* Texture(const std::string& name, int w, int h, uint32_t argb) {
        m_story.WriteImage("image/" + name, w, h, argb);
        std::string error;
        m_textures.push_back(m_platform.LoadTexture(m_story.Path("image/" + name), error));
        EXPECT_TRUE(m_textures.back()) << error;
        return m_textures.back().get();
    }
    Picture Shoot(const DrawList& frame) {
        std::string error;
        EXPECT_TRUE(m_platform.SaveScreenshot(frame, m_story.Path("shot.png"), error)) << error;
        return ReadShot(m_story.Path("shot.png"));
    }

    CTempStory m_story;
    CHeadlessPlatform m_platform;
    std::vector<std::unique_ptr<CTexture>> m_textures;
};

}  // namespace

TEST_F(HeadlessScreenshot, QuadIsCutToTheLayoutArea) {
    const CTexture* red = Texture("red.png", 128, 16, kRed);
    DrawList frame;
    frame.clip = kLayout;
    frame.commands = {Quad(red, 43 - 64, 24, 128, 16),         // half left of the layout area
                      Quad(red, 600, 24 + 720 - 8, 128, 16)};  // half below it
    const Picture shot = Shoot(frame);
    ASSERT_EQ(shot.width, 1366);
    ASSERT_EQ(shot.height, 768);
    EXPECT_EQ(shot.At(0, 30), kBlack) << "left bar, inside the quad's rows";
    EXPECT_EQ(shot.At(42, 24), kBlack) << "left bar, last column";
    EXPECT_EQ(shot.At(43, 24), kRed) << "first layout column";
    EXPECT_EQ(shot.At(43 + 63, 39), kRed) << "last column of the right half";
    EXPECT_EQ(shot.At(43 + 64, 30), kBlack) << "just past the quad";
    EXPECT_EQ(shot.At(50, 40), kBlack) << "below the quad";
    EXPECT_EQ(shot.At(610, 24 + 719), kRed) << "last layout line";
    EXPECT_EQ(shot.At(610, 24 + 720), kBlack) << "bottom bar";
}

// The story's dialogue font is asked for as GB2312 bytes (SimSun), and story
// text may hold bytes that decode to nothing.
TEST_F(HeadlessScreenshot, TextWithABadByteIsDrawnInsideItsBoxOnly) {
    std::string error;
    const auto font = m_platform.CreateFont({"\xCB\xCE\xCC\xE5", 30}, error);
    ASSERT_TRUE(font) << error;
    const std::string text = CTextCodec::Gb2312ToUtf8(
        "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\xFF hello world \xC4\xE3\xBA\xC3 again and "
        "again, long enough to need more lines than the box has");
    DrawCommand label;
    label.kind = DrawCommand::Kind::Text;
    label.text = text;
    label.font = font.get();
    label.rect = {300, 300, 500, 340};  // room for one line of 30 px, and a bit
    label.color = 0xFFFFFFFF;
    DrawList frame;
    frame.clip = kLayout;
    frame.commands = {label};
    const auto [inside, outside] = LitInAndOut(Shoot(frame), label.rect);
    EXPECT_GT(inside, 200);
    EXPECT_EQ(outside, 0);
}

// The hero controller's pointer (sprite 1000, 64 x 64, drawn 5 pixels up and
// left of the pointer at 0, 0) is all there is; the bars above and below the
// layout area of a 16:10 back buffer stay black.
TEST(HeadlessRun, ScreenshotOfAStoryWithoutPicturesShowsOnlyThePointer) {
    CTempStory story;
    const RunResult run = story.RunHeadless(
        3, {"--display", "1680x1050", "--screenshot", "2:" + story.Path("shot.png")});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    const Picture shot = ReadShot(story.Path("shot.png"));
    ASSERT_EQ(shot.width, 1280);
    ASSERT_EQ(shot.height, 800);
    const auto [inside, outside] = LitInAndOut(shot, {0, 40, 59, 99});
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(inside, 59 * 59);
}
