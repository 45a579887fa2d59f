#include "scripting/ScriptManager.h"

#include "app/Game.h"
#include "app/Options.h"
#include "platform/Platform.h"
#include "scripting/CommandContext.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "scripting/ScriptSource.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// Scripts here run on a bare manager with the control commands and four test
// commands that stand in for what the world will do from a step: "Mark X"
// records X, "Kill X" destroys script X (as clearing a scene destroys the
// entities' scripts), "Again X" restarts script X (as a trap does).
class ScriptManager : public ::testing::Test {
protected:
    ScriptManager() { s_fixture = this; }
    ~ScriptManager() override { s_fixture = nullptr; }

    // A script of the test's own, put in the pending list like a trap's.
    CScript& Add(const std::string& name, std::string_view text) {
        auto& slot = m_scripts[name];
        slot = std::make_unique<CScript>(CScriptSource::Parse(text, Commands()));
        m_manager->Restart(*slot);
        return *slot;
    }
    std::string Trace() {
        std::string joined;
        for (const std::string& mark : m_trace)
            joined += (joined.empty() ? "" : " ") + mark;
        m_trace.clear();
        return joined;
    }
    static std::string Marks(const std::string& prefix, int count) {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "Mark " + prefix + std::to_string(i) + "\n";
        return text;
    }
    void Frame() { m_manager->Update(); }

    static const CCommandTable& Commands() {
        static const CommandEntry kTestCommands[] = {
            {"Mark", Mark}, {"Kill", Kill}, {"Again", Again}};
        static const CCommandTable table{FlowCommands(), kTestCommands};
        return table;
    }
    static void Mark(CCommandContext& c) { s_fixture->m_trace.emplace_back(c.NextText()); }
    static void Kill(CCommandContext& c) { s_fixture->m_scripts.erase(std::string(c.NextText())); }
    static void Again(CCommandContext& c) {
        s_fixture->m_manager->Restart(*s_fixture->m_scripts.at(c.NextText()));
    }

    static inline ScriptManager* s_fixture = nullptr;
    Options m_options;
    std::unique_ptr<CPlatform> m_platform = CreatePlatform([] {
        PlatformOptions options;
        options.headless = true;
        return options;
    }());
    CGame m_game{*m_platform, m_options};
    std::unique_ptr<CScriptManager> m_manager = std::make_unique<CScriptManager>(m_game);
    std::map<std::string, std::unique_ptr<CScript>> m_scripts;
    std::vector<std::string> m_trace;
};

TEST_F(ScriptManager, ScriptsInterleaveOneStepAPassForAtMost102Passes) {
    Add("A", Marks("A", 150));
    Add("B", Marks("B", 3));
    Frame();
    EXPECT_EQ(m_trace.size(), 105u);  // A's 102 steps and B's 3
    EXPECT_EQ(Trace().substr(0, 24), "A1 B1 A2 B2 A3 B3 A4 A5 ");
    Frame();
    EXPECT_EQ(m_trace.size(), 48u);
    EXPECT_EQ(Trace().substr(0, 10), "A103 A104 ");
    EXPECT_TRUE(m_manager->Running().empty());
}

// An event that nobody waits for is lost; an unknown event name waits for
// the code waited for last (none at first, so such a script never wakes).
// (Two scripts woken by one click: FlowCommandsTest.)
TEST_F(ScriptManager, AnEventWakesExactlyTheScriptsWaitingForIt) {
    Add("C", "Mark C0 WaitForEvent EVENT_HERO_STOP Mark C1 WaitForEvent BOGUS Mark C2");
    Add("D", "WaitForEvent EVENT_UNKNOWN Mark D");
    m_manager->RaiseEvent(CScriptManager::kEventHeroStop);  // before C waits: lost
    Frame();
    Frame();
    EXPECT_EQ(Trace(), "C0");
    for (const char* expected : {"C1", "C2"}) {
        m_manager->RaiseEvent(CScriptManager::kEventNone);
        m_manager->RaiseEvent(CScriptManager::kEventHeroStop);
        Frame();
        EXPECT_EQ(Trace(), expected);
    }
    EXPECT_EQ(m_manager->Waiting().size(), 1u);  // D
}

