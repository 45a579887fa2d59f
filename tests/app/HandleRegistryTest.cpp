#include "app/HandleRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Thing {
    static constexpr HandleKind kHandleKind = HandleKind::Entity;
};
struct Other {
    static constexpr HandleKind kHandleKind = HandleKind::Sprite;
};

}  // namespace

// Scripts hold handles in registers next to plain numbers: no small number,
// and no handle gone stale or of another kind, finds anything; and however
// often a slot is reused, no handle ever names a second object.
TEST(HandleRegistry, AHandleFindsOnlyItsOwnLiveObject) {
    CHandleRegistry registry;
    Thing a, b;
    const uint32_t ha = registry.Register(&a, HandleKind::Entity);
    EXPECT_EQ(registry.Find<Thing>(ha), &a);
    EXPECT_EQ(registry.Find<Other>(ha), nullptr);  // right slot, wrong kind
    for (uint32_t number : {0u, 1u, 2u, 100u, 0xFFFFFu, 0xFFFFFFFFu})
        EXPECT_EQ(registry.Find<Thing>(number), nullptr) << number;
    registry.Unregister(ha);
    EXPECT_EQ(registry.Find<Thing>(ha), nullptr);
    const uint32_t hb = registry.Register(&b, HandleKind::Entity);  // reuses the slot
    EXPECT_NE(ha, hb);
    EXPECT_EQ(registry.Find<Thing>(ha), nullptr);
    EXPECT_EQ(registry.Find<Thing>(hb), &b);
    registry.Unregister(ha);  // a stale handle cannot free the new owner
    EXPECT_EQ(registry.Find<Thing>(hb), &b);
    registry.Unregister(hb);

    std::vector<uint32_t> used{ha, hb};
    for (uint32_t i = 0; i < CHandleRegistry::kGenerationLimit + 3; ++i) {
        const uint32_t h = registry.Register(&a, HandleKind::Entity);
        ASSERT_NE(h >> CHandleRegistry::kIndexBits, 0u);
        ASSERT_EQ(registry.Find<Thing>(h), &a);
        used.push_back(h);
        registry.Unregister(h);
    }
    std::sort(used.begin(), used.end());
    EXPECT_EQ(std::adjacent_find(used.begin(), used.end()), used.end());
    EXPECT_EQ(registry.LiveCount(), 0u);
}
