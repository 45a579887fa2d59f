#pragma once
#include <cstddef>
#include <string>

// Reads a story file whole, safely: only a regular file is read, and only up
// to a size limit. A folder, a FIFO, a device or a socket standing where a
// file should be is refused like a missing file, so a bad story folder can
// neither hang the engine nor make it read without end.
class CFileRead {
public:
    static constexpr size_t kMaxScriptBytes = size_t{16} << 20;
    // A picture of the largest size, 8192 x 8192, stored without compression.
    static constexpr size_t kMaxPictureBytes = size_t{260} << 20;

    // False when the file cannot be read whole; `error` says why, naming no path.
    static bool ReadWhole(const std::string& path, size_t maxBytes, std::string& bytes,
                          std::string& error);
    // ReadWhole for callers that report only "missing": a file that is there
    // but refused is also said on stderr as "tabi: PATH: why".
    static bool ReadOrSay(const std::string& path, size_t maxBytes, std::string& bytes);
    // The first `count` bytes of a regular file (fewer if it is shorter), with
    // the same care as ReadWhole; false when it cannot be read.
    static bool ReadStart(const std::string& path, size_t count, std::string& bytes);
};
