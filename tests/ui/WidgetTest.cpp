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

}  // namespace

// The dialogue frame's shape, one level deeper: a panel with a sprite of its
// own (oneechan) at (0, 520) holding a picture (imouto), a text, an inner
// panel with a picture and a text, and a last picture. Items gain the offset
// of every container on their way up; a text rectangle moves as a whole.
// Containers draw their own sprite first, then each child's subtree in the
// order of addition. A hidden container hides its whole subtree, whatever the
// children's own visibility; a hidden leaf hides only itself; nothing is lost
// while hidden.
TEST(Widget, ItemsGainEveryAncestorsOffsetInDepthFirstOrder) {
    CTempStory story;
    story.WriteSpriteImages({3, 6});
    CGameHarness harness(story);
    CDisplayer& displayer = harness.Game().GetDisplayer();
    // Adds a widget named `name` at (left, top) to `parent`: a text when
    // `text` is given, else a picture of sprite 3.
    const auto add = [&](CWidget& parent, std::unique_ptr<CWidget> widget, const char* name,
                         PixelRect rect) -> CWidget& {
        widget->SetName(name);
        widget->SetRect(rect);
        if (auto* text = dynamic_cast<CTextWidget*>(widget.get())) {
            text->SetText(name);
            text->SetFont(displayer.CreateFont(FontDesc{"", 30}));
        } else if (!dynamic_cast<CWidgetPanel*>(widget.get())) {
            widget->SetSprite(harness.Game().GetDatabase().LoadSprite(3));
        }
        CWidget& added = *widget;
        parent.AddChild(std::move(widget));
        return added;
    };
    CCaptureRoot root;
    CWidget& frame = add(root, std::make_unique<CWidgetPanel>(), "frame", {0, 520, 0, 0});
    frame.SetSprite(harness.Game().GetDatabase().LoadSprite(6));
    CWidget& portrait = add(frame, std::make_unique<CImageWidget>(), "portrait", {70, -180, 0, 0});
    add(frame, std::make_unique<CTextWidget>(), "content", {400, 60, 1100, 200});
    CWidget& inner = add(frame, std::make_unique<CWidgetPanel>(), "inner", {10, 20, 0, 0});
    add(inner, std::make_unique<CImageWidget>(), "deep", {1, 2, 0, 0});
    add(inner, std::make_unique<CTextWidget>(), "deepText", {5, 6, 7, 8});
    add(frame, std::make_unique<CImageWidget>(), "last", {-5, -5, 0, 0});
    const auto rendered = [&] {
        root.seen.clear();
        root.Render(displayer);
        return root.seen;
    };
    const std::string all =
        "oneechan.png@0,520 imouto.png@70,340 content@400,580,1100,720 imouto.png@11,542 "
        "deepText@15,546,17,548 imouto.png@-5,515 ";
    EXPECT_EQ(rendered(), all);
    EXPECT_EQ(root.FindByName("portrait"), &portrait);
    portrait.SetVisible(false);
    inner.SetVisible(false);
    EXPECT_EQ(rendered(), "oneechan.png@0,520 content@400,580,1100,720 imouto.png@-5,515 ");
    frame.SetVisible(false);
    inner.SetVisible(true);
    EXPECT_EQ(rendered(), "");
    frame.SetVisible(true);
    portrait.SetVisible(true);
    EXPECT_EQ(rendered(), all);
}
