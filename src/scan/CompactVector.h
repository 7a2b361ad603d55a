#pragma once
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <utility>

// A vector for the million small lists of a big folder tree: one block of
// elements with a 32-bit count and capacity, 16 bytes where std::vector
// takes 24, and no spare room left once ShrinkToFit has run. Iterators are
// plain pointers, valid until the next push_back or ShrinkToFit.
template <class T>
class TCompactVector {
public:
    TCompactVector() = default;
    TCompactVector(TCompactVector&& other) noexcept
        : Items(std::move(other.Items)),
          Count(std::exchange(other.Count, 0)),
          Capacity(std::exchange(other.Capacity, 0)) {}
    TCompactVector& operator=(TCompactVector&& other) noexcept {
        Items = std::move(other.Items);
        Count = std::exchange(other.Count, 0);
        Capacity = std::exchange(other.Capacity, 0);
        return *this;
    }

    size_t size() const { return Count; }
    size_t capacity() const { return Capacity; }
    bool empty() const { return Count == 0; }

    T& operator[](size_t index) { return Items[index]; }
    const T& operator[](size_t index) const { return Items[index]; }
    T& back() { return Items[Count - 1]; }

    T* begin() { return Items.get(); }
    T* end() { return Items.get() + Count; }
    const T* begin() const { return Items.get(); }
    const T* end() const { return Items.get() + Count; }
    std::reverse_iterator<T*> rbegin() { return std::reverse_iterator<T*>(end()); }
    std::reverse_iterator<T*> rend() { return std::reverse_iterator<T*>(begin()); }
    std::reverse_iterator<const T*> rbegin() const { return std::reverse_iterator<const T*>(end()); }
    std::reverse_iterator<const T*> rend() const { return std::reverse_iterator<const T*>(begin()); }

    void push_back(T item) {
        if (Count == Capacity) Reallocate(Capacity == 0 ? 1 : GrownCapacity());
        Items[Count++] = std::move(item);
    }

    // Removes the element at `at` and returns the position of the one after it.
    T* erase(T* at) {
        std::move(at + 1, end(), at);
        Items[--Count] = T();
        return at;
    }

    void clear() {
        Items.reset();
        Count = Capacity = 0;
    }

    void ShrinkToFit() {
        if (Capacity != Count) Reallocate(Count);
    }

private:
    uint32_t GrownCapacity() const {
        if (Capacity > UINT32_MAX / 2) throw std::length_error("TCompactVector");
        return Capacity * 2;
    }

    void Reallocate(uint32_t capacity) {
        std::unique_ptr<T[]> items(capacity == 0 ? nullptr : new T[capacity]);
        std::move(begin(), end(), items.get());
        Items = std::move(items);
        Capacity = capacity;
    }

    std::unique_ptr<T[]> Items;
    uint32_t Count = 0;
    uint32_t Capacity = 0;
};
