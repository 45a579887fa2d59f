// The decoded pictures' budget: which pixels go, in which order, and which never do.
#include "display/PictureCache.h"

#include "platform/Texture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CFakeTexture : public CTexture {
public:
    CFakeTexture(const std::string& path, int width, int height) : CTexture(path, width, height) {}
};

constexpr size_t kMiB = size_t{1} << 20;

// A 512 x 512 picture is exactly 1 MiB of pixels.
const CTexture* AddMiB(CPictureCache& cache, const std::string& path, uint32_t frame) {
    return cache.Add(path, std::make_unique<CFakeTexture>(path, 512, 512), frame);
}

}  // namespace

TEST(PictureCache, EvictsTheLeastRecentlyUsedButNeverWhatTheFrameUses) {
    CPictureCache cache(2 * kMiB);
    const CTexture* a = AddMiB(cache, "a", 1);
    const CTexture* b = AddMiB(cache, "b", 2);
    const CTexture* c = AddMiB(cache, "c", 3);
    cache.Use(a, 3);  // a is drawn again: b is now the oldest
    std::vector<std::string> released;
    const auto release = [&](const CTexture& t) { released.push_back(t.Path()); };
    cache.Trim(3, release);
    EXPECT_EQ(released, std::vector<std::string>{"b"});
    EXPECT_EQ(cache.ResidentBytes(), 2 * kMiB);
    EXPECT_TRUE(cache.IsResident(a) && cache.IsResident(c) && !cache.IsResident(b));

    // Every picture on screen stays, even past the budget.
    cache.Use(b, 4);
    cache.Use(a, 4);
    cache.Use(c, 4);
    released.clear();
    cache.Trim(4, release);
    EXPECT_TRUE(released.empty());
    EXPECT_EQ(cache.ResidentBytes(), 3 * kMiB);

    // The object of an evicted picture stays: sprites still borrow it.
    cache.Trim(5, release);
    EXPECT_EQ(cache.Find("a"), a);
    EXPECT_EQ(cache.Count(), 3u);
    EXPECT_EQ(cache.ResidentBytes(), 2 * kMiB);
    cache.Use(nullptr, 5);  // a quad with no picture changes nothing
    EXPECT_EQ(cache.Find("d"), nullptr);
}
