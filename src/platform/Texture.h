#pragma once
#include <atomic>
#include <cstdint>
#include <string>

// A decoded picture, owned by whoever loaded it; backends subclass it with
// their pixel storage. The path is kept for the render dump.
class CTexture {
public:
    virtual ~CTexture() = default;
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    const std::string& Path() const { return m_path; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Unique for the life of the process and renewed when the pixels change:
    // a renderer's cache, or the last frame kept to skip redrawing, tells
    // new pixels from old ones even at the same address.
    uint64_t Serial() const { return m_serial; }

protected:
    CTexture(std::string path, int width, int height)
        : m_path(std::move(path)), m_width(width), m_height(height), m_serial(NextSerial()) {}
    void RenewSerial() { m_serial = NextSerial(); }

private:
    static uint64_t NextSerial() {
        static std::atomic<uint64_t> next{1};
        return next++;
    }

    std::string m_path;
    int m_width;
    int m_height;
    uint64_t m_serial;
};
