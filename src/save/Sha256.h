#pragma once
#include <memory>
#include <string>
#include <string_view>

struct evp_md_ctx_st;

// A SHA-256 digest built up piece by piece (libcrypto underneath), for the
// story's fingerprint and a save's check sum. Owned by whoever hashes.
class CSha256 {
public:
    CSha256();
    ~CSha256();
    CSha256(const CSha256&) = delete;
    CSha256& operator=(const CSha256&) = delete;

    void Add(std::string_view bytes);
    // Ends the digest: 64 lower-case hex digits. Add after it starts a new one.
    std::string HexDigest();

    static std::string Of(std::string_view bytes);

private:
    struct Free {
        void operator()(evp_md_ctx_st* context) const;
    };
    std::unique_ptr<evp_md_ctx_st, Free> m_context;
};
