#include "ui/Widget.h"

#include "display/Database.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "platform/Font.h"
#include "platform/Texture.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "ui/ImageWidget.h"
#include "ui/TextWidget.h"
#include "ui/WidgetPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A root that keeps what reaches it instead of queuing it: one line per item,
// "picture@x,y" or "text@left,top,right,bottom".
class CCaptureRoot : public CWidgetPanel {
public:
    void Submit(std::unique_ptr<RenderItem> item, CDisplayer&) override {
        char line[96];
        if (item->kind == RenderItem::kText)
            std::snprintf(line, sizeof line, "%s@%d,%d,%d,%d", item->text, item->rect.left,
                          item->rect.top, item->rect.right, item->rect.bottom);
        else
            std::snprintf(line, sizeof line, "%s@%g,%g",
                          item->texture ? item->texture->Path().c_str() + 6 : "-",
                          static_cast<double>(item->x), static_cast<double>(item->y));
        seen += std::string(line) + " ";
    }
    std::string seen;
};

// Tells the test when it is destroyed.
class CProbeWidget : public CImageWidget {
public:
    explicit CProbeWidget(bool& destroyed) : m_destroyed(destroyed) {}
    ~CProbeWidget() override { m_destroyed = true; }

private:
    bool& m_destroyed;
};

class Widget : public ::testing::Test {
protected:
    static const CTempStory& Written(const CTempStory& story) {
        story.WriteScript("start.txt", "");
        story.WriteSpriteImages(3);
        story.WriteSpriteImages(6);
        return story;
    }
    std::unique_ptr<CWidget> Image(const char* name, int32_t left, int32_t top, int number = 3) {
        auto image = std::make_unique<CImageWidget>();
        image->SetName(name);
        image->SetRect({left, top, 0, 0});
        image->SetSprite(m_harness.Game().GetDatabase().LoadSprite(number));
        return image;
    }
    std::unique_ptr<CWidgetPanel> Panel(const char* name, int32_t left, int32_t top) {
        auto panel = std::make_unique<CWidgetPanel>();
        panel->SetName(name);
        panel->SetRect({left, top, 0, 0});
        return panel;
    }
    std::unique_ptr<CTextWidget> Text(const char* text, const ItemRect& rect) {
        auto widget = std::make_unique<CTextWidget>();
        widget->SetRect(rect);
        widget->SetText(text);
        widget->SetFont(Displayer().CreateFont(FontDesc{"", 30}));
        return widget;
    }
    CDisplayer& Displayer() { return m_harness.Game().GetDisplayer(); }
    std::string Rendered() {
        m_root.seen.clear();
        m_root.Render(Displayer());
        return m_root.seen;
    }

    CTempStory m_story;
    CGameHarness m_harness{Written(m_story)};
    CCaptureRoot m_root;
};

}  // namespace

// Items gain the offset of every container on their way up; a text
// rectangle moves as a whole. Containers draw their own sprite first, then
// each child's subtree in the order of addition.
TEST_F(Widget, ItemsGainEveryAncestorsOffsetInDepthFirstOrder) {
    auto frame = Panel("frame", 0, 520);
    frame->SetSprite(m_harness.Game().GetDatabase().LoadSprite(6));
    frame->AddChild(Image("portrait", 70, -180));
    frame->AddChild(Text("content", {400, 60, 1100, 200}));
    auto inner = Panel("inner", 10, 20);
    inner->AddChild(Image("deep", 1, 2));
    inner->AddChild(Text("deepText", {5, 6, 7, 8}));
    frame->AddChild(std::move(inner));
    frame->AddChild(Image("last", -5, -5));
    m_root.AddChild(std::move(frame));
    EXPECT_EQ(Rendered(),
              "oneechan.png@0,520 imouto.png@70,340 content@400,580,1100,720 imouto.png@11,542 "
              "deepText@15,546,17,548 imouto.png@-5,515 ");
}

