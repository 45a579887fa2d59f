#include "platform/PngCheck.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

// A picture is refused at load, with a reason, whatever way its file is
// broken; a sound one gives its size without being decoded.
TEST(PngCheck, RefusesEveryKindOfBrokenFile) {
    CTempStory story;
    const std::string path = story.Path("image/a.png");
    CPngWriter::WriteSolid(path, 40, 30, 0xFF336699);
    const std::string good = story.ReadFile("image/a.png");
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(CPngCheck::Check(path, width, height, error)) << error;
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);

    std::string damaged = good;
    damaged[60] = static_cast<char>(damaged[60] ^ 0x10);  // inside the picture data
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"cut off", good.substr(0, good.size() - 30), "cut off"},
        {"no end", good.substr(0, good.size() - 12), "ends before"},
        {"damaged", damaged, "damaged"},
        {"not a picture", "GIF89a and so on", "not a PNG"},
        {"empty", "", "not a PNG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        story.WriteFile("image/a.png", c.bytes);
        EXPECT_FALSE(CPngCheck::Check(path, width, height, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_FALSE(CPngCheck::Check(story.Path("image/none.png"), width, height, error));
}
