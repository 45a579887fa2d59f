#pragma once
#include "display/RenderItem.h"

#include <memory>
#include <string>
#include <string_view>

class CDisplayer;
class CSprite;

// A screen element of a small retained tree (the dialogue frame). Left and top
// are the offset from the parent; render items climb the tree gaining each
// ancestor's offset and leave the root for the displayer's queue. A widget may
// show a sprite: one it owns (SetSprite) or one it borrows (ShowSprite).
class CWidget {
public:
    static constexpr size_t kMaxNameBytes = 29;

    CWidget();
    CWidget(const CWidget&) = delete;
    CWidget& operator=(const CWidget&) = delete;
    virtual ~CWidget();

    // A leaf takes no children: what it is offered is destroyed.
    virtual void AddChild(std::unique_ptr<CWidget> widget);
    // Removes and destroys a direct child. Given itself, a widget asks its
    // parent to remove it; a root is owned from outside and stays.
    virtual void RemoveChild(CWidget* widget);
    virtual void Draw(CDisplayer& displayer);
    virtual void Render(CDisplayer& displayer);
    virtual void Submit(std::unique_ptr<RenderItem> item, CDisplayer& displayer);
    virtual CWidget* FindByName(std::string_view name);

    void SetRect(const PixelRect& rect) { m_rect = rect; }
    const PixelRect& Rect() const { return m_rect; }
    void SetName(std::string_view name);
    const std::string& Name() const { return m_name; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool IsVisible() const { return m_visible; }
    // Takes the sprite and shows it (a frame's background).
    void SetSprite(std::unique_ptr<CSprite> sprite);
    // Shows a sprite that someone else owns, or nothing.
    void ShowSprite(CSprite* sprite);
    CSprite* ShownSprite() const { return m_sprite; }
    CWidget* Parent() const { return m_parent; }
    void SetParent(CWidget* parent) { m_parent = parent; }

protected:
    PixelRect m_rect;
    CWidget* m_parent = nullptr;  // the container that owns this widget

private:
    std::unique_ptr<CSprite> m_ownedSprite;
    CSprite* m_sprite = nullptr;  // shown: m_ownedSprite or a borrowed one
    std::string m_name;
    bool m_visible = true;
};
