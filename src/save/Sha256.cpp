#include "save/Sha256.h"

#include "app/Assert.h"

#include <openssl/evp.h>

void CSha256::Free::operator()(evp_md_ctx_st* context) const {
    EVP_MD_CTX_free(context);
}

CSha256::CSha256() : m_context(EVP_MD_CTX_new()) {
    TABI_ASSERT(m_context && "libcrypto could not make a digest context");
    EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr);
}

CSha256::~CSha256() = default;

void CSha256::Add(std::string_view bytes) {
    EVP_DigestUpdate(m_context.get(), bytes.data(), bytes.size());
}

std::string CSha256::HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_DigestFinal_ex(m_context.get(), digest, &size);
    EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i) {
        hex.push_back(kHex[digest[i] >> 4]);
        hex.push_back(kHex[digest[i] & 15]);
    }
    return hex;
}

std::string CSha256::Of(std::string_view bytes) {
    CSha256 sha;
    sha.Add(bytes);
    return sha.HexDigest();
}
