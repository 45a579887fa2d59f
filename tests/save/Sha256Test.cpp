// The digest behind story fingerprints and save check sums: a wrong digest
// would make every existing save look corrupt, so it is held to the published
// FIPS 180-4 examples, fed whole and in every awkward split.
#include "save/Sha256.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Vector {
    std::string message;
    const char* digest;
};

std::vector<Vector> Vectors() {
    return {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",  // 56 bytes: two pad blocks
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopq"
         "rlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1'000'000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
}

TEST(Sha256, MatchesPublishedDigestsWholeAndInPieces) {
    for (const Vector& v : Vectors()) {
        SCOPED_TRACE(v.message.substr(0, 20) + " (" + std::to_string(v.message.size()) + " bytes)");
        EXPECT_EQ(CSha256::Of(v.message), v.digest);
        // Pieces that straddle block edges must give the same digest.
        for (const size_t piece : {size_t{1}, size_t{7}, size_t{63}, size_t{65}, size_t{1000}}) {
            if (piece > 1 && v.message.size() > 100'000) continue;  // one split is enough there
            CSha256 sha;
            for (size_t at = 0; at < v.message.size(); at += piece)
                sha.Add(std::string_view(v.message).substr(at, piece));
            EXPECT_EQ(sha.HexDigest(), v.digest) << "pieces of " << piece;
        }
    }
}

TEST(Sha256, DigestStartsAFreshOne) {
    CSha256 sha;
    sha.Add("abc");
    sha.HexDigest();
    sha.Add("abc");
    EXPECT_EQ(sha.HexDigest(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
