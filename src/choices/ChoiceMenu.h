#pragma once
#include "display/RenderItem.h"
#include "platform/TextCodec.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

class CDisplayer;
class CPlatform;
class CTextWidget;
class CTexture;
class CWidgetPanel;

// The options a script offers the player ("AddChoice", "ShowChoices"): up to
// nine rows stacked just above the dialogue frame, each a box with its number
// and its text. While it is open the player picks one with a click or a number
// key; the pick is kept until the script that opened the menu takes it. Owned
// by the dialogue controller, which is in both chains, so a menu survives a
// mode change. Makes nothing (fonts, pictures) until a story first adds an
// option, so a story without choices draws exactly as before.
class CChoiceMenu {
public:
    static constexpr int kMaxOptions = 9;
    static constexpr int32_t kRowWidth = 760;
    static constexpr int32_t kRowHeight = 46;
    static constexpr int32_t kRowGap = 6;
    static constexpr int32_t kBottom = 510;  // 10 pixels above the dialogue frame
    static constexpr uint32_t kTextColor = 0xFFFFFFFF;
    static constexpr uint32_t kLitTextColor = 0xFF000000;

    CChoiceMenu(CDisplayer& displayer, CPlatform& platform);
    CChoiceMenu(const CChoiceMenu&) = delete;
    CChoiceMenu& operator=(const CChoiceMenu&) = delete;
    ~CChoiceMenu();

    // False when nine options are already there or the menu is open: the
    // option is not added. A pick nobody took is dropped first.
    bool Add(std::string_view text, TextEncoding encoding);
    // Shows the options; false (and nothing shown) when there are none.
    bool Open();
    bool IsOpen() const { return m_open; }
    int Count() const { return m_count; }
    // The number (from 1) of the option picked since the menu opened, 0 while none.
    int Pick() const { return m_pick; }
    // Hands the pick over and clears the options: 0 while there is none.
    int TakePick();

    // Pointer and keys, in layout pixels; they do nothing unless the menu is open.
    void Hover(int32_t x, int32_t y);
    // True when the point is on an option, which is then picked.
    bool Click(int32_t x, int32_t y);
    // Keys 1-9: the option of that number, when there is one.
    bool PressNumber(int number);
    // 1-based; 0 when no option is lit.
    int Lit() const { return m_lit; }

    void Render(CDisplayer& displayer);
    // Where option `number` (from 1) stands while `count` options are shown.
    static PixelRect RowRect(int number, int count);

private:
    int OptionAt(int32_t x, int32_t y) const;
    void Choose(int number);
    void Clear();
    void MakeBoxes();
    void SubmitBox(CDisplayer& displayer, int number) const;

    CDisplayer& m_displayer;
    CPlatform& m_platform;
    std::unique_ptr<CWidgetPanel> m_panel;           // the option texts, made with the first option
    std::array<CTextWidget*, kMaxOptions> m_rows{};  // children of m_panel
    std::unique_ptr<CTexture> m_box;
    std::unique_ptr<CTexture> m_litBox;
    Quad m_boxQuad{static_cast<float>(kRowWidth), static_cast<float>(kRowHeight)};
    int m_count = 0;
    int m_lit = 0;
    int m_pick = 0;
    bool m_open = false;
};