// A hidden container hides its whole subtree, whatever the children's own
// visibility; a hidden leaf hides only itself. Nothing is lost while hidden.
TEST_F(Widget, HidingAContainerHidesItsSubtree) {
    auto panel = Panel("panel", 100, 0);
    panel->AddChild(Image("a", 0, 0));
    panel->AddChild(Image("b", 1, 0));
    CWidget* panelPtr = panel.get();
    m_root.AddChild(std::move(panel));
    CWidget* b = m_root.FindByName("b");
    ASSERT_NE(b, nullptr);

    struct Step {
        bool panel, b;
        const char* seen;
    };
    const Step steps[] = {
        {true, true, "imouto.png@100,0 imouto.png@101,0 "},
        {true, false, "imouto.png@100,0 "},
        {false, true, ""},
        {false, false, ""},
        {true, true, "imouto.png@100,0 imouto.png@101,0 "},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string("panel ") + (s.panel ? "shown" : "hidden") + ", b " +
                     (s.b ? "shown" : "hidden"));
        panelPtr->SetVisible(s.panel);
        b->SetVisible(s.b);
        EXPECT_EQ(Rendered(), s.seen);
    }
}

// A container whose own name matches answers itself before any child; else
// the first match depth first; names are exact and keep at most 29 bytes.
TEST_F(Widget, FindByNameAnswersTheFirstMatchDepthFirst) {
    auto outer = Panel("twin", 0, 0);
    auto inner = Panel("inner", 0, 0);
    inner->AddChild(Image("twin", 0, 0));
    inner->AddChild(Image("shared", 1, 0));
    CWidget* innerPtr = inner.get();
    outer->AddChild(std::move(inner));
    outer->AddChild(Image("shared", 2, 0));
    outer->AddChild(Image(std::string(40, 'n').c_str(), 3, 0));
    CWidget* outerPtr = outer.get();
    m_root.AddChild(std::move(outer));

    EXPECT_EQ(m_root.FindByName("twin"), outerPtr);
    EXPECT_EQ(innerPtr->FindByName("twin")->Parent(), innerPtr);
    EXPECT_EQ(m_root.FindByName("shared")->Rect().left, 1);
    EXPECT_EQ(m_root.FindByName("Shared"), nullptr);
    EXPECT_EQ(m_root.FindByName("nobody"), nullptr);
    EXPECT_EQ(m_root.FindByName(std::string(29, 'n'))->Rect().left, 3);
    EXPECT_EQ(m_root.FindByName(std::string(30, 'n')), nullptr);
    EXPECT_EQ(m_root.FindByName(""), &m_root) << "the root's own name is empty";
}

// Leaves take no children: what they are offered is destroyed. RemoveChild
// destroys direct children only; a child may remove itself through its
// parent, but a root is owned from outside and stays.
TEST_F(Widget, AddAndRemoveChildrenOwnWhatTheyHold) {
    bool offered = false;
    auto leaf = Image("leaf", 0, 0);
    leaf->AddChild(std::make_unique<CProbeWidget>(offered));
    EXPECT_TRUE(offered);

    bool direct = false, grandchild = false, self = false;
    auto panel = Panel("panel", 0, 0);
    auto probeDirect = std::make_unique<CProbeWidget>(direct);
    auto probeSelf = std::make_unique<CProbeWidget>(self);
    auto inner = Panel("inner", 0, 0);
    auto probeGrandchild = std::make_unique<CProbeWidget>(grandchild);
    CWidget* directPtr = probeDirect.get();
    CWidget* selfPtr = probeSelf.get();
    CWidget* grandchildPtr = probeGrandchild.get();
    inner->AddChild(std::move(probeGrandchild));
    panel->AddChild(std::move(probeDirect));
    panel->AddChild(std::move(inner));
    panel->AddChild(std::move(probeSelf));

    panel->RemoveChild(grandchildPtr);
    EXPECT_FALSE(grandchild) << "not a direct child";
    panel->RemoveChild(directPtr);
    EXPECT_TRUE(direct);
    selfPtr->RemoveChild(selfPtr);
    EXPECT_TRUE(self);
    panel->RemoveChild(panel.get());
    EXPECT_NE(panel->FindByName("inner"), nullptr) << "a root never destroys itself";
    bool rootLeaf = false;
    CProbeWidget lonely(rootLeaf);
    lonely.RemoveChild(&lonely);
    EXPECT_FALSE(rootLeaf);
}
