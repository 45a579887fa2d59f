#include "platform/raster/PictureLoader.h"

#include "platform/raster/PictureDecoder.h"
#include "platform/raster/SurfaceTexture.h"

namespace {

// Two workers on the small machines Tabi aims at; a scene change asks for a
// background, a figure or two and a portrait, which four results cover.
constexpr int kWorkers = 2;
constexpr size_t kMaxHeld = 4;

}  // namespace

CPictureLoader::CPictureLoader(bool withPixels)
    : m_withPixels(withPixels), m_pool(kWorkers, kMaxHeld, [withPixels](const std::string& path) {
          return CPictureDecoder::Decode(path, withPixels);
      }) {
    CPictureDecoder::Prepare();
}

CPictureLoader::~CPictureLoader() = default;

void CPictureLoader::Prefetch(const std::string& path) {
    m_pool.Request(path);
}

std::unique_ptr<CSurfaceTexture> CPictureLoader::Load(const std::string& path, std::string& error) {
    std::optional<DecodedPicture> ahead = m_pool.Take(path);
    DecodedPicture picture =
        ahead ? std::move(*ahead) : CPictureDecoder::Decode(path, m_withPixels);
    if (!picture.ok) {
        error = std::move(picture.error);
        return nullptr;
    }
    return std::make_unique<CSurfaceTexture>(path, std::move(picture));
}
