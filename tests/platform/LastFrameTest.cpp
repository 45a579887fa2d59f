#include "platform/LastFrame.h"

#include "platform/Texture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A picture whose pixels can be "changed": only its address and serial matter.
class CStandInTexture : public CTexture {
public:
    CStandInTexture() : CTexture("stand-in", 1, 1) {}
    void NewPixels() { RenewSerial(); }
};

CStandInTexture g_textureA, g_textureB;
// Stand-ins: only their addresses matter here.
const char kFontA = 0, kFontB = 0;

DrawList SampleFrame(const std::string& text) {
    DrawCommand label;
    label.kind = DrawCommand::Kind::Text;
    label.text = text;
    label.font = reinterpret_cast<const CFont*>(&kFontA);
    label.rect = {100, 600, 900, 700};
    label.color = 0xFFFFFFFF;
    // A quad: every field in declaration order but the last (kind, x, y,
    // width, height, texture, text, font, rect, colour; alpha stays 255).
    const DrawCommand quad{
        DrawCommand::Kind::Quad, 10, 20, 128, 256, &g_textureA, {}, nullptr, {}, 0};
    return {{quad, label}, {0, 40, 1280, 760}};
}

}  // namespace

// Any change of what a frame would show makes it new. Nothing remembered
// matches nothing. The text views of a frame die with it, so the memory holds
// its own copy and compares by content; a picture given new pixels is drawn
// again, though its address is the same.
TEST(LastFrame, OnlyTheSamePixelsMatch) {
    const std::string other = "你们";
    const std::vector<std::pair<const char*, std::function<void(DrawList&)>>> changes = {
        {"clip", [](DrawList& f) { f.clip.top = 0; }},
        {"one command more", [](DrawList& f) { f.commands.push_back(f.commands[0]); }},
        {"order", [](DrawList& f) { std::swap(f.commands[0], f.commands[1]); }},
        {"x", [](DrawList& f) { f.commands[0].x += 0.5f; }},
        {"y", [](DrawList& f) { f.commands[0].y -= 1; }},
        {"width", [](DrawList& f) { f.commands[0].width = 64; }},
        {"height", [](DrawList& f) { f.commands[0].height = 64; }},
        {"texture", [](DrawList& f) { f.commands[0].texture = &g_textureB; }},
        {"text", [&](DrawList& f) { f.commands[1].text = other; }},
        {"font", [](DrawList& f) { f.commands[1].font = reinterpret_cast<const CFont*>(&kFontB); }},
        {"rect", [](DrawList& f) { f.commands[1].rect.right = 901; }},
        {"colour", [](DrawList& f) { f.commands[1].color = 0xFFFFFF00; }},
        {"alpha", [](DrawList& f) { f.commands[0].alpha = 0xD0; }},
    };
    CLastFrame last;
    EXPECT_FALSE(last.Matches(DrawList{}));
    {
        std::string text = "你好";
        last.Remember(SampleFrame(text));
        text = "xxxxxx";  // the frame's own buffer changes after Present
    }
    const std::string again = "你好";
    EXPECT_TRUE(last.Matches(SampleFrame(again)));
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        DrawList frame = SampleFrame(again);
        change(frame);
        EXPECT_FALSE(last.Matches(frame));
    }
    g_textureA.NewPixels();
    EXPECT_FALSE(last.Matches(SampleFrame(again)));
    last.Remember(SampleFrame(again));
    last.Forget();
    EXPECT_FALSE(last.Matches(SampleFrame(again)));
}
