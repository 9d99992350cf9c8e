#pragma once
// A game state the search can store and go back to: the cells that differ
// from the level's start, Pellik's cell and position, the status block and
// the generator's draw count (with the seed that is its whole state). What
// only the drawing reads (Pellik's pose, his idle counter and last direction
// while he stands ready, the moves count, the tick's sounds) is cleared, so
// states that play alike are stored alike.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/level/level.h"
#include "game/play/game.h"

namespace KV_Solve {

// The converted level at its start, seeded, with its cells' done marks
// cleared: what stored states are told apart from.
class StartField {
public:
    explicit StartField(std::shared_ptr<KV_Level> level);
    const KV_Level& level() const { return *level_; }
    uint32_t seed() const { return seed_; }
    int32_t layer_cells() const { return layer_cells_; }

private:
    std::shared_ptr<KV_Level> level_;
    uint32_t seed_;
    int32_t layer_cells_;
};

// 64-bit hash of a stored state's bytes.
uint64_t state_hash(const uint8_t* data, size_t size);

// A working game on its own field, set to stored states and run on from them.
// Each search thread has one.
class Worker {
public:
    // `field` is a fresh conversion of the same level as the start.
    Worker(const StartField& start, std::shared_ptr<KV_Level> field);

    KV_Level& level() { return *field_; }
    KV_Game& game() { return game_; }

    // Clears what only the drawing reads, then appends the state's bytes to out.
    void encode(std::vector<uint8_t>& out);
    // The field as it was when `data` was encoded.
    void restore(const uint8_t* data, size_t size);

private:
    const StartField& start_;
    std::shared_ptr<KV_Level> field_;
    KV_Game game_;
    // Cells (layer * layer_cells + index) where the field may differ from the start.
    std::vector<uint32_t> dirty_;
};

}  // namespace KV_Solve
