#pragma once

// Walks a collection: First, then CurrentItem and Next until IsDone.
template <typename T>
class CIterator {
public:
    virtual ~CIterator() = default;
    virtual void First() {}
    virtual void Next() {}
    virtual T* CurrentItem() const = 0;
    virtual bool IsDone() const = 0;
};
