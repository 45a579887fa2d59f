#include "ui/DialogueFrame.h"

#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/Font.h"
#include "ui/ImageWidget.h"
#include "ui/TextWidget.h"

namespace {

bool IsSlot(int slot) {
    return slot >= 0 && slot < CDialogueFrame::kPortraitSlots;
}

std::unique_ptr<CTextWidget> MakeText(CDisplayer& displayer, const char* name,
                                      const PixelRect& rect) {
    auto text = std::make_unique<CTextWidget>();
    text->SetName(name);
    text->SetRect(rect);
    // Each text widget has a display font of its own, made from the same request.
    text->SetFont(
        displayer.CreateFont(FontDesc{CDialogueFrame::kFontFace, CDialogueFrame::kFontHeight}));
    return text;
}

}  // namespace

// Children in drawing order: the portrait stands on the frame and rises 180
// pixels above it; the content and the speaker's name are drawn over it.
CDialogueFrame::CDialogueFrame(CDisplayer& displayer) {
    auto portrait = std::make_unique<CImageWidget>();
    portrait->SetName("Portrait");
    portrait->SetRect({70, -180, 300, 200});
    m_portrait = portrait.get();
    AddChild(std::move(portrait));

    auto content = MakeText(displayer, "Content", {400, 60, 1100, 200});
    m_content = content.get();
    AddChild(std::move(content));

    auto speaker = MakeText(displayer, "Speaker", {400, 20, 1100, 250});
    m_speaker = speaker.get();
    AddChild(std::move(speaker));
}

CDialogueFrame::~CDialogueFrame() {
    m_portrait->ShowSprite(nullptr);
}

// The portrait child may be showing the sprite this slot held: it shows the new
// one instead, so nothing ever draws a destroyed sprite.
void CDialogueFrame::LoadPortrait(int slot, std::unique_ptr<CSprite> sprite) {
    if (!IsSlot(slot)) return;
    std::unique_ptr<CSprite>& held = m_slots[static_cast<size_t>(slot)];
    if (held && m_portrait->ShownSprite() == held.get()) m_portrait->ShowSprite(sprite.get());
    held = std::move(sprite);
}

void CDialogueFrame::SelectPortrait(int slot, uint8_t animation) {
    CSprite* sprite = Portrait(slot);
    if (!sprite) return;
    sprite->SetAnimation(animation);
    m_portrait->ShowSprite(sprite);
}

CSprite* CDialogueFrame::Portrait(int slot) const {
    return IsSlot(slot) ? m_slots[static_cast<size_t>(slot)].get() : nullptr;
}
