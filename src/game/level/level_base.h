#pragma once
// The level objects that come out of level-set files, before they become a
// playing field: the two interfaces every level implements, the abstract level
// set, and the byte sources the sets read from.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class KV_Level;

// Stored in demo files as "level_type".
enum KV_LevelType : int {
    KV_LEVEL_CLASSIC = 0,
    KV_LEVEL_EXTENDED = 1,
};

// The rules a level runs under: 1 current, 0 the older rules with unpredictable bugs.
constexpr int KV_LEVEL_REVISION_OLD = 0;
constexpr int KV_LEVEL_REVISION_CURRENT = 1;
inline bool kv_is_level_revision(int revision) {
    return revision == KV_LEVEL_REVISION_OLD || revision == KV_LEVEL_REVISION_CURRENT;
}

// A port that switches gravity and the freezes when the player passes it.
struct KV_SpecialPort {
    int32_t x = 0;
    int32_t y = 0;
    bool gravity = false;
    bool freeze_grobbles = false;
    bool freeze_enemies = false;

    bool operator==(const KV_SpecialPort& o) const {
        return x == o.x && y == o.y && gravity == o.gravity && freeze_grobbles == o.freeze_grobbles &&
               freeze_enemies == o.freeze_enemies;
    }
};

class KV_LevelBase {
public:
    virtual ~KV_LevelBase() = default;
    virtual int GetType() const = 0;
    virtual int GetRevision() const = 0;
    virtual std::string GetTitle() const = 0;
    // A fresh field with its own run-time context; empty when the level cannot be played.
    virtual std::shared_ptr<KV_Level> ToGenericLevel() const = 0;
    // False when no record is stored; otherwise out becomes a copy of the raw record.
    virtual bool GetData(std::vector<uint8_t>& out) const = 0;
    // Parses one record; a refused record leaves the object as it was.
    virtual bool Load(const std::vector<uint8_t>& record) = 0;
    // A new, empty object of the same class; empty for a revision other than 0 and 1.
    virtual std::shared_ptr<KV_LevelBase> Create(int revision) const = 0;
};

// The read side of a level's content, which the converter works through.
class KV_TorvaneLevelBase {
public:
    virtual ~KV_TorvaneLevelBase() = default;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual int GetQuarkelsNeeded() const = 0;
    virtual bool GetGravity() const = 0;
    virtual bool GetFreezeGrobbles() const = 0;
    virtual int GetSpecialPortCount() const = 0;
    virtual int GetInfoByte5() const = 0;
    virtual std::vector<KV_SpecialPort> GetSpecialPorts() const = 0;
    // No bounds check: callers keep 0 <= x < width and 0 <= y < height.
    virtual int GetTile(int x, int y) const = 0;
    virtual void SetTile(int x, int y, uint8_t code) = 0;
    virtual bool IsBugUnpredictable() const = 0;
    // Number of tile bytes held, so the converter can refuse a level whose tiles
    // do not cover width x height.
    virtual size_t GetTileCount() const = 0;

    // The playing field of a level; empty for a null source or too few tiles.
    static std::shared_ptr<KV_Level> ConvertToGenericLevel(const KV_TorvaneLevelBase* source);
};

// Where a level set's bytes come from: a file, or memory (fuzzing, tests).
class KV_ByteSource {
public:
    virtual ~KV_ByteSource() = default;
    // Bytes copied into dst, fewer than n only at the end of the data or on an error.
    virtual size_t read(uint8_t* dst, size_t n) = 0;
    // Bytes left to read, so a reader can refuse a length the data cannot hold
    // before it allocates for it.
    virtual uint64_t remaining() const = 0;
};

class KV_MemorySource : public KV_ByteSource {
public:
    KV_MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t read(uint8_t* dst, size_t n) override;
    uint64_t remaining() const override { return size_ - pos_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

using KV_LevelRecords = std::vector<std::vector<uint8_t>>;

class KV_LevelSetBase {
public:
    // A file holding more levels than this is refused whole; a player's progress
    // in a set holds no more states either.
    static constexpr int MAX_LEVELS = 65536;

    virtual ~KV_LevelSetBase() = default;
    virtual int GetCount() const { return int(records_.size()); }
    // A fresh level object built from record i; empty outside 0..count-1 or when
    // the record does not load.
    virtual std::shared_ptr<KV_LevelBase> GetLevel(int i) const = 0;
    // Empties the set, then reads the file. A failed load leaves the set empty.
    virtual bool Load(const std::string& path);
    // The same reading over any byte source; the file load goes through it.
    virtual bool LoadFrom(KV_ByteSource& source) = 0;
    virtual std::shared_ptr<KV_LevelSetBase> Create() const = 0;

    const KV_LevelRecords& records() const { return records_; }

protected:
    // The record at i, or null outside the set.
    const std::vector<uint8_t>* record_at(int i) const {
        return (i >= 0 && size_t(i) < records_.size()) ? &records_[size_t(i)] : nullptr;
    }

    KV_LevelRecords records_;
};
