#include "display/PictureCache.h"

#include "platform/Texture.h"

namespace {

size_t BytesOf(const CTexture& texture) {
    return static_cast<size_t>(texture.Width()) * static_cast<size_t>(texture.Height()) * 4;
}

}  // namespace

CPictureCache::CPictureCache(size_t budgetBytes) : m_budget(budgetBytes) {}

CPictureCache::~CPictureCache() = default;

const CTexture* CPictureCache::Find(const std::string& path) const {
    auto found = m_byPath.find(path);
    return found == m_byPath.end() ? nullptr : found->second.texture.get();
}

const CTexture* CPictureCache::Add(const std::string& path, std::unique_ptr<CTexture> texture,
                                   uint32_t frame) {
    const CTexture* added = texture.get();
    Entry& entry = m_byPath[path];
    entry.bytes = BytesOf(*texture);
    entry.lastUse = frame;
    entry.texture = std::move(texture);
    m_residentBytes += entry.bytes;
    m_byTexture[added] = &entry;
    return added;
}

// Null for a texture the cache does not hold (a null one included).
CPictureCache::Entry* CPictureCache::EntryOf(const CTexture* texture) {
    // Fibonacci hashing: the top bits of the product spread nearby addresses.
    constexpr uint64_t kGolden = 0x9E3779B97F4A7C15;
    constexpr int kSlotBits = 6;
    static_assert(size_t{1} << kSlotBits == std::tuple_size_v<decltype(m_recent)>);
    Recent& slot = m_recent[(reinterpret_cast<uintptr_t>(texture) * kGolden) >> (64 - kSlotBits)];
    if (slot.texture == texture) return slot.entry;
    auto found = m_byTexture.find(texture);
    if (found == m_byTexture.end()) return nullptr;
    slot = {texture, found->second};
    return found->second;
}

void CPictureCache::Use(const CTexture* texture, uint32_t frame) {
    Entry* found = EntryOf(texture);
    if (!found) return;
    Entry& entry = *found;
    entry.lastUse = frame;
    if (!entry.resident) m_residentBytes += entry.bytes;
    entry.resident = true;
}

bool CPictureCache::IsResident(const CTexture* texture) const {
    auto found = m_byTexture.find(texture);
    return found != m_byTexture.end() && found->second->resident;
}

// A linear search: a story has hundreds of pictures at most, and it runs only
// while the budget is passed.
CPictureCache::Entry* CPictureCache::Oldest(uint32_t frame) {
    Entry* oldest = nullptr;
    for (auto& [path, entry] : m_byPath)
        if (entry.resident && entry.lastUse != frame &&
            (!oldest || entry.lastUse < oldest->lastUse))
            oldest = &entry;
    return oldest;
}

void CPictureCache::Trim(uint32_t frame, const Release& release) {
    while (m_residentBytes > m_budget) {
        Entry* oldest = Oldest(frame);
        if (!oldest) return;  // all of it is on screen
        release(*oldest->texture);
        oldest->resident = false;
        m_residentBytes -= oldest->bytes;
    }
}
