// The commands that build and change the role-playing scene and its entities:
// pictures loaded as entities, placing, depth, the hero and the characters,
// the walk grid and its traps, walking, and the entities' own scripts.
//
// Scene-only operations are ignored while the picture-novel mode is current
// (with 0 in $v0 where a result is expected): its storage is never touched.
// A name no entity has finds nothing, and the command still reads all its
// tokens, so the script stays in step.
#include "app/Game.h"
#include "app/Log.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "platform/TextCodec.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "story/Story.h"
#include "world/Entity.h"
#include "world/ModeRPGNormal.h"

namespace {

CModeRPGNormal* Scene(CCommandContext& c) {
    return c.Game().Scene();
}

// In the role-playing mode a name no entity has is the story's mistake.
CEntity* EntityNamed(CCommandContext& c, const char* name) {
    CMode* mode = c.Game().GetMode();
    CEntity* entity = mode ? mode->FindEntityByName(name) : nullptr;
    if (!entity && Scene(c))
        CLog::Warn("%s: no entity is named %s", c.CommandName(),
                   CTextCodec::ToUtf8(name, c.Game().Story().Encoding()).c_str());
    return entity;
}

// Registers are unsigned: a negative number placed with "move" becomes a
// coordinate above 2147483647, not a negative one.
float Coordinate(uint32_t value) {
    return static_cast<float>(value);
}

// Outside the role-playing mode no picture is loaded and $v0 gets 0: an entity
// made there would be destroyed at once, and a picture missing from the story
// would end the program for nothing.
void LoadSprite(CCommandContext& c) {
    const int32_t number = c.NextNumber();
    c.Next();  // read and not used
    const char* name = c.NextText();
    CModeRPGNormal* scene = Scene(c);
    if (!scene) {
        c.Script().SetRegisterAt(kRegV0, 0);
        return;
    }
    auto entity = std::make_unique<CEntity>(c.Game());
    entity->SetSprite(c.Game().GetDatabase().LoadSprite(number));
    entity->SetName(name);
    const uint32_t handle = entity->Handle();
    scene->AddEntity(std::move(entity));
    c.Script().SetRegisterAt(kRegV0, handle);
}

void PlaceEntity(CCommandContext& c) {
    if (CEntity* entity = c.FindObject<CEntity>(kRegA0))
        entity->SetPosition(Coordinate(c.Script().RegisterAt(kRegA1)),
                            Coordinate(c.Script().RegisterAt(kRegA2)));
}

void SetEntityDepth(CCommandContext& c) {
    CEntity* entity = EntityNamed(c, c.NextText());
    const int32_t depth = c.NextNumber();
    if (entity) entity->SetDepth(depth);
}

void SetEntityCenter(CCommandContext& c) {
    CEntity* entity = EntityNamed(c, c.NextText());
    const int32_t x = c.NextNumber();
    const int32_t y = c.NextNumber();
    if (entity) entity->SetCenter(x, y);
}

void SetHero(CCommandContext& c) {
    CEntity* entity = EntityNamed(c, c.NextText());
    if (CModeRPGNormal* scene = Scene(c); scene && entity) scene->SetHero(entity);
}

void SetNPC(CCommandContext& c) {
    if (CEntity* entity = c.FindObject<CEntity>(kRegA0)) entity->SetRole(CEntity::kNpc);
}

void SetSceneScale(CCommandContext& c) {
    const int32_t width = c.NextNumber();
    const int32_t height = c.NextNumber();
    if (CModeRPGNormal* scene = Scene(c)) scene->SetSceneScale(width, height);
}

void SetTile(CCommandContext& c) {
    const int32_t x1 = c.NextNumber(), y1 = c.NextNumber();
    const int32_t x2 = c.NextNumber(), y2 = c.NextNumber();
    const auto value = static_cast<uint8_t>(c.NextNumber());
    CModeRPGNormal* scene = Scene(c);
    if (scene && !scene->HasSize())
        CLog::Warn("SetTile before SetSceneScale: the scene has no walk grid yet; ignored");
    if (scene) scene->SetTile(x1, y1, x2, y2, value);
}

// A speed of 0 or below would leave the entity in a walk that never ends
// (never arriving, never raising EVENT_HERO_STOP) or walking away from its
// target: the story's mistake is logged and the entity stays where it is.
void MoveEntityTo(CCommandContext& c) {
    const char* name = c.NextText();
    CEntity* entity = EntityNamed(c, name);
    const int32_t x = c.NextNumber();
    const int32_t y = c.NextNumber();
    const int32_t speed = c.NextNumber();
    if (!entity) return;
    if (speed <= 0) {
        CLog::Write("MoveEntityTo: speed %d is not above 0; %s stays where it is", speed, name);
        return;
    }
    entity->MoveTo(x, y, static_cast<float>(speed));
}

// The slot takes a new script object even for a number used before; a number
// outside the script table leaves the slot empty. The script that held the
// slot goes, even when it is the one giving this command.
void SetTrap(CCommandContext& c) {
    const auto trap = static_cast<uint8_t>(c.NextNumber());
    const int32_t number = c.NextNumber();
    if (CModeRPGNormal* scene = Scene(c))
        scene->SetTrap(trap, c.Game().GetDatabase().LoadScript(number));
}

// May destroy the script giving the command (a character's script that
// empties its own scene): nothing of the context is used afterwards.
void CleanScene(CCommandContext& c) {
    if (CMode* mode = c.Game().GetMode()) mode->Clean();
}

void GetHero(CCommandContext& c) {
    const CModeRPGNormal* scene = Scene(c);
    const CEntity* hero = scene ? scene->GetHero() : nullptr;
    c.Script().SetRegisterAt(kRegV0, hero ? hero->Handle() : 0);
}

void PlaySeq(CCommandContext& c) {
    CEntity* entity = c.FindObject<CEntity>(kRegA0);
    if (entity && entity->GetSprite())
        entity->GetSprite()->SetAnimation(static_cast<uint8_t>(c.Script().RegisterAt(kRegA1)));
}

void SetEntityScript(CCommandContext& c) {
    CEntity* entity = c.FindObject<CEntity>(kRegA0);
    if (!entity) return;
    const auto number = static_cast<int32_t>(c.Script().RegisterAt(kRegA1));
    entity->SetScript(c.Game().GetDatabase().LoadScript(number));
}

// The square of the speed, truncated: 0 while the entity stands.
void GetSpeed(CCommandContext& c) {
    const CEntity* entity = c.FindObject<CEntity>(kRegA0);
    const double squared = entity ? entity->SpeedSquared() : 0.0;
    c.Script().SetRegisterAt(kRegV0,
                             squared < 4294967296.0 ? static_cast<uint32_t>(squared) : 0xFFFFFFFFu);
}

constexpr CommandEntry kSceneCommands[] = {
    {"LoadSprite", LoadSprite, {"pxs", "", CommandMode::Scene}},
    {"PlaceEntity", PlaceEntity, {""}},
    {"SetEntityDepth", SetEntityDepth, {"sn", "", CommandMode::Scene}},
    {"SetEntityCenter", SetEntityCenter, {"snn", "", CommandMode::Scene}},
    {"SetHero", SetHero, {"s", "", CommandMode::Scene}},
    {"SetNPC", SetNPC, {""}},
    {"SetSceneScale", SetSceneScale, {"nn", "", CommandMode::Scene}},
    {"SetTile", SetTile, {"nnnnn", "", CommandMode::SizedScene}},
    {"MoveEntityTo", MoveEntityTo, {"snnn", "", CommandMode::Scene}},
    {"SetTrap", SetTrap, {"nc", "", CommandMode::Scene}},
    {"CleanScene", CleanScene, {""}},
    {"GetHero", GetHero, {"", "", CommandMode::Scene}},
    {"PlaySeq", PlaySeq, {""}},
    {"SetEntityScript", SetEntityScript, {"", "-c"}},
    {"GetSpeed", GetSpeed, {""}},
};

}  // namespace

std::span<const CommandEntry> SceneCommands() {
    return kSceneCommands;
}
