#pragma once
#include "ui/Widget.h"

#include <memory>
#include <vector>

// A widget with children, drawn after its own sprite in the order they were
// added, each child's subtree complete before the next. Owns its children.
class CWidgetContainer : public CWidget {
public:
    ~CWidgetContainer() override;

    void AddChild(std::unique_ptr<CWidget> widget) override;
    void RemoveChild(CWidget* widget) override;
    void Render(CDisplayer& displayer) override;
    // This widget if the name is its own, else the first match among the children.
    CWidget* FindByName(std::string_view name) override;

private:
    std::vector<std::unique_ptr<CWidget>> m_children;
};
