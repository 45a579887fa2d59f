// The commands for the free sprites of the picture-novel mode: add one from
// the image table under a name, find one by name, delete one, place one.
// While the role-playing mode is current the first three are ignored (with 0
// in $v0 for GetSprite) and no picture is loaded.
#include "app/Game.h"
#include "app/Log.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "platform/TextCodec.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "story/Story.h"
#include "world/ModeGalNormal.h"

namespace {

CModeGalNormal* Pictures(CCommandContext& c) {
    return c.Game().Pictures();
}

// A new sprite object on every call, even for a picture used before; $v0 is
// left as it was.
void AddSprite(CCommandContext& c) {
    c.Next();  // read and not used
    const char* name = c.NextText();
    CModeGalNormal* pictures = Pictures(c);
    if (!pictures) return;
    auto sprite =
        c.Game().GetDatabase().LoadSprite(static_cast<int32_t>(c.Script().RegisterAt(kRegA0)));
    sprite->SetName(name, c.Game().Story().Encoding());
    pictures->AddSprite(std::move(sprite));
}

void GetSprite(CCommandContext& c) {
    const char* name = c.NextText();
    const CModeGalNormal* pictures = Pictures(c);
    const CSprite* sprite = pictures ? pictures->GetSprite(name) : nullptr;
    if (pictures && !sprite)
        CLog::Warn("GetSprite: no sprite is named %s",
                   CTextCodec::ToUtf8(name, c.Game().Story().Encoding()).c_str());
    c.Script().SetRegisterAt(kRegV0, sprite ? sprite->Handle() : 0);
}

// The mode is asked first: in the role-playing mode the command is ignored
// without a word, even for a handle that names nothing.
void DeleteSprite(CCommandContext& c) {
    CModeGalNormal* pictures = Pictures(c);
    if (!pictures) return;
    if (const CSprite* sprite = c.FindObject<CSprite>(kRegA0)) pictures->DeleteSprite(sprite);
}

void SetSpritePosition(CCommandContext& c) {
    CSprite* sprite = c.FindObject<CSprite>(kRegA0);
    if (!sprite) return;
    sprite->m_x = static_cast<float>(c.Script().RegisterAt(kRegA1));
    sprite->m_y = static_cast<float>(c.Script().RegisterAt(kRegA2));
}

constexpr CommandEntry kSpriteCommands[] = {
    {"AddSprite", AddSprite, {"xs", "p", CommandMode::Pictures}},
    {"GetSprite", GetSprite, {"s", "", CommandMode::Pictures}},
    {"DeleteSprite", DeleteSprite, {"", "", CommandMode::Pictures}},
    {"SetSpritePosition", SetSpritePosition, {""}},
};

}  // namespace

std::span<const CommandEntry> SpriteCommands() {
    return kSpriteCommands;
}
