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

    static PlatformOptions Headless() {
        PlatformOptions options;
        options.headless = true;
        return options;
    }

    static inline ScriptManager* s_fixture = nullptr;
    Options m_options;
    std::unique_ptr<CPlatform> m_platform = CreatePlatform(Headless());
    CGame m_game{*m_platform, m_options};
    std::unique_ptr<CScriptManager> m_manager = std::make_unique<CScriptManager>(m_game);
    std::map<std::string, std::unique_ptr<CScript>> m_scripts;
    std::vector<std::string> m_trace;
};

TEST_F(ScriptManager, ScriptsInterleaveOneStepAPassForAtMost102Passes) {
    Add("A", Marks("A", 150));
    Add("B", Marks("B", 3));
    Frame();
    std::string expected = "A1 B1 A2 B2 A3 B3";
    for (int i = 4; i <= 102; ++i)
        expected += " A" + std::to_string(i);
    EXPECT_EQ(Trace(), expected);
    Frame();
    expected = "A103";
    for (int i = 104; i <= 150; ++i)
        expected += " A" + std::to_string(i);
    EXPECT_EQ(Trace(), expected);
    EXPECT_TRUE(m_manager->Running().empty());
    EXPECT_EQ(m_scripts["A"]->State(), ScriptState::Ended);
}

TEST_F(ScriptManager, PendingScriptsAllEnterAtTheStartOfOneFrame) {
    Add("C", "Mark C");
    Add("A", "Mark A");
    Add("B", "Mark B");
    EXPECT_EQ(m_manager->Pending().size(), 3u);
    Frame();
    EXPECT_EQ(Trace(), "C A B");
    EXPECT_TRUE(m_manager->Pending().empty());
}

TEST_F(ScriptManager, AnEventWakesEveryScriptWaitingForItAndNoOther) {
    Add("A", "WaitForEvent EVENT_MOUSE_DOWN Mark A");
    Add("B", "WaitForEvent EVENT_MOUSE_DOWN Mark B");
    Add("C", "WaitForEvent EVENT_HERO_STOP Mark C");
    Add("D", "WaitForEvent EVENT_UNKNOWN Mark D");  // waits for nothing it can name
    Frame();
    ASSERT_EQ(m_manager->Waiting().size(), 4u);
    m_manager->RaiseEvent(CScriptManager::kEventMouseDown);
    Frame();
    EXPECT_EQ(Trace(), "A B");
    m_manager->RaiseEvent(CScriptManager::kEventNone);
    m_manager->RaiseEvent(CScriptManager::kEventHeroStop);
    Frame();
    EXPECT_EQ(Trace(), "C");
    EXPECT_EQ(m_manager->Waiting().size(), 1u);
}

TEST_F(ScriptManager, AnEventNobodyWaitsForIsDropped) {
    Add("A", "Mark A0 WaitForEvent EVENT_HERO_STOP Mark A1 WaitForEvent BOGUS Mark A2");
    m_manager->RaiseEvent(CScriptManager::kEventHeroStop);  // before A waits
    Frame();
    Frame();
    EXPECT_EQ(Trace(), "A0");
    m_manager->RaiseEvent(CScriptManager::kEventHeroStop);
    Frame();
    EXPECT_EQ(Trace(), "A1");  // BOGUS keeps the code waited for last
    m_manager->RaiseEvent(CScriptManager::kEventHeroStop);
    Frame();
    EXPECT_EQ(Trace(), "A2");
}

// The waiting script leaves the running list only at its next turn, so a
// wait in the last pass keeps it there, deaf to events, until the next frame.
TEST_F(ScriptManager, AWaitInTheLastPassLeavesTheRunningListNextFrame) {
    CScript& a = Add("A", Marks("A", 101) + "WaitForEvent EVENT_MOUSE_DOWN Mark woke");
    Frame();
    EXPECT_EQ(a.State(), ScriptState::Waiting);
    EXPECT_EQ(m_manager->Running().size(), 1u);
    m_manager->RaiseEvent(CScriptManager::kEventMouseDown);  // A is not in the waiting list yet
    Trace();
    Frame();
    EXPECT_EQ(m_manager->Waiting().size(), 1u);
    m_manager->RaiseEvent(CScriptManager::kEventMouseDown);
    Frame();
    EXPECT_EQ(Trace(), "woke");
}

