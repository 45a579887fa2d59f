#pragma once
#include <string>

// What a story asks of a font: a face name (GB2312 bytes, as the story's
// text is) and a cell height in pixels.
struct FontDesc {
    std::string face;
    int height = 0;
};

// A font made by the platform from a FontDesc; rasterising is the backend's
// business and may be deferred until a text is first drawn.
class CFont {
public:
    virtual ~CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    const FontDesc& Desc() const { return m_desc; }

protected:
    explicit CFont(FontDesc desc) : m_desc(std::move(desc)) {}

private:
    FontDesc m_desc;
};
