#pragma once
#include "display/RenderItem.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct SoundEvent;

// Writes --dump: one JSON line per Render, {"frame":N,"items":[...]}, with the
// items as they were queued (layout positions, before the layout offsets),
// and "sounds":[...] after them when the frame started or stopped any.
class CRenderDump {
public:
    using TextDecoder = std::function<const std::string&(const char*)>;

    // `append`: add to the file (the game of a load or reload) instead of emptying it.
    CRenderDump(const std::string& path, bool append);
    bool IsOpen() const { return m_file.is_open(); }
    // False when the line did not reach the file (a full disk, a failing device).
    bool WriteFrame(uint32_t frame, const std::vector<std::unique_ptr<RenderItem>>& items,
                    const TextDecoder& toUtf8, std::span<const SoundEvent> sounds);

private:
    std::ofstream m_file;
};
