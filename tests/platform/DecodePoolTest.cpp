// Pictures decoded by workers ahead of need: the same pixels and the same
// errors as decoding on the spot, whatever the order of requests and takes.
// Also built with ThreadSanitizer (the "tsan" label).
#include "platform/raster/DecodePool.h"
#include "platform/raster/PictureDecoder.h"
#include "platform/raster/PictureLoader.h"
#include "platform/raster/SurfaceTexture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

std::vector<std::string> DemoPictures() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(TABI_SOURCE_DIR "/demo/image"))
        paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool SamePixels(SDL_Surface* a, SDL_Surface* b) {
    if (!a || !b || a->w != b->w || a->h != b->h) return false;
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(static_cast<uint8_t*>(a->pixels) + y * a->pitch,
                        static_cast<uint8_t*>(b->pixels) + y * b->pitch,
                        static_cast<size_t>(a->w) * 4) != 0)
            return false;
    return true;
}

}  // namespace

TEST(DecodePool, PicturesDecodedAheadMatchThoseDecodedOnTheSpot) {
    const std::vector<std::string> paths = DemoPictures();
    ASSERT_GT(paths.size(), 20u);
    // Named after the process: the sanitizer builds run this test side by side.
    const std::string broken = std::filesystem::temp_directory_path() /
                               ("tabi-broken-picture-" + std::to_string(getpid()) + ".png");
    std::ofstream(broken) << "\x89PNG\r\n\x1a\n and then nothing";
    CPictureLoader ahead(true), now(true);
    // Requests outrun takes (the loader keeps a few), and some are taken
    // while their worker still decodes them.
    for (size_t i = 0; i < paths.size(); ++i) {
        ahead.Prefetch(paths[i]);
        if (i + 2 < paths.size()) ahead.Prefetch(paths[i + 2]);
        ahead.Prefetch(broken);
        std::string aheadError, nowError;
        auto a = ahead.Load(paths[i], aheadError);
        auto b = now.Load(paths[i], nowError);
        ASSERT_TRUE(a && b) << paths[i] << ": " << aheadError << nowError;
        EXPECT_TRUE(SamePixels(a->Surface(), b->Surface())) << paths[i];
        EXPECT_EQ(a->IsOpaque(), b->IsOpaque()) << paths[i];
        a->DropPixels();  // decoded again from the file on next use
        EXPECT_TRUE(SamePixels(a->Surface(), b->Surface())) << paths[i];
    }
    std::string aheadError, nowError;
    EXPECT_EQ(ahead.Load(broken, aheadError), nullptr);
    EXPECT_EQ(now.Load(broken, nowError), nullptr);
    EXPECT_EQ(aheadError, nowError);
    EXPECT_FALSE(aheadError.empty());
    std::filesystem::remove(broken);
}

// Few results are kept; a take never gives another file's; the pool stops
// with requests queued and under way.
TEST(DecodePool, KeepsFewResultsAndStopsWithWorkInHand) {
    CDecodePool pool(2, 3, [](const std::string& path) {
        return DecodedPicture{true, static_cast<int>(path.size()), 0, nullptr, false, ""};
    });
    EXPECT_FALSE(pool.Take("never asked").has_value());
    for (const std::string path : {"a", "bb", "ccc", "dddd", "eeeee"})
        pool.Request(path);
    EXPECT_LE(pool.Held(), 3u);
    for (const std::string path : {"a", "bb", "ccc", "dddd", "eeeee"})
        if (auto result = pool.Take(path)) {
            EXPECT_EQ(result->width, static_cast<int>(path.size()));
        }
    for (int i = 1; i < 50; ++i)
        pool.Request(std::string(static_cast<size_t>(i), 'x'));
}
