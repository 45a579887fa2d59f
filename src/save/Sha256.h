#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A SHA-256 digest (FIPS 180-4) built up piece by piece, for the story's
// fingerprint and a save's check sum. Written out here rather than taken from
// libcrypto: that library alone added some 3 MiB to every run's resident
// memory for two short hashes. Owned by whoever hashes.
class CSha256 {
public:
    CSha256();
    CSha256(const CSha256&) = delete;
    CSha256& operator=(const CSha256&) = delete;

    void Add(std::string_view bytes);
    // Ends the digest: 64 lower-case hex digits. Add after it starts a new one.
    std::string HexDigest();

    static std::string Of(std::string_view bytes);

private:
    static constexpr size_t kBlockBytes = 64;

    void Restart();
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> m_state{};
    std::array<uint8_t, kBlockBytes> m_block{};  // bytes waiting for a whole block
    size_t m_blockUsed = 0;
    uint64_t m_totalBytes = 0;
};
