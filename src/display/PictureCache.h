#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

class CTexture;

// The decoded pictures of a run, one per file, under a memory budget. Each
// picture object lives as long as the cache (sprites borrow it), but its
// pixels are let go, least recently used first, when the pixels held pass
// the budget; a picture used in the frame being trimmed, the one on screen,
// keeps them. A picture whose pixels went is "resident" again from its next
// use, and the backend decodes it again when it next draws it. Owned by the
// displayer.
class CPictureCache {
public:
    using Release = std::function<void(const CTexture&)>;

    explicit CPictureCache(size_t budgetBytes);
    CPictureCache(const CPictureCache&) = delete;
    CPictureCache& operator=(const CPictureCache&) = delete;
    ~CPictureCache();

    // Null when the file was never loaded.
    const CTexture* Find(const std::string& path) const;
    const CTexture* Add(const std::string& path, std::unique_ptr<CTexture> texture, uint32_t frame);
    // Loaded or drawn in `frame`; a texture the cache does not hold is ignored.
    void Use(const CTexture* texture, uint32_t frame);
    // Lets pixels go until the budget holds, sparing what `frame` used.
    void Trim(uint32_t frame, const Release& release);

    size_t ResidentBytes() const { return m_residentBytes; }
    size_t Count() const { return m_byPath.size(); }
    bool IsResident(const CTexture* texture) const;

private:
    struct Entry {
        std::unique_ptr<CTexture> texture;
        size_t bytes = 0;
        uint32_t lastUse = 0;
        bool resident = true;
    };
    Entry* Oldest(uint32_t frame);
    Entry* EntryOf(const CTexture* texture);

    // Every picture on screen is looked up in every frame; these slots keep
    // the last ones found, which spares the hash table's division per picture.
    // Entries are never removed, so a slot never goes stale.
    struct Recent {
        const CTexture* texture = nullptr;
        Entry* entry = nullptr;
    };

    size_t m_budget;
    size_t m_residentBytes = 0;
    std::map<std::string, Entry> m_byPath;                    // owns the pictures
    std::unordered_map<const CTexture*, Entry*> m_byTexture;  // lookup only
    std::array<Recent, 64> m_recent{};
};
