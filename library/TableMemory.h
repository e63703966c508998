#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The tables of one load (or one playlist view) in a single anonymous
// mapping, laid out back to back and released together. Each table starts
// in default-constructed rows.
class TableMemory {
public:
    // One table to place: where its pointer goes, and how many rows it has.
    template <typename T> struct Table {
        T*& rows;
        uint64_t count;
    };
    template <typename T> static Table<T> Rows(T*& rows, uint64_t count) { return {rows, count}; }

    TableMemory() = default;
    ~TableMemory() { Release(); }
    TableMemory(const TableMemory&) = delete;
    TableMemory& operator=(const TableMemory&) = delete;

    // Replaces any earlier tables, in the same mapping when they fit in it,
    // so that rebuilding a view does not map and clear memory each time. No
    // table may exceed what the 32-bit format could ever describe; a larger
    // one comes from a hostile file and is refused rather than allocated
    // short. False when refused or out of memory: the pointers are left
    // alone, and the earlier tables may be gone.
    template <typename... T> bool Allocate(Table<T>... tables) {
        size_t offsets[sizeof...(T)];
        size_t size = 0;
        size_t i = 0;
        const bool fits = (Place(size, offsets[i++], alignof(T), sizeof(T), tables.count) && ...);
        if (!fits || !Map(size))
            return false;
        i = 0;
        ((tables.rows = Construct<T>(offsets[i++], tables.count)), ...);
        return true;
    }
    void Release();

private:
    static bool Place(size_t& size, size_t& offset, size_t align, size_t rowSize, uint64_t count);
    bool Map(size_t size);
    template <typename T> T* Construct(size_t offset, uint64_t count) {
        T* rows = reinterpret_cast<T*>(bytes + offset);
        std::uninitialized_default_construct_n(rows, static_cast<size_t>(count));
        return rows;
    }

    uint8_t* bytes = nullptr;
    size_t length = 0;
};
