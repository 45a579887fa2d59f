// Feeds arbitrary bytes to the check every picture passes at load. The check
// must never fault, and what it passes must decode: the window backend
// decodes every picture at load and the headless one only for a screenshot,
// so a file the check lets through but the decoder refuses would fail in one
// backend and not the other. The window's load, which decodes as it checks,
// must take and refuse the same files, with the check's reasons.
#include "platform/PngCheck.h"
#include "platform/raster/PictureDecoder.h"
#include "support/ImageFile.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string g_path;  // a scratch file for the decoder, which reads files only

void RemoveScratch() {
    std::remove(g_path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_path = (std::filesystem::temp_directory_path() /
              ("tabi-picture-fuzz-" + std::to_string(getpid()) + ".png"))
                 .string();
    std::atexit(RemoveScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    int width = 0, height = 0;
    std::string error;
    const bool passed = CPngCheck::CheckBytes(file, width, height, error);
    std::FILE* scratch = std::fopen(g_path.c_str(), "wb");
    if (!scratch || std::fwrite(data, 1, size, scratch) != size || std::fclose(scratch) != 0)
        std::abort();
    const DecodedPicture loaded = CPictureDecoder::Decode(g_path, true);
    if (loaded.ok != passed || (!passed && loaded.error != error)) {
        std::fprintf(stderr, "the check says \"%s\", the window's load \"%s\"\n",
                     passed ? "passed" : error.c_str(),
                     loaded.ok ? "loaded" : loaded.error.c_str());
        std::abort();
    }
    if (!passed) return 0;
    if (width < 1 || height < 1 || width > 8192 || height > 8192) std::abort();
    std::vector<uint32_t> pixels;
    int decodedWidth = 0, decodedHeight = 0;
    if (!CImageFile::ReadPixels(g_path, decodedWidth, decodedHeight, pixels, error) ||
        decodedWidth != width || decodedHeight != height) {
        std::fprintf(stderr, "the check passed a picture the decoder refuses: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
