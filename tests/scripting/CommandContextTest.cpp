#include "scripting/CommandContext.h"

#include "app/HandleRegistry.h"
#include "scripting/CommandTable.h"
#include "scripting/ScriptSource.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

namespace {

struct Prop {
    static constexpr HandleKind kHandleKind = HandleKind::Entity;
};

Prop* g_found = nullptr;

// What a later command such as PlaceEntity will do with the handle in $a0.
void Poke(CCommandContext& c) {
    g_found = c.FindObject<Prop>(kRegA0);
}

}  // namespace

// A register names an object only through a live handle of the right kind:
// 0 finds nothing quietly, a stale or foreign handle finds nothing and says so.
TEST(CommandContext, FindsObjectsOnlyThroughLiveHandlesOfTheirKind) {
    CTempStory story;
    story.WriteScript("start.txt", "");
    CGameHarness harness(story);
    CHandleRegistry& handles = harness.Game().Handles();
    Prop prop, other;
    const uint32_t live = handles.Register(&prop, HandleKind::Entity);
    const uint32_t stale = handles.Register(&other, HandleKind::Entity);
    handles.Unregister(stale);
    const uint32_t sprite = handles.Register(&other, HandleKind::Sprite);

    static const CommandEntry kPoke[] = {{"Poke", Poke}};
    const CCommandTable table{kPoke};
    const struct {
        uint32_t handle;
        Prop* found;
        bool logged;
    } cases[] = {{live, &prop, false},
                 {0, nullptr, false},
                 {stale, nullptr, true},
                 {sprite, nullptr, true},
                 {live + 1, nullptr, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        const std::string logBefore = harness.Log();
        CScript script(CScriptSource::Parse("Poke", table));
        script.SetRegisterAt(kRegA0, c.handle);
        script.SetState(ScriptState::Running);
        g_found = &other;
        script.Run(harness.Game());
        EXPECT_EQ(g_found, c.found);
        EXPECT_EQ(harness.Log() != logBefore, c.logged);
    }
    EXPECT_NE(harness.Log().find("Poke: register 4 holds handle"), std::string::npos);
}
