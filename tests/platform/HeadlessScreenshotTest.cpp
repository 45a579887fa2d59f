#include "platform/ImageFile.h"
#include "platform/TextCodec.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;

// A 1366 x 768 back buffer: the layout area sits at (43, 24), with bars of
// 43 columns at each side and 24 lines above and below.
constexpr PixelRect kLayout{43, 24, 43 + 1280, 24 + 720};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

bool Near(uint32_t a, uint32_t b, int tolerance = 2) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

PlatformOptions HeadlessOptions() {
    PlatformOptions options;
    options.headless = true;
    return options;
}

class HeadlessScreenshot : public ::testing::Test {
protected:
    HeadlessScreenshot() : m_platform(HeadlessOptions()) {
        std::string error;
        m_platform.CreateBackBuffer(1366, 768, error);
    }

    const CTexture* Texture(const std::string& name, int w, int h, uint32_t argb) {
        m_story.WriteImage("image/" + name, w, h, argb);
        return Keep(name);
    }
    const CTexture* Keep(const std::string& name) {
        std::string error;
        m_textures.push_back(m_platform.LoadTexture(m_story.Path("image/" + name), error));
        EXPECT_TRUE(m_textures.back()) << error;
        return m_textures.back().get();
    }
    static DrawCommand Quad(const CTexture* texture, float x, float y, float w, float h) {
        DrawCommand quad;
        quad.texture = texture;
        quad.x = x;
        quad.y = y;
        quad.width = w;
        quad.height = h;
        return quad;
    }
    Picture Shoot(const DrawList& frame) {
        Picture picture;
        std::string error;
        const std::string path = m_story.Path("shot.png");
        EXPECT_TRUE(m_platform.SaveScreenshot(frame, path, error)) << error;
        EXPECT_TRUE(
            CImageFile::ReadPixels(path, picture.width, picture.height, picture.argb, error))
            << error;
        return picture;
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
    struct Probe {
        const char* where;
        int x, y;
        uint32_t expected;
    };
    const Probe probes[] = {
        {"left bar, inside the quad's rows", 0, 30, kBlack},
        {"left bar, last column", 42, 24, kBlack},
        {"first layout column", 43, 24, kRed},
        {"last column of the right half", 43 + 63, 39, kRed},
        {"just past the quad", 43 + 64, 30, kBlack},
        {"below the quad", 50, 40, kBlack},
        {"last layout line", 610, 24 + 719, kRed},
        {"bottom bar", 610, 24 + 720, kBlack},
        {"corner of the back buffer", 1365, 767, kBlack},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.where);
        EXPECT_EQ(shot.At(p.x, p.y), p.expected);
    }
}

TEST_F(HeadlessScreenshot, HalfTransparentQuadBlendsOverTheOneBelow) {
    const CTexture* blue = Texture("blue.png", 32, 32, kBlue);
    const CTexture* veil = Texture("veil.png", 32, 32, 0x80FF0000);  // red, alpha 128
    DrawList frame;
    frame.clip = kLayout;
    frame.commands = {Quad(blue, 100, 100, 32, 32), Quad(veil, 116, 100, 32, 32)};
    const Picture shot = Shoot(frame);
    EXPECT_EQ(shot.At(105, 110), kBlue);               // blue alone
    EXPECT_TRUE(Near(shot.At(120, 110), 0xFF80007F));  // half red over blue
    EXPECT_TRUE(Near(shot.At(140, 110), 0xFF800000));  // half red over black
    EXPECT_EQ(shot.At(150, 110), kBlack);
}

TEST_F(HeadlessScreenshot, StretchedTextureIsSampledNearest) {
    const std::vector<uint32_t> checker{kRed, kBlue, kBlue, kRed};
    CPngWriter::Write(m_story.Path("image/checker.png"), 2, 2, checker);
    const CTexture* texture = Keep("checker.png");
    DrawList frame;
    frame.clip = kLayout;
    frame.commands = {Quad(texture, 200, 200, 64, 64)};
    const Picture shot = Shoot(frame);
    // Right next to the middle lines: a smoothing filter would mix colours there.
    EXPECT_EQ(shot.At(231, 231), kRed);
    EXPECT_EQ(shot.At(232, 231), kBlue);
    EXPECT_EQ(shot.At(231, 232), kBlue);
    EXPECT_EQ(shot.At(232, 232), kRed);
    EXPECT_EQ(shot.At(263, 263), kRed);
    EXPECT_EQ(shot.At(264, 264), kBlack);
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
    const Picture shot = Shoot(frame);
    int inside = 0, outside = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            if (shot.At(x, y) == kBlack) continue;
            const bool in = x >= 300 && x < 500 && y >= 300 && y < 340;
            ++(in ? inside : outside);
        }
    EXPECT_GT(inside, 200);
    EXPECT_EQ(outside, 0);
}

TEST_F(HeadlessScreenshot, MissingOrBrokenPictureIsRefusedWithAReason) {
    m_story.WriteFile("image/broken.png", "\x89PNG\r\n\x1a\n not really");
    m_story.WriteFile("image/empty.png", "");
    for (const char* name : {"image/missing.png", "image/broken.png", "image/empty.png"}) {
        SCOPED_TRACE(name);
        std::string error;
        EXPECT_FALSE(m_platform.LoadTexture(m_story.Path(name), error));
        EXPECT_FALSE(error.empty());
    }
}

// The hero controller's pointer (sprite 1000, 64 x 64, drawn 5 pixels up and
// left of the pointer at 0, 0) is all there is; the bars above and below the
// layout area of a 16:10 back buffer stay black.
TEST(HeadlessRun, ScreenshotOfAStoryWithoutPicturesShowsOnlyThePointer) {
    CTempStory story;
    const RunResult run = story.RunHeadless(
        3, {"--display", "1680x1050", "--screenshot", "2:" + story.Path("shot.png")});
    ASSERT_EQ(run.exitCode, 0) << run.log;
    Picture shot;
    std::string error;
    ASSERT_TRUE(
        CImageFile::ReadPixels(story.Path("shot.png"), shot.width, shot.height, shot.argb, error))
        << error;
    ASSERT_EQ(shot.width, 1280);
    ASSERT_EQ(shot.height, 800);
    long outside = 0, inside = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const bool pointer = x < 59 && y >= 40 && y < 99;
            const bool black = shot.argb[static_cast<size_t>(y * shot.width + x)] == kBlack;
            if (pointer && !black) ++inside;
            if (!pointer && !black) ++outside;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(inside, 59 * 59);
}
