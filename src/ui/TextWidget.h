#pragma once
#include "platform/TextCodec.h"
#include "ui/Widget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CFont;

// A leaf that shows a text (in the story's encoding) wrapped inside its rectangle, with its own
// font and colour. Its rectangle is relative to the parent, so it passes its
// items up unchanged; without a parent it draws nothing.
class CTextWidget : public CWidget {
public:
    static constexpr size_t kMaxTextBytes = 199;
    static constexpr uint32_t kDefaultColor = 0xFF000000;  // opaque black

    CTextWidget();
    ~CTextWidget() override;

    void Draw(CDisplayer& displayer) override;
    void Submit(std::unique_ptr<RenderItem> item, CDisplayer& displayer) override;

    // Texts longer than 199 bytes (of their GB2312 form) are cut, never in the
    // middle of a character.
    void SetText(std::string_view text, TextEncoding encoding = TextEncoding::Gb2312);
    const std::string& Text() const { return m_text; }
    void SetFont(std::unique_ptr<CFont> font);
    void SetColor(uint32_t color) { m_color = color; }

private:
    std::unique_ptr<CFont> m_font;
    std::string m_text;
    Utf8Copy m_utf8;  // of m_text
    uint32_t m_color = kDefaultColor;
};
