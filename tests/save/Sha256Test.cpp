// The digest behind story fingerprints and save check sums: a wrong one would
// make every existing save look corrupt.
#include "save/Sha256.h"

#include <gtest/gtest.h>

TEST(Sha256, GivesThePublishedDigestWholeInPiecesAndAgain) {
    constexpr const char* kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    EXPECT_EQ(CSha256::Of("abc"), kAbc);
    CSha256 sha;
    sha.Add("a");
    sha.Add("bc");
    EXPECT_EQ(sha.HexDigest(), kAbc);
    sha.Add("abc");
    EXPECT_EQ(sha.HexDigest(), kAbc);
}
