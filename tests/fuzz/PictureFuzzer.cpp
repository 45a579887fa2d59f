// Feeds arbitrary bytes to the check every picture passes at load. The check
// must never fault, and what it passes must decode: the window backend
// decodes every picture at load and the headless one only for a screenshot,
// so a file the check lets through but the decoder refuses would fail in one
// backend and not the other.
#include "platform/PngCheck.h"
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
    if (!CPngCheck::CheckBytes(file, width, height, error)) return 0;
    if (width < 1 || height < 1 || width > 8192 || height > 8192) std::abort();
    std::FILE* scratch = std::fopen(g_path.c_str(), "wb");
    if (!scratch || std::fwrite(data, 1, size, scratch) != size || std::fclose(scratch) != 0)
        std::abort();
    std::vector<uint32_t> pixels;
    int decodedWidth = 0, decodedHeight = 0;
    if (!CImageFile::ReadPixels(g_path, decodedWidth, decodedHeight, pixels, error) ||
        decodedWidth != width || decodedHeight != height) {
        std::fprintf(stderr, "the check passed a picture the decoder refuses: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
