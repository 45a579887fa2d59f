#include "choices/ChoiceMenu.h"

#include "display/Displayer.h"
#include "display/Layout.h"
#include "platform/Font.h"
#include "platform/Platform.h"
#include "platform/Texture.h"
#include "ui/DialogueFrame.h"
#include "ui/TextWidget.h"
#include "ui/WidgetPanel.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int32_t kTextInsetX = 20;
constexpr int32_t kTextInsetY = 7;
// A box is an opaque picture of one colour drawn faded: the software renderer
// blends a faded opaque picture several times faster than one whose pixels
// carry the alpha themselves.
constexpr uint32_t kBoxColor = 0xFF202838;     // dark
constexpr uint8_t kBoxAlpha = 0xD0;            // lets the scene show through a little
constexpr uint32_t kLitBoxColor = 0xFFF0D060;  // the option under the pointer
constexpr uint8_t kLitBoxAlpha = 0xF0;

// A box picture is made at the row's own size: a stretched picture costs the
// software renderer twice as much as a copied one.
std::unique_ptr<CTexture> MakeBox(CPlatform& platform, const char* name, uint32_t argb) {
    constexpr int kWidth = CChoiceMenu::kRowWidth;
    constexpr int kHeight = CChoiceMenu::kRowHeight;
    const std::vector<uint32_t> pixels(static_cast<size_t>(kWidth * kHeight), argb);
    std::string error;
    auto texture = platform.CreateTexture(name, kWidth, kHeight, pixels, error);
    if (!texture) std::fprintf(stderr, "tabi: choices: %s\n", error.c_str());
    return texture;
}

}  // namespace

CChoiceMenu::CChoiceMenu(CDisplayer& displayer, CPlatform& platform)
    : m_displayer(displayer), m_platform(platform) {}

CChoiceMenu::~CChoiceMenu() = default;

PixelRect CChoiceMenu::RowRect(int number, int count) {
    const int32_t top =
        kBottom - count * (kRowHeight + kRowGap) + kRowGap + (number - 1) * (kRowHeight + kRowGap);
    const int32_t left = (kLayoutWidth - kRowWidth) / 2;
    return {left, top, left + kRowWidth, top + kRowHeight};
}

// The rows and their fonts are made once, with the first option ever added.
bool CChoiceMenu::Add(std::string_view text, TextEncoding encoding) {
    if (m_pick != 0) Clear();
    if (m_open || m_count == kMaxOptions) return false;
    if (!m_panel) {
        m_panel = std::make_unique<CWidgetPanel>();
        for (CTextWidget*& row : m_rows) {
            auto widget = std::make_unique<CTextWidget>();
            widget->SetFont(m_displayer.CreateFont(
                FontDesc{CDialogueFrame::kFontFace, CDialogueFrame::kFontHeight}));
            row = widget.get();
            m_panel->AddChild(std::move(widget));
        }
    }
    // The number leads, in ASCII, which reads the same in both encodings.
    const std::string label = std::to_string(m_count + 1) + ". " + std::string(text);
    m_rows[static_cast<size_t>(m_count)]->SetText(label, encoding);
    ++m_count;
    return true;
}

bool CChoiceMenu::Open() {
    if (m_count == 0) return false;
    if (!m_box) MakeBoxes();
    for (int number = 1; number <= kMaxOptions; ++number) {
        CTextWidget* row = m_rows[static_cast<size_t>(number - 1)];
        const PixelRect box = RowRect(number, m_count);
        row->SetRect(
            {box.left + kTextInsetX, box.top + kTextInsetY, box.right - kTextInsetX, box.bottom});
        row->SetVisible(number <= m_count);
        row->SetColor(kTextColor);
    }
    m_lit = 0;
    m_pick = 0;
    m_open = true;
    return true;
}

void CChoiceMenu::MakeBoxes() {
    m_box = MakeBox(m_platform, "choice:box", kBoxColor);
    m_litBox = MakeBox(m_platform, "choice:lit", kLitBoxColor);
}

int CChoiceMenu::TakePick() {
    const int pick = m_pick;
    if (pick != 0) Clear();
    return pick;
}

void CChoiceMenu::Clear() {
    m_count = 0;
    m_lit = 0;
    m_pick = 0;
    m_open = false;
}

int CChoiceMenu::OptionAt(int32_t x, int32_t y) const {
    for (int number = 1; number <= m_count; ++number) {
        const PixelRect box = RowRect(number, m_count);
        if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) return number;
    }
    return 0;
}

void CChoiceMenu::Hover(int32_t x, int32_t y) {
    if (!m_open) return;
    const int lit = OptionAt(x, y);
    if (lit == m_lit) return;
    if (m_lit != 0) m_rows[static_cast<size_t>(m_lit - 1)]->SetColor(kTextColor);
    if (lit != 0) m_rows[static_cast<size_t>(lit - 1)]->SetColor(kLitTextColor);
    m_lit = lit;
}

bool CChoiceMenu::Click(int32_t x, int32_t y) {
    if (!m_open) return false;
    const int number = OptionAt(x, y);
    if (number != 0) Choose(number);
    return number != 0;
}

bool CChoiceMenu::PressNumber(int number) {
    if (!m_open || number < 1 || number > m_count) return false;
    Choose(number);
    return true;
}

// The options stay until the script takes the pick; they are no longer drawn.
void CChoiceMenu::Choose(int number) {
    m_pick = number;
    m_open = false;
}

// Every box first, then every text: the texts lie over the boxes.
void CChoiceMenu::Render(CDisplayer& displayer) {
    if (!m_open) return;
    for (int number = 1; number <= m_count; ++number)
        SubmitBox(displayer, number);
    m_panel->Render(displayer);
}

void CChoiceMenu::SubmitBox(CDisplayer& displayer, int number) const {
    const bool lit = number == m_lit;
    const CTexture* texture = lit ? m_litBox.get() : m_box.get();
    if (!texture) return;
    const PixelRect box = RowRect(number, m_count);
    auto item = std::make_unique<RenderItem>();
    item->x = static_cast<float>(box.left);
    item->y = static_cast<float>(box.top);
    item->quad = &m_boxQuad;
    item->texture = texture;
    item->alpha = lit ? kLitBoxAlpha : kBoxAlpha;
    displayer.AddRenderItem(std::move(item));
}
