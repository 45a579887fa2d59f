#pragma once
#include "world/Iterator.h"

#include <cstddef>
#include <memory>
#include <vector>

class CEntity;

// Walks the scene's entities in drawing order (largest depth first). A new
// iterator stands on the first entity already. Callers make a fresh one for
// every walk and do not change the scene while walking.
class CEntityIterator : public CIterator<CEntity> {
public:
    explicit CEntityIterator(const std::vector<std::unique_ptr<CEntity>>& entities)
        : m_entities(&entities) {}

    void First() override { m_cursor = 0; }
    void Next() override {
        if (!IsDone()) ++m_cursor;
    }
    CEntity* CurrentItem() const override {
        return IsDone() ? nullptr : (*m_entities)[m_cursor].get();
    }
    bool IsDone() const override { return m_cursor >= m_entities->size(); }

private:
    const std::vector<std::unique_ptr<CEntity>>* m_entities;  // the scene's list
    size_t m_cursor = 0;
};
