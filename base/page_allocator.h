#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <new>

namespace quillon::odds {

// Memory straight from the system, a page at a time, and given back to it when let go: for the
// pieces of a large table that live a short while beside it, which the heap would keep after
// they are freed.
template <class T>
struct PageAllocator {
    using value_type = T;

    PageAllocator() = default;
    template <class U>
    explicit PageAllocator(const PageAllocator<U>&) {}

    T* allocate(std::size_t n) {
        void* p = ::mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) { ::munmap(p, n * sizeof(T)); }

    template <class U>
    bool operator==(const PageAllocator<U>&) const {
        return true;
    }
};

}  // namespace quillon::odds
