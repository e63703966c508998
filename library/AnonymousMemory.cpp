#include "library/AnonymousMemory.h"

#include <sys/mman.h>

uint8_t* MapAnonymousMemory(size_t size) {
    void* mapping = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapping == MAP_FAILED)
        return nullptr;
    madvise(mapping, size, MADV_HUGEPAGE); // only a hint; fine when refused
    return static_cast<uint8_t*>(mapping);
}

void UnmapAnonymousMemory(uint8_t* bytes, size_t size) {
    if (bytes)
        munmap(bytes, size);
}
