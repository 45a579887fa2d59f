#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// What a handle may name. A handle found with the wrong kind finds nothing.
enum class HandleKind : uint8_t { None = 0, Entity = 1, Sprite = 2 };

// Hands out the 32-bit handles that script registers carry instead of
// addresses: the low 20 bits are a slot index plus one, the high 12 bits the
// slot's generation. Freeing a slot bumps its generation, so a stale handle
// finds nothing (a slot is retired before its generation would repeat); 0 is
// the null handle, and a small number (generation 0)
// never names an object. Objects register themselves when made and
// unregister when destroyed; the registry never owns them.
class CHandleRegistry {
public:
    static constexpr uint32_t kIndexBits = 20;
    static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
    static constexpr uint32_t kGenerationLimit = 1u << (32 - kIndexBits);

    CHandleRegistry() = default;
    CHandleRegistry(const CHandleRegistry&) = delete;
    CHandleRegistry& operator=(const CHandleRegistry&) = delete;

    uint32_t Register(void* object, HandleKind kind);
    void Unregister(uint32_t handle);

    template <typename T>
    T* Find(uint32_t handle) const {
        return static_cast<T*>(Lookup(handle, T::kHandleKind));
    }
    size_t LiveCount() const { return m_live; }

private:
    struct Slot {
        void* object = nullptr;
        uint16_t generation = 1;
        HandleKind kind = HandleKind::None;
    };
    void* Lookup(uint32_t handle, HandleKind kind) const;

    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_free;  // freed slot indexes, reused last-freed first
    size_t m_live = 0;
};
