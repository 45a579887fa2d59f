#include "display/RenderItem.h"

#include <sanitizer/asan_interface.h>  // no-ops unless the build sanitizes addresses

#include <new>

namespace {

// A freed item's memory holds the link to the next one. Each thread keeps its
// own list; the game thread is the one that draws.
struct FreeItem {
    FreeItem* next;
};
static_assert(sizeof(FreeItem) <= sizeof(RenderItem));

thread_local FreeItem* t_freeItems = nullptr;

}  // namespace

// A kept item is poisoned for AddressSanitizer past its link, so a use after
// its delete is still caught (the link stays readable: the leak checker
// follows no pointer held in poisoned memory).
void* RenderItem::operator new(size_t size) {
    if (size != sizeof(RenderItem) || !t_freeItems) return ::operator new(size);
    FreeItem* item = t_freeItems;
    ASAN_UNPOISON_MEMORY_REGION(item + 1, sizeof(RenderItem) - sizeof(FreeItem));
    t_freeItems = item->next;
    return item;
}

// The list only grows to the most items a frame has had at once.
void RenderItem::operator delete(void* block, size_t size) noexcept {
    if (size != sizeof(RenderItem)) return ::operator delete(block);
    FreeItem* item = new (block) FreeItem{t_freeItems};
    ASAN_POISON_MEMORY_REGION(item + 1, sizeof(RenderItem) - sizeof(FreeItem));
    t_freeItems = item;
}
