#pragma once
#include <cstdint>
#include <vector>

class CScript;

// Reads ahead in a script's tokens, without running them, for the pictures it
// is about to ask for: the number after "LoadSprite", and the number that
// "AddSprite" ($a0) and "LoadPortrait" ($a1) will find in their register,
// taken from a "move" before them or from the register as it is now. Jumps
// are not followed; a guess that is wrong only costs a decoding nobody uses.
class CPictureLookahead {
public:
    static constexpr uint32_t kTokens = 64;  // a scene's set-up fits in this many

    // Appends the picture numbers of the next kTokens tokens, in order.
    static void Scan(const CScript& script, std::vector<int32_t>& numbers);
};