TEST_F(ScriptManager, ChangeModeEndsTheFramesScriptWork) {
    Add("A", "Mark A1 move $a0 8 ChangeMode Mark A2");
    Add("B", Marks("B", 5));
    Frame();
    EXPECT_EQ(Trace(), "A1 B1 B2");  // B takes no step after the ChangeMode
    EXPECT_EQ(m_manager->Running().size(), 2u);
    Frame();
    EXPECT_EQ(Trace(), "A2 B3 B4 B5");
}

TEST_F(ScriptManager, AScriptRestartedWhileListedStepsOncePerEntry) {
    Add("A", "loop: Mark A j loop");  // a label step, then two steps a round
    Frame();
    EXPECT_EQ(Trace().size(), std::string("A ").size() * 51 - 1);
    m_manager->Restart(*m_scripts["A"]);  // from outside a step: one more entry
    Frame();
    EXPECT_EQ(m_manager->Running().size(), 2u);
    EXPECT_EQ(Trace().size(),
              std::string("A ").size() * 102 - 1);  // 204 steps: a label, then 102 rounds
}

TEST_F(ScriptManager, AScriptRestartedFromAStepMovesBackToPending) {
    Add("A", "loop: Mark A j loop");
    Add("B", "Again A Terminate");
    Frame();
    EXPECT_EQ(Trace(), "");  // A's label step; then its Ready entry went to pending
    EXPECT_EQ(m_manager->Pending().size(), 2u);
    Frame();
    EXPECT_EQ(m_manager->Running().size(), 2u);
}

TEST_F(ScriptManager, AStepMayDestroyScriptsBeforeAfterAndItself) {
    Add("C", Marks("C", 3));
    Add("A", "Kill C Kill B Kill A Mark never");
    Add("B", Marks("B", 3));
    Add("D", Marks("D", 3));
    Frame();
    EXPECT_EQ(Trace(), "C1 B1 D1 D2 D3");
    EXPECT_EQ(m_scripts.size(), 1u);
    EXPECT_TRUE(m_manager->Running().empty());
}

TEST_F(ScriptManager, ADestroyedScriptLeavesEveryList) {
    Add("W", "WaitForEvent EVENT_MOUSE_DOWN");
    Add("R", "loop: j loop");
    Frame();
    m_manager->Restart(*m_scripts["R"]);
    m_manager->Restart(*m_scripts["W"]);
    ASSERT_EQ(
        m_manager->Running().size() + m_manager->Pending().size() + m_manager->Waiting().size(),
        4u);
    m_scripts.clear();
    EXPECT_TRUE(m_manager->Running().empty());
    EXPECT_TRUE(m_manager->Pending().empty());
    EXPECT_TRUE(m_manager->Waiting().empty());
    m_manager->RaiseEvent(CScriptManager::kEventMouseDown);
    Frame();
}

TEST_F(ScriptManager, ScriptsMayOutliveTheManager) {
    Add("W", "WaitForEvent EVENT_MOUSE_DOWN");
    Add("R", "loop: j loop");
    Frame();
    m_manager->Restart(*m_scripts["R"]);
    m_manager.reset();
    m_scripts.clear();  // must not reach the manager that is gone
}

TEST_F(ScriptManager, AScriptWhoseFileDidNotOpenNeverRuns) {
    CScript script(nullptr);
    m_manager->Restart(script);
    EXPECT_TRUE(m_manager->Pending().empty());
    EXPECT_EQ(script.Run(m_game), StepResult::Done);
}
