#pragma once
// The direction mask of every logic tick of a game, run-length coded, and its
// replay tick by tick. With the level and the seed it is the whole of a demo.
#include <cstddef>
#include <cstdint>
#include <vector>

class KV_KeyStream {
public:
    struct Entry {
        uint16_t key;    // a direction mask
        uint16_t count;  // consecutive ticks with it; 1..65535 when recorded
        bool operator==(const Entry& o) const { return key == o.key && count == o.count; }
    };
    static constexpr uint16_t MAX_COUNT = 0xffff;
    static constexpr size_t ENTRY_BYTES = 4;

    // Copies carry the replay position with the entries.
    KV_KeyStream() = default;

    // One tick's mask (its low 16 bits).
    void record(uint32_t mask);
    void clear();
    // Back to the first tick; the first entry is loaded at once.
    void rewind();
    // Nothing left to replay. Stored entries of count 0 hold no tick, so trailing
    // ones do not keep a replay from ending.
    bool at_end() const;
    // The mask of the next tick; 0 at the end, with nothing changed.
    uint16_t next_key();

    // 4 bytes an entry, key then count, both little-endian; no header.
    bool to_bytes(std::vector<uint8_t>& out) const;
    // A size that is not a multiple of 4 is refused and changes nothing. A stream
    // read in starts before its first tick, so a replay cannot run past its end.
    bool from_bytes(const std::vector<uint8_t>& in);

    const std::vector<Entry>& entries() const { return entries_; }
    // Ticks the stream holds.
    uint64_t tick_count() const;

private:
    std::vector<Entry> entries_;
    uint32_t index_ = 0;  // entries already loaded
    uint16_t current_key_ = 0;
    uint16_t remaining_ = 0;
};
