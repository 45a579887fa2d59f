#include "save/Sha256.h"

#include <array>
#include <cstdint>

CSha256::CSha256() {
    sha256_init(&m_context);
}

void CSha256::Add(std::string_view bytes) {
    sha256_update(&m_context, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
}

std::string CSha256::HexDigest() {
    std::array<uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&m_context, digest.size(), digest.data());  // also starts a fresh digest
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(digest.size() * 2);
    for (const uint8_t byte : digest) {
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 0xf]);
    }
    return hex;
}

std::string CSha256::Of(std::string_view bytes) {
    CSha256 sha;
    sha.Add(bytes);
    return sha.HexDigest();
}
