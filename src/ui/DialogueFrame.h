#pragma once
#include "ui/WidgetPanel.h"

#include <array>
#include <cstdint>
#include <memory>

class CDisplayer;
class CSprite;
class CTextWidget;

// The conversation box at the bottom of the screen: a background (the frame's
// own sprite), "Portrait", "Content" and "Speaker" children, and 50 portrait
// slots, one character's expressions each. The "Portrait" child only borrows the
// sprite of a slot. Owned by the dialogue controller.
class CDialogueFrame : public CWidgetPanel {
public:
    static constexpr int kPortraitSlots = 50;
    static constexpr int kFontHeight = 30;
    static constexpr const char* kFontFace = "\xCB\xCE\xCC\xE5";  // SimSun, in GB2312

    explicit CDialogueFrame(CDisplayer& displayer);
    CDialogueFrame(CDisplayer&&) = delete;
    ~CDialogueFrame() override;

    // Slots outside 0..49 do not exist: the call is ignored.
    void LoadPortrait(int slot, std::unique_ptr<CSprite> sprite);
    void SelectPortrait(int slot, uint8_t animation);
    CSprite* Portrait(int slot) const;

    CTextWidget* Content() const { return m_content; }
    CTextWidget* Speaker() const { return m_speaker; }
    CWidget* PortraitWidget() const { return m_portrait; }

private:
    std::array<std::unique_ptr<CSprite>, kPortraitSlots> m_slots;
    CWidget* m_portrait = nullptr;  // children, owned by the container
    CTextWidget* m_content = nullptr;
    CTextWidget* m_speaker = nullptr;
};
