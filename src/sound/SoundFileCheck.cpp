#include "sound/SoundFileCheck.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

std::string CSoundFileCheck::Check(const std::string& path, bool effect) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return "is missing";
    if (status.type() != std::filesystem::file_type::regular) return "is not a regular file";
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return "cannot be read";
    if (effect && size > kMaxEffectBytes)
        return "is over 8 MiB, too long for an effect; play it as music";
    std::array<char, 12> head{};
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot be read";
    if (!file.read(head.data(), head.size())) return "is too short to be a sound";
    const std::string_view bytes(head.data(), head.size());
    if (bytes.starts_with("OggS") || (bytes.starts_with("RIFF") && bytes.substr(8) == "WAVE"))
        return {};
    return "is neither OGG Vorbis nor WAV";
}
