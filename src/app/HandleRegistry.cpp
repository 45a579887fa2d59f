#include "app/HandleRegistry.h"

#include "app/Assert.h"
#include "app/Log.h"

uint32_t CHandleRegistry::Register(void* object, HandleKind kind) {
    TABI_ASSERT(object && kind != HandleKind::None && "only a live object of a kind has a handle");
    uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        if (m_slots.size() >= kIndexMask) {
            CLog::Write("CHandleRegistry::Register() more than %u live objects", kIndexMask - 1);
            return 0;
        }
        index = static_cast<uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot& slot = m_slots[index];
    slot.object = object;
    slot.kind = kind;
    ++m_live;
    return (uint32_t{slot.generation} << kIndexBits) | (index + 1);
}

void CHandleRegistry::Unregister(uint32_t handle) {
    const uint32_t index = (handle & kIndexMask) - 1;  // the null handle wraps out of range
    if (index >= m_slots.size()) return;
    Slot& slot = m_slots[index];
    if (!slot.object || slot.generation != (handle >> kIndexBits)) return;
    slot.object = nullptr;
    slot.kind = HandleKind::None;
    --m_live;
    // A slot whose generations are used up is retired rather than wrapped, so
    // no handle ever names a second object: a story that makes and frees an
    // object 4095 times costs one 16-byte slot.
    if (++slot.generation == kGenerationLimit) return;
    m_free.push_back(index);
}

void* CHandleRegistry::Lookup(uint32_t handle, HandleKind kind) const {
    const uint32_t index = (handle & kIndexMask) - 1;
    if (index >= m_slots.size()) return nullptr;
    const Slot& slot = m_slots[index];
    if (!slot.object || slot.kind != kind || slot.generation != (handle >> kIndexBits))
        return nullptr;
    return slot.object;
}
