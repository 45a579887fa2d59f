#pragma once
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

protected:
    CTexture(std::string path, int width, int height)
        : m_path(std::move(path)), m_width(width), m_height(height) {}

private:
    std::string m_path;
    int m_width;
    int m_height;
};
