#pragma once
#include <memory>
#include <string_view>
#include <vector>

// An ordered registry of named objects that owns them. Lookup walks from the
// first registered and answers the first exact, case-sensitive name match.
template <typename T>
class CRegistry {
public:
    CRegistry() = default;
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    T* Add(std::unique_ptr<T> object) {
        m_objects.push_back(std::move(object));
        return m_objects.back().get();
    }
    T* Find(std::string_view name) const {
        for (const auto& object : m_objects)
            if (object->Name() == name) return object.get();
        return nullptr;
    }
    // Releases the objects in registration order.
    void Clear() {
        for (auto& object : m_objects)
            object.reset();
        m_objects.clear();
    }

private:
    std::vector<std::unique_ptr<T>> m_objects;
};
