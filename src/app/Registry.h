#pragma once
#include <memory>
#include <vector>

// Owns the game's modes or controllers, in the order they were added. The game
// keeps typed borrowed pointers to what it adds, so nothing is looked up by name.
template <typename T>
class CRegistry {
public:
    CRegistry() = default;
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    template <typename U>
    U* Add(std::unique_ptr<U> object) {
        U* added = object.get();
        m_objects.push_back(std::move(object));
        return added;
    }
    // Releases the objects in the order they were added.
    void Clear() {
        for (auto& object : m_objects)
            object.reset();
        m_objects.clear();
    }

private:
    std::vector<std::unique_ptr<T>> m_objects;
};