// A waiting script leaves the running list only at its next turn, so a wait
// in the last pass keeps it there, deaf to events, until the next frame.
TEST_F(ScriptManager, AWaitInTheLastPassLeavesTheRunningListNextFrame) {
    Add("A", Marks("A", 101) + "WaitForEvent EVENT_MOUSE_DOWN Mark woke");
    for (const size_t marks : {101u, 101u, 102u}) {  // "woke" only in the third frame
        Frame();
        EXPECT_EQ(m_trace.size(), marks);
        m_manager->RaiseEvent(CScriptManager::kEventMouseDown);
    }
}

TEST_F(ScriptManager, ChangeModeEndsTheFramesScriptWork) {
    Add("A", "Mark A1 move $a0 8 ChangeMode Mark A2");
    Add("B", Marks("B", 5));
    Frame();
    EXPECT_EQ(Trace(), "A1 B1 B2");  // B takes no step in ChangeMode's pass
    EXPECT_EQ(m_manager->Running().size(), 2u);
    Frame();
    EXPECT_EQ(Trace(), "A2 B3 B4 B5");
}

// A restart does not look in the lists: a script restarted between frames
// while running gains a second entry and steps twice a pass; one restarted
// from a step goes back to pending at its turn, and gains an entry too.
TEST_F(ScriptManager, AScriptRestartedWhileListedStepsOncePerEntry) {
    Add("A", "loop: Mark A j loop");  // a label step, then two steps a round
    Frame();
    m_manager->Restart(*m_scripts["A"]);
    Trace();
    Frame();
    EXPECT_EQ(m_manager->Running().size(), 2u);
    EXPECT_EQ(m_trace.size(), 102u);  // 204 steps: the label, then Mark and j by turns

    Add("B", "Again A Terminate");
    Frame();
    EXPECT_EQ(m_manager->Pending().size(), 3u);  // two entries of A, and B's restart of A
}

// Pending scripts all enter at the start of one frame, in the order they were
// restarted.
TEST_F(ScriptManager, AStepMayDestroyScriptsBeforeAfterAndItself) {
    Add("C", Marks("C", 3));
    Add("A", "Kill C Kill B Kill A Mark never");
    Add("B", Marks("B", 3));
    Add("D", Marks("D", 3));
    Frame();
    EXPECT_EQ(Trace(), "C1 B1 D1 D2 D3");
    EXPECT_TRUE(m_manager->Running().empty());
}

// Owners destroy scripts whatever lists hold them, and the manager may go
// first at shutdown; ASan catches any touch of a script or manager gone.
TEST_F(ScriptManager, DestroyedScriptsLeaveEveryListAndMayOutliveTheManager) {
    for (const bool managerFirst : {false, true}) {
        Add("W", "WaitForEvent EVENT_MOUSE_DOWN");
        Add("R", "loop: j loop");
        Frame();
        m_manager->Restart(*m_scripts["R"]);
        m_manager->Restart(*m_scripts["W"]);
        if (managerFirst) m_manager.reset();
        m_scripts.clear();
        if (managerFirst) break;
        EXPECT_TRUE(m_manager->Running().empty() && m_manager->Pending().empty() &&
                    m_manager->Waiting().empty());
        m_manager->RaiseEvent(CScriptManager::kEventMouseDown);
        Frame();
    }
}

// A file of labels only ends one step after its last label. Two scripts of
// one file keep their own place and registers.
TEST_F(ScriptManager, LabelsCostAStepAndScriptsOfOneFileRunApart) {
    CScript labels(CScriptSource::Parse("a: b:"));
    const auto source = CScriptSource::Parse("a: b: move $t0 -3 move $t1 $t0");
    CScript first(source), second(source);
    for (CScript* script : {&labels, &first})
        script->SetState(ScriptState::Running);
    for (int step = 0; step < 4; ++step) {
        EXPECT_EQ(labels.State(), step < 3 ? ScriptState::Running : ScriptState::Ended) << step;
        labels.Run(m_game);
        first.Run(m_game);
    }
    EXPECT_EQ(first.RegisterAt(9), 0xFFFFFFFDu);  // the pattern of -3, copied
    EXPECT_EQ(std::make_pair(second.Position(), second.RegisterAt(8)), std::make_pair(0u, 0u));
}
