#include "ui/WidgetContainer.h"

#include <algorithm>

CWidgetContainer::~CWidgetContainer() = default;

void CWidgetContainer::AddChild(std::unique_ptr<CWidget> widget) {
    if (!widget) return;
    widget->SetParent(this);
    m_children.push_back(std::move(widget));
}

void CWidgetContainer::RemoveChild(CWidget* widget) {
    if (widget == this) {
        CWidget::RemoveChild(widget);
        return;
    }
    const auto found = std::find_if(m_children.begin(), m_children.end(),
                                    [widget](const auto& child) { return child.get() == widget; });
    if (found != m_children.end()) m_children.erase(found);
}

void CWidgetContainer::Render(CDisplayer& displayer) {
    if (!IsVisible()) return;
    Draw(displayer);
    for (const auto& child : m_children)
        child->Render(displayer);
}

CWidget* CWidgetContainer::FindByName(std::string_view name) {
    if (Name() == name) return this;
    for (const auto& child : m_children)
        if (CWidget* found = child->FindByName(name)) return found;
    return nullptr;
}
