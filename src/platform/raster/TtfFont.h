#pragma once
#include "platform/Font.h"

#include <SDL_ttf.h>

#include <cstdint>
#include <string>

class CFontLocator;

// A story font rasterised with SDL_ttf. The face file is looked up and opened
// on first use, so making a font costs nothing until a text is drawn with it.
// Owned by the widget that asked for it.
class CTtfFont : public CFont {
public:
    explicit CTtfFont(FontDesc desc);
    ~CTtfFont() override;

    // The opened face, sized so a line is as tall as the story asked without
    // exceeding it. Null once opening failed (`error` then says why, and the
    // next call fails the same way without searching again).
    TTF_Font* Open(CFontLocator& locator, std::string& error) const;
    // Unique for the life of the process, like a picture's serial.
    uint64_t Serial() const { return m_serial; }

private:
    TTF_Font* OpenFile(const std::string& path, int index, std::string& error) const;

    uint64_t m_serial;
    // Opened lazily by a const font: the face is a cache, not a change.
    mutable TTF_Font* m_font = nullptr;
    mutable bool m_tried = false;
    mutable bool m_ttfStarted = false;  // this font holds one TTF_Init
    mutable std::string m_error;
};
