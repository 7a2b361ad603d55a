#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

size_t LiveBytes = 0;

// Every block carries its size in front, so delete knows what it returns.
constexpr size_t kHeader = alignof(std::max_align_t);

void* Allocate(size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block) throw std::bad_alloc();
    *static_cast<size_t*>(block) = size;
    LiveBytes += size;
    return static_cast<char*>(block) + kHeader;
}

void Release(void* p) {
    if (!p) return;
    void* block = static_cast<char*>(p) - kHeader;
    LiveBytes -= *static_cast<size_t*>(block);
    std::free(block);
}

}  // namespace

size_t LiveHeapBytes() { return LiveBytes; }

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
