// Pictures decoded by workers ahead of need, aside or straight into a
// software renderer's textures: the same pixels and the same errors as
// decoding on the spot, whatever the order of requests and takes.
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
#include <iterator>
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

// A texture the loader decoded into: a streaming one, readable in place.
bool SamePixels(SDL_Texture* texture, SDL_Surface* b) {
    int width = 0, height = 0;
    void* pixels = nullptr;
    int pitch = 0;
    if (!texture || !b || SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) != 0 ||
        SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0)
        return false;
    SurfacePtr view(SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, pitch,
                                                       SDL_PIXELFORMAT_ARGB8888));
    const bool same = SamePixels(view.get(), b);
    SDL_UnlockTexture(texture);
    return same;
}

}  // namespace

TEST(DecodePool, PicturesDecodedAheadMatchThoseDecodedOnTheSpot) {
    const std::vector<std::string> paths = DemoPictures();
    ASSERT_GT(paths.size(), 20u);
    // Named after the process: the sanitizer builds run this test side by side.
    const std::string broken = std::filesystem::temp_directory_path() /
                               ("tabi-broken-picture-" + std::to_string(getpid()) + ".png");
    {  // cut short after a whole header: a texture is made for it, then let go
        std::ifstream whole(paths[0], std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(whole)),
                          std::istreambuf_iterator<char>());
        std::ofstream(broken, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    // Made first: the loader's textures go before their renderer.
    SurfacePtr canvas(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888));
    RendererPtr renderer(SDL_CreateSoftwareRenderer(canvas.get()));
    ASSERT_TRUE(renderer) << SDL_GetError();
    CPictureLoader ahead(true), now(true), intoTextures(true);
    intoTextures.DecodeInto(*renderer);
    // Requests outrun takes (the loader keeps a few), and some are taken
    // while their worker still decodes them.
    for (size_t i = 0; i < paths.size(); ++i) {
        for (CPictureLoader* loader : {&ahead, &intoTextures}) {
            loader->Prefetch(paths[i]);
            if (i + 2 < paths.size()) loader->Prefetch(paths[i + 2]);
            loader->Prefetch(broken);
        }
        std::string aheadError, nowError, textureError;
        auto a = ahead.Load(paths[i], aheadError);
        auto b = now.Load(paths[i], nowError);
        auto c = intoTextures.Load(paths[i], textureError);
        ASSERT_TRUE(a && b && c) << paths[i] << ": " << aheadError << nowError << textureError;
        EXPECT_TRUE(SamePixels(a->Surface(), b->Surface())) << paths[i];
        EXPECT_EQ(a->IsOpaque(), b->IsOpaque()) << paths[i];
        a->DropPixels();  // decoded again from the file on next use
        EXPECT_TRUE(SamePixels(a->Surface(), b->Surface())) << paths[i];
        EXPECT_FALSE(c->HasPixels()) << paths[i];  // they are in the texture alone
        EXPECT_EQ(c->IsOpaque(), b->IsOpaque()) << paths[i];
        EXPECT_TRUE(SamePixels(c->TakeTexture().get(), b->Surface())) << paths[i];
    }
    for (CPictureLoader* loader : {&ahead, &intoTextures}) {
        std::string aheadError, nowError;
        EXPECT_EQ(loader->Load(broken, aheadError), nullptr);
        EXPECT_EQ(now.Load(broken, nowError), nullptr);
        EXPECT_EQ(aheadError, nowError);
        EXPECT_FALSE(aheadError.empty());
    }
    std::filesystem::remove(broken);
}

// Few results are kept; a take never gives another file's; the pool stops
// with requests queued and under way.
TEST(DecodePool, KeepsFewResultsAndStopsWithWorkInHand) {
    CDecodePool pool(2, 3, [](const std::string& path, DecodedPicture& picture) {
        picture.ok = true;
        picture.width = static_cast<int>(path.size());
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
