#include "platform/raster/TtfFont.h"

#include "platform/TextCodec.h"
#include "platform/raster/FontLocator.h"

#include <atomic>
#include <cstdlib>

namespace {

uint64_t NextSerial() {
    static std::atomic<uint64_t> next{1};
    return next++;
}

// GDI reads a height of 0 as "the default size" and a negative one as the
// character height; both end up as a line height here.
int WantedLineHeight(int height) {
    return height == 0 ? 16 : std::abs(height);
}

}  // namespace

CTtfFont::CTtfFont(FontDesc desc) : CFont(std::move(desc)), m_serial(NextSerial()) {}

// SDL_ttf counts its TTF_Init calls, so each font holding one of its own keeps
// the library alive exactly as long as the font, whatever outlives what.
CTtfFont::~CTtfFont() {
    if (m_font) TTF_CloseFont(m_font);
    if (m_ttfStarted) TTF_Quit();
}

TTF_Font* CTtfFont::Open(CFontLocator& locator, std::string& error) const {
    if (m_tried) {
        error = m_error;
        return m_font;
    }
    m_tried = true;
    CFontLocator::FontFile file;
    const std::string face = CTextCodec::Gb2312ToUtf8(Desc().face);
    if (locator.Find(face, file, m_error)) m_font = OpenFile(file.path, file.index, m_error);
    error = m_error;
    return m_font;
}

// Line heights grow with the point size, but not in step: start at the pixel
// height, shrink until a line fits, then grow while the next size still fits.
TTF_Font* CTtfFont::OpenFile(const std::string& path, int index, std::string& error) const {
    if (!m_ttfStarted && TTF_Init() != 0) {
        error = TTF_GetError();
        return nullptr;
    }
    m_ttfStarted = true;
    const int wanted = WantedLineHeight(Desc().height);
    int size = wanted;
    TTF_Font* font = TTF_OpenFontIndex(path.c_str(), size, index);
    if (!font) {
        error = path + ": " + TTF_GetError();
        return nullptr;
    }
    while (size > 1 && TTF_FontLineSkip(font) > wanted)
        TTF_SetFontSize(font, --size);
    // Bounded: a broken face may report no line height at all.
    while (size < 4 * wanted && TTF_SetFontSize(font, size + 1) == 0 &&
           TTF_FontLineSkip(font) <= wanted)
        ++size;
    TTF_SetFontSize(font, size);
    return font;
}
