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

namespace {

// A root that keeps what reaches it instead of queuing it: one word per
// item, "picture@x,y" or "text@left,top,right,bottom".
class CCaptureRoot : public CWidgetPanel {
public:
    void Submit(std::unique_ptr<RenderItem> item, CDisplayer&) override {
        char line[96];
        if (item->kind == RenderItem::Kind::Text)
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

// The dialogue frame's shape, one level deeper: a panel with a sprite of its
// own (oneechan) at (0, 520) holding a picture (imouto), a text, an inner
// panel with a picture and a text, and a last picture.
class Widget : public ::testing::Test {
protected:
    Widget() {
        auto frame = Panel("frame", 0, 520);
        frame->SetSprite(m_harness.Game().GetDatabase().LoadSprite(6));
        frame->AddChild(Image("portrait", 70, -180));
        frame->AddChild(Text("content", {400, 60, 1100, 200}));
        auto inner = Panel("inner", 10, 20);
        inner->AddChild(Image("deep", 1, 2));
        inner->AddChild(Text("deepText", {5, 6, 7, 8}));
        m_inner = inner.get();
        frame->AddChild(std::move(inner));
        frame->AddChild(Image("last", -5, -5));
        m_frame = frame.get();
        m_root.AddChild(std::move(frame));
    }
    static const CTempStory& Written(const CTempStory& story) {
        story.WriteScript("start.txt", "");
        story.WriteSpriteImages(3);
        story.WriteSpriteImages(6);
        return story;
    }
    std::unique_ptr<CWidget> Image(const char* name, int32_t left, int32_t top) {
        auto image = std::make_unique<CImageWidget>();
        image->SetName(name);
        image->SetRect({left, top, 0, 0});
        image->SetSprite(m_harness.Game().GetDatabase().LoadSprite(3));
        return image;
    }
    std::unique_ptr<CWidgetPanel> Panel(const char* name, int32_t left, int32_t top) {
        auto panel = std::make_unique<CWidgetPanel>();
        panel->SetName(name);
        panel->SetRect({left, top, 0, 0});
        return panel;
    }
    std::unique_ptr<CTextWidget> Text(const char* text, const PixelRect& rect) {
        auto widget = std::make_unique<CTextWidget>();
        widget->SetRect(rect);
        widget->SetText(text);
        widget->SetFont(m_harness.Game().GetDisplayer().CreateFont(FontDesc{"", 30}));
        return widget;
    }
    std::string Rendered() {
        m_root.seen.clear();
        m_root.Render(m_harness.Game().GetDisplayer());
        return m_root.seen;
    }

    CTempStory m_story;
    CGameHarness m_harness{Written(m_story)};
    CCaptureRoot m_root;
    CWidget* m_frame = nullptr;  // owned by m_root
    CWidget* m_inner = nullptr;
};

}  // namespace

// Items gain the offset of every container on their way up; a text
// rectangle moves as a whole. Containers draw their own sprite first, then
// each child's subtree in the order of addition. A hidden container hides
// its whole subtree, whatever the children's own visibility; a hidden leaf
// hides only itself; nothing is lost while hidden.
TEST_F(Widget, ItemsGainEveryAncestorsOffsetInDepthFirstOrder) {
    const std::string all =
        "oneechan.png@0,520 imouto.png@70,340 content@400,580,1100,720 imouto.png@11,542 "
        "deepText@15,546,17,548 imouto.png@-5,515 ";
    EXPECT_EQ(Rendered(), all);
    CWidget* portrait = m_root.FindByName("portrait");
    portrait->SetVisible(false);
    m_inner->SetVisible(false);
    EXPECT_EQ(Rendered(), "oneechan.png@0,520 content@400,580,1100,720 imouto.png@-5,515 ");
    m_frame->SetVisible(false);
    m_inner->SetVisible(true);
    EXPECT_EQ(Rendered(), "");
    m_frame->SetVisible(true);
    portrait->SetVisible(true);
    EXPECT_EQ(Rendered(), all);
}
