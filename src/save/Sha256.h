#pragma once
#include <nettle/sha2.h>

#include <string>
#include <string_view>

// A SHA-256 digest built up piece by piece, for the story's fingerprint and a
// save's check sum. Nettle's: libcrypto gave the same digests but added some
// 3 MiB to every run's resident memory for two short hashes.
class CSha256 {
public:
    CSha256();

    void Add(std::string_view bytes);
    // Ends the digest: 64 lower-case hex digits. Add after it starts a new one.
    std::string HexDigest();

    static std::string Of(std::string_view bytes);

private:
    sha256_ctx m_context{};
};
