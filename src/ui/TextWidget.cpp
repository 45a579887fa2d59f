#include "ui/TextWidget.h"

#include "platform/Font.h"
#include "platform/TextCodec.h"

CTextWidget::CTextWidget() = default;

CTextWidget::~CTextWidget() = default;

// The item points into m_text: the displayer draws it in this frame, before a
// script can change the text again.
void CTextWidget::Draw(CDisplayer& displayer) {
    if (!m_font) return;
    auto item = std::make_unique<RenderItem>();
    item->kind = RenderItem::Kind::Text;
    item->text = m_text.c_str();
    item->utf8 = &m_utf8;
    item->font = m_font.get();
    item->rect = m_rect;
    item->color = m_color;
    Submit(std::move(item), displayer);
}

void CTextWidget::Submit(std::unique_ptr<RenderItem> item, CDisplayer& displayer) {
    if (m_parent) m_parent->Submit(std::move(item), displayer);
}

void CTextWidget::SetText(std::string_view text, TextEncoding encoding) {
    m_text = CTextCodec::CutAtCharacter(text, kMaxTextBytes, encoding);
    m_utf8.made = false;
}

void CTextWidget::SetFont(std::unique_ptr<CFont> font) {
    m_font = std::move(font);
}
