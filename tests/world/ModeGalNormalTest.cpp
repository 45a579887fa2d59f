#include "world/ModeGalNormal.h"

#include "app/HandleRegistry.h"
#include "controllers/Controller.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "support/GameHarness.h"
#include "support/TempStory.h"
#include "world/EntityIterator.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The innermost link of a chain, keeping what the mode submits.
class CCaptureController : public CController {
public:
    using CController::CController;
    void Submit(std::unique_ptr<RenderItem> item) override { items.push_back(*item); }
    std::vector<RenderItem> items;
};

class ModeGalNormal : public ::testing::Test {
protected:
    ModeGalNormal() { m_mode.SetController(&m_capture); }
    static const CTempStory& Written(const CTempStory& story) {
        story.WriteScript("start.txt", "");
        story.WriteSpriteImages(0);
        return story;
    }
    CSprite* Add(const std::string& name, float x = 0) {
        auto sprite = m_harness.Game().GetDatabase().LoadSprite(0);
        sprite->SetName(name);
        sprite->m_x = x;
        CSprite* kept = sprite.get();
        m_mode.AddSprite(std::move(sprite));
        return kept;
    }
    // The names of the sprites in the order Draw submits them.
    std::string Drawn() {
        m_capture.items.clear();
        m_mode.Draw();
        std::string names;
        for (const RenderItem& item : m_capture.items) {
            const auto found = m_byX.find(item.x);
            names += (found == m_byX.end() ? std::string("?") : found->second) + " ";
        }
        return names;
    }
    CSprite* AddNamed(const std::string& name) {
        const float x = static_cast<float>(m_byX.size() + 1);
        m_byX[x] = name;
        return Add(name, x);
    }
    size_t DeletedLines() const {
        const std::string log = m_harness.Log();
        size_t count = 0;
        for (size_t at = log.find("Sprite Deleted\n"); at != std::string::npos;
             at = log.find("Sprite Deleted\n", at + 1))
            ++count;
        return count;
    }

    CTempStory m_story;
    CGameHarness m_harness{Written(m_story)};
    CModeGalNormal m_mode{m_harness.Game()};
    CCaptureController m_capture{m_harness.Game()};
    std::map<float, std::string> m_byX;  // each sprite is told apart by its x
};

}  // namespace

// Deleting from the head, the middle and the tail must leave the list whole:
// later additions still go last and are drawn on top.
TEST_F(ModeGalNormal, DeletingAnywhereKeepsTheDrawingOrder) {
    CSprite* one = AddNamed("one");
    CSprite* two = AddNamed("two");
    CSprite* three = AddNamed("three");
    EXPECT_EQ(Drawn(), "one two three ");
    m_mode.DeleteSprite(two);
    EXPECT_EQ(Drawn(), "one three ");
    m_mode.DeleteSprite(three);
    AddNamed("four");
    EXPECT_EQ(Drawn(), "one four ");
    m_mode.DeleteSprite(one);
    AddNamed("five");
    EXPECT_EQ(Drawn(), "four five ");
    EXPECT_EQ(DeletedLines(), 3u);
    EXPECT_EQ(m_mode.SpriteCount(), 2u);
}

// The deleted sprite is destroyed: its handle finds nothing any more. A
// sprite that is not in the list is left alone, without a log line.
TEST_F(ModeGalNormal, DeleteDestroysOnlyWhatTheListHolds) {
    CSprite* listed = AddNamed("listed");
    const uint32_t handle = listed->Handle();
    auto stranger = m_harness.Game().GetDatabase().LoadSprite(0);
    m_mode.DeleteSprite(stranger.get());
    m_mode.DeleteSprite(nullptr);
    EXPECT_EQ(DeletedLines(), 0u);
    EXPECT_EQ(m_mode.SpriteCount(), 1u);
    m_mode.DeleteSprite(listed);
    EXPECT_EQ(m_harness.Game().Handles().Find<CSprite>(handle), nullptr);
    EXPECT_EQ(m_mode.SpriteCount(), 0u);
    EXPECT_EQ(m_harness.Game().Handles().Find<CSprite>(stranger->Handle()), stranger.get());
}

TEST_F(ModeGalNormal, GetSpriteAnswersTheFirstOfAName) {
    CSprite* first = AddNamed("same");
    AddNamed("same");
    const std::string longName(40, 'L');
    CSprite* longOne = AddNamed(longName);
    EXPECT_EQ(m_mode.GetSprite("same"), first);
    EXPECT_EQ(m_mode.GetSprite("Same"), nullptr) << "names compare case and all";
    EXPECT_EQ(m_mode.GetSprite("sam"), nullptr);
    EXPECT_EQ(m_mode.GetSprite(""), nullptr);
    EXPECT_EQ(m_mode.GetSprite(longName), longOne) << "looked up by the name it was given";
    EXPECT_EQ(m_mode.GetSprite(std::string(31, 'L')), longOne);
    m_mode.DeleteSprite(first);
    EXPECT_NE(m_mode.GetSprite("same"), nullptr);
    EXPECT_NE(m_mode.GetSprite("same"), first);
}

// Clean empties the list and destroys every sprite; the mode has no entities
// to touch.
TEST_F(ModeGalNormal, CleanDestroysEverySprite) {
    std::vector<uint32_t> handles;
    for (const char* name : {"a", "b", "c"})
        handles.push_back(AddNamed(name)->Handle());
    m_mode.Clean();
    EXPECT_EQ(Drawn(), "");
    for (uint32_t handle : handles)
        EXPECT_EQ(m_harness.Game().Handles().Find<CSprite>(handle), nullptr);
    EXPECT_EQ(DeletedLines(), 0u) << "only DeleteSprite writes the line";
    EXPECT_EQ(m_mode.CreateEntityIterator(), nullptr);
    EXPECT_EQ(m_mode.FindEntityByName("a"), nullptr);
}
