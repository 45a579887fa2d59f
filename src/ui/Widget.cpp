#include "ui/Widget.h"

#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/TextCodec.h"

CWidget::CWidget() = default;

CWidget::~CWidget() = default;

void CWidget::AddChild(std::unique_ptr<CWidget>) {}

void CWidget::RemoveChild(CWidget* widget) {
    if (widget == this && m_parent) m_parent->RemoveChild(this);
}

void CWidget::Draw(CDisplayer& displayer) {
    if (m_sprite) Submit(std::make_unique<RenderItem>(m_sprite->MakeItem(0, 0)), displayer);
}

void CWidget::Render(CDisplayer& displayer) {
    if (m_visible) Draw(displayer);
}

void CWidget::Submit(std::unique_ptr<RenderItem> item, CDisplayer& displayer) {
    if (item->kind == RenderItem::Kind::Text) {
        item->rect.left += m_rect.left;
        item->rect.right += m_rect.left;
        item->rect.top += m_rect.top;
        item->rect.bottom += m_rect.top;
    } else {
        item->x += static_cast<float>(m_rect.left);
        item->y += static_cast<float>(m_rect.top);
    }
    if (m_parent)
        m_parent->Submit(std::move(item), displayer);
    else
        displayer.AddRenderItem(std::move(item));
}

CWidget* CWidget::FindByName(std::string_view name) {
    return m_name == name ? this : nullptr;
}

void CWidget::SetName(std::string_view name) {
    m_name = CTextCodec::CutAtCharacter(name, kMaxNameBytes);
}

void CWidget::SetSprite(std::unique_ptr<CSprite> sprite) {
    m_ownedSprite = std::move(sprite);
    m_sprite = m_ownedSprite.get();
}

void CWidget::ShowSprite(CSprite* sprite) {
    m_sprite = sprite;
}
