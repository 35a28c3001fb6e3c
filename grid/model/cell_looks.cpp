#include "grid/model/cell_looks.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace lattix::looks_table {

namespace {

constexpr uint32_t kMaxChunks = 1u << 12; // at most 16,777,216 distinct looks

struct LooksHash {
    size_t operator()(const CellLooks& l) const noexcept {
        // FNV-1a over the bytes; the struct has no padding.
        unsigned char bytes[sizeof(CellLooks)];
        std::memcpy(bytes, &l, sizeof bytes);
        uint64_t h = 1469598103934665603ull;
        for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
        return static_cast<size_t>(h ^ (h >> 29));
    }
};

// Chunk 0 is static and holds entry 0, the default looks, so that reading it never depends on setup
// order between translation units.
CellLooks firstChunk[kChunkSize];
CellLooks* chunkTable[kMaxChunks] = {firstChunk};

struct Table {
    std::mutex lock;
    std::unordered_map<CellLooks, uint32_t, LooksHash> numbers{{CellLooks{}, 0u}};
    uint32_t count = 1;
};

Table& TheTable() {
    // Never destroyed: cells in static objects may still be read while the process ends.
    static Table* table = new Table;
    return *table;
}

} // namespace

const CellLooks* const* chunks = chunkTable;

uint32_t Intern(const CellLooks& looks) {
    if (looks == CellLooks{}) return 0;
    Table& t = TheTable();
    std::lock_guard<std::mutex> hold(t.lock);
    if (auto it = t.numbers.find(looks); it != t.numbers.end()) return it->second;
    const uint32_t id = t.count;
    const uint32_t chunk = id >> kChunkBits;
    if (chunk >= kMaxChunks) throw std::bad_alloc();
    t.numbers.emplace(looks, id); // may throw, before anything else changed
    if (chunkTable[chunk] == nullptr) {
        try {
            chunkTable[chunk] = new CellLooks[kChunkSize];
        } catch (...) {
            t.numbers.erase(looks);
            throw;
        }
    }
    chunkTable[chunk][id & (kChunkSize - 1)] = looks;
    // Publish the entry before its number can be read by another thread through a cell.
    std::atomic_thread_fence(std::memory_order_release);
    t.count = id + 1;
    return id;
}

} // namespace lattix::looks_table
