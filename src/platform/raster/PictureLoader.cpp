#include "platform/raster/PictureLoader.h"

#include "platform/FileRead.h"
#include "platform/PngCheck.h"
#include "platform/raster/PictureDecoder.h"
#include "platform/raster/SurfaceTexture.h"

#include <string_view>

namespace {

// Two workers on the small machines Tabi aims at; a scene change asks for a
// background, a figure or two and a portrait, which four results cover.
constexpr int kWorkers = 2;
constexpr size_t kMaxHeld = 4;

// The size a PNG file's header gives, read from its first bytes only; false
// for anything else. The decoder checks the whole file again, so a picture
// whose size changed, or that turns out broken, is judged as ever.
bool PeekSize(const std::string& path, int& width, int& height) {
    constexpr std::string_view kStart("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    std::string head;
    if (!CFileRead::ReadStart(path, 24, head) || head.size() < 24 || !head.starts_with(kStart))
        return false;
    const auto word = [&](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<uint8_t>(head[at + i]);
        return value;
    };
    const uint32_t w = word(16), h = word(20);
    if (w < 1 || h < 1 || w > CPngCheck::kMaxSide || h > CPngCheck::kMaxSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

CPictureLoader::CPictureLoader(bool withPixels)
    : m_withPixels(withPixels),
      m_pool(kWorkers, kMaxHeld, [withPixels](const std::string& path, DecodedPicture& picture) {
          CPictureDecoder::Decode(path, withPixels, picture);
      }) {
    CPictureDecoder::Prepare();
}

CPictureLoader::~CPictureLoader() = default;

// A texture of the file's size, locked for a decoder to fill; nothing when
// pictures are decoded aside or the file's size cannot be read.
DecodedPicture CPictureLoader::LockedTexture(const std::string& path) const {
    DecodedPicture picture;
    int width = 0, height = 0;
    if (!m_renderer || !m_withPixels || !PeekSize(path, width, height)) return picture;
    picture.texture.reset(SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_STREAMING, width, height));
    void* pixels = nullptr;
    int pitch = 0;
    if (!picture.texture || SDL_LockTexture(picture.texture.get(), nullptr, &pixels, &pitch) != 0) {
        picture.texture.reset();
        return picture;
    }
    picture.target = {pixels, pitch, width, height};
    return picture;
}

void CPictureLoader::Prefetch(const std::string& path) {
    m_pool.Request(path, [&] { return LockedTexture(path); });
}

std::unique_ptr<CSurfaceTexture> CPictureLoader::Load(const std::string& path, std::string& error) {
    std::optional<DecodedPicture> ahead = m_pool.Take(path);
    DecodedPicture picture;
    if (ahead) {
        picture = std::move(*ahead);
    } else {
        picture = LockedTexture(path);
        CPictureDecoder::Decode(path, m_withPixels, picture);
    }
    if (!picture.ok) {
        error = std::move(picture.error);
        return nullptr;  // and its texture, if it had one, goes
    }
    if (picture.texture) SDL_UnlockTexture(picture.texture.get());
    if (!picture.inTarget) picture.texture.reset();
    return std::make_unique<CSurfaceTexture>(path, std::move(picture));
}
