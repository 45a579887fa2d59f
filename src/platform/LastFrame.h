#pragma once
#include "platform/DrawList.h"

#include <cstdint>
#include <string>
#include <vector>

// A deep copy of the last frame drawn, so a backend can tell that a new frame
// would paint exactly the same picture and skip drawing it. Texts are copied:
// the views in a DrawList are only valid until Present returns.
class CLastFrame {
public:
    CLastFrame() = default;
    CLastFrame(const CLastFrame&) = delete;  // a copy's views would point into the original
    CLastFrame& operator=(const CLastFrame&) = delete;

    bool Matches(const DrawList& frame) const;
    void Remember(const DrawList& frame);
    void Forget() { m_valid = false; }

private:
    bool m_valid = false;
    PixelRect m_clip;
    std::vector<DrawCommand> m_commands;  // text views point into m_texts
    std::vector<std::string> m_texts;     // one per command, empty for quads
    std::vector<uint64_t> m_serials;      // one per command: its picture's serial, 0 for none
};
