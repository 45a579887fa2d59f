#pragma once
#include <cstddef>
#include <string>

// What the engine checks of a sound file before it plays it, the same in a
// window and headless so both log the same lines: a regular file (a FIFO or
// a folder would hang or fail the decoder) that starts like an OGG or a WAV
// file, and, for an effect, which is decoded whole into memory, not too big.
class CSoundFileCheck {
public:
    static constexpr size_t kMaxEffectBytes = size_t{8} << 20;

    // Empty when the file may be played; otherwise why not, naming no path.
    static std::string Check(const std::string& path, bool effect);
};
