#include "support/ImageFile.h"

#include <png.h>

#include <bit>

// BGRA bytes are 0xAARRGGBB words on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

bool CImageFile::ReadPixels(const std::string& path, int& width, int& height,
                            std::vector<uint32_t>& argb, std::string& error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = path + ": " + image.message;
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    argb.resize(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, argb.data(), 0, nullptr)) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return true;
}
