#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The tables of one load (or one playlist view) in a single anonymous
// mapping, laid out back to back and released together.
class TableMemory {
public:
    // One table to place: where its pointer goes, how many rows it has, and
    // whether real files fill only a few of them whatever its bounds allow.
    template <typename T> struct Table {
        T*& rows;
        uint64_t count;
        bool fewRows;
    };
    template <typename T> static Table<T> Rows(T*& rows, uint64_t count) {
        return {rows, count, false};
    }
    // A reservation keeps such a table on small pages: a huge page is
    // taken and cleared whole at its first write, two megabytes for a few
    // kilobytes of playlists.
    template <typename T> static Table<T> FewRows(T*& rows, uint64_t count) {
        return {rows, count, true};
    }

    TableMemory() = default;
    ~TableMemory() { Release(); }
    TableMemory(const TableMemory&) = delete;
    TableMemory& operator=(const TableMemory&) = delete;

    // Replaces any earlier tables, in the same mapping when they fit in it
    // and it was allocated, not reserved, so that rebuilding a view does not
    // map and clear memory each time. No
    // table may exceed what the 32-bit format could ever describe; a larger
    // one comes from a hostile file and is refused rather than allocated
    // short. False when refused or out of memory: the pointers are left
    // alone, and the earlier tables may be gone.
    template <typename... T> bool Allocate(Table<T>... tables) {
        if (!Lay(Mapping::Reused, true, tables...))
            return false;
        (std::uninitialized_default_construct_n(tables.rows, size_t(tables.count)), ...);
        return true;
    }
    // As Allocate, for tables sized by bounds far above what they will
    // hold: always a fresh mapping, whose rows are zero bytes and are
    // written before they are read, so only the pages written take memory;
    // huge pages only when asked for (see MapAnonymousMemory). Allocate
    // never reuses such a mapping, as its rows would land on other pages and
    // leave these taken.
    template <typename... T> bool Reserve(bool hugePages, Table<T>... tables) {
        return Lay(Mapping::Fresh, hugePages, tables...);
    }
    void Release();

private:
    enum class Mapping { Reused, Fresh };
    template <typename... T> bool Lay(Mapping mapping, bool hugePages, Table<T>... tables) {
        size_t offsets[sizeof...(T)];
        size_t size = 0;
        size_t i = 0;
        const bool fits = (Place(size, offsets[i++], alignof(T), sizeof(T), tables.count) && ...);
        if (!fits || !Map(size, mapping, hugePages))
            return false;
        i = 0;
        ((tables.rows = reinterpret_cast<T*>(bytes + offsets[i++])), ...);
        if (mapping == Mapping::Fresh && hugePages)
            (KeepOnSmallPages(tables.fewRows, tables.rows, sizeof(T) * tables.count), ...);
        return true;
    }
    static void KeepOnSmallPages(bool fewRows, void* rows, size_t size);
    static bool Place(size_t& size, size_t& offset, size_t align, size_t rowSize, uint64_t count);
    bool Map(size_t size, Mapping mapping, bool hugePages);

    uint8_t* bytes = nullptr;
    size_t length = 0;
    bool reusable = false;
};
