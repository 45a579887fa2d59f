#include "platform/TextCodec.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/DataTable.h"
#include "support/ImageFile.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;

// How many pixels are not black inside and outside a box, within an area.
std::pair<long, long> LitInAndOut(const ImagePixels& shot, const PixelRect& box,
                                  const PixelRect& area) {
    long inside = 0, outside = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (shot.At(x, y) != kBlack)
                ++(x >= box.left && x < box.right && y >= box.top && y < box.bottom ? inside
                                                                                    : outside);
    return {inside, outside};
}

}  // namespace

// A 1366 x 768 back buffer: the layout area sits at (43, 24), with bars of 43
// columns at each side and 24 lines above and below. Quads are cut to it; a
// text (the dialogue font asked for as GB2312 bytes, SimSun, with a byte that
// decodes to nothing and more words than its box holds) to its own box.
TEST(HeadlessScreenshot, QuadsAreCutToTheLayoutAreaAndTextToItsBox) {
    CTempStory story;
    PlatformOptions options;
    options.headless = true;
    CHeadlessPlatform platform(options);
    std::string error;
    ASSERT_TRUE(platform.CreateBackBuffer(1366, 768, error)) << error;
    story.WriteImage("image/red.png", 128, 16, kRed);
    const auto red = platform.LoadTexture(story.Path("image/red.png"), error);
    const auto font = platform.CreateFont({"\xCB\xCE\xCC\xE5", 30}, error);
    ASSERT_TRUE(red && font) << error;
    const std::string text = CTextCodec::Gb2312ToUtf8(
        "\xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\xFF hello world \xC4\xE3\xBA\xC3 again and "
        "again, long enough to need more lines than the box has");
    DrawCommand label;  // its text is a view of `text`
    label.kind = DrawCommand::Kind::Text;
    label.text = text;
    label.font = font.get();
    label.rect = {300, 300, 500, 340};  // room for one line of 30 px, and a bit
    label.color = 0xFFFFFFFF;
    // Quads: every field in declaration order (kind, x, y, width, height,
    // texture, text, font, rect, colour, alpha); half left of and half below
    // the area, and the same opaque picture faded to half, then plain again.
    const DrawList frame{
        {{DrawCommand::Kind::Quad, 43 - 64, 24, 128, 16, red.get(), {}, nullptr, {}, 0, 255},
         {DrawCommand::Kind::Quad, 600, 24 + 720 - 8, 128, 16, red.get(), {}, nullptr, {}, 0, 255},
         {DrawCommand::Kind::Quad, 800, 24, 128, 16, red.get(), {}, nullptr, {}, 0, 0x80},
         {DrawCommand::Kind::Quad, 800, 40, 128, 16, red.get(), {}, nullptr, {}, 0, 255},
         label},
        {43, 24, 43 + 1280, 24 + 720}};
    ASSERT_TRUE(platform.SaveScreenshot(frame, story.Path("shot.png"), error)) << error;
    ImagePixels shot;
    ASSERT_TRUE(CImageFile::ReadPixels(story.Path("shot.png"), shot, error)) << error;
    ASSERT_EQ(std::make_pair(shot.width, shot.height), std::make_pair(1366, 768));
    for (const DataRow& p : CDataTable::Read("headless-screenshot-points.txt")) {
        SCOPED_TRACE(p.where + " " + p[2]);
        const std::vector<std::string> at = p.Words(0);
        const uint32_t pixel = shot.At(std::stoi(at[0]), std::stoi(at[1]));
        if (p[1] == "faded")  // half of red over black, rounded either way
            EXPECT_TRUE(pixel == 0xFF7F0000 || pixel == 0xFF800000) << std::hex << pixel;
        else
            EXPECT_EQ(pixel, p[1] == "red" ? kRed : kBlack);
    }
    const auto [inside, outside] = LitInAndOut(shot, label.rect, {0, 60, 1366, 700});
    EXPECT_GT(inside, 200);
    EXPECT_EQ(outside, 0);
}
