#pragma once
// The search for a key stream that wins a level, over Pellik's decisions: at
// each moment he can take a new action, one of the choices a player has (an
// arrow, an arrow with fire, fire alone held until a red disk is laid, or no
// key for 16 or 64 ticks), held until he can decide again or the game ends.
// States already met are not expanded again. Breadth-first finds the fewest
// decisions and proves "none with fewer"; the guided search (quarkels still
// needed, the way to the nearest quarkel or the exit) goes on where that no
// longer fits, within budgets of decisions, seconds and memory.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/level/level.h"
#include "support/level_run.h"

namespace KV_Solve {

// What a decision did: walking (base and quarkels eaten on the way, the exit
// entered, falls under gravity) and the rest.
enum class Kind : uint8_t { Walk, Push, Port, Use, Eat, Lay, Wait };
constexpr int KIND_COUNT = 7;
const char* kind_name(Kind kind);

struct Decision {
    int32_t mask;
    uint32_t ticks;
    Kind kind;
};

enum class Search { Auto, Breadth, Guided };

struct Options {
    Search search = Search::Auto;
    // Only plain walks: no push, fire, port, use or wait.
    bool walk_only = false;
    uint64_t max_decisions = 2'000'000;
    double max_seconds = 600;
    uint64_t max_memory = uint64_t(2) << 30;
    int threads = 1;
    // The ticks of the "no key" choices.
    std::vector<uint32_t> waits = {16, 64};
    // The guided search's weight of the way still to go against the decisions made.
    int weight = 2;
};

enum class Outcome { Solved, Unwinnable, OutOfBudget };

struct Result {
    Outcome outcome = Outcome::OutOfBudget;
    std::vector<Decision> decisions;
    uint64_t ticks = 0;
    uint64_t expanded = 0;      // decisions run
    uint64_t states = 0;        // distinct states met
    uint64_t state_bytes = 0;   // their stored bytes, summed
    uint64_t peak_memory = 0;   // of the search's tables at their largest
    // No stream of this many decisions or fewer wins (every one was tried).
    uint32_t no_win_within = 0;
    // The solution was found breadth-first: none has fewer decisions.
    bool shortest = false;
    std::string spent;  // the budget that ran out: "decisions", "seconds" or "memory"
    double seconds = 0;

    std::vector<KV_KeyRun> keys() const;
};

// A fresh conversion of the level, seeded with the search's seed; called once
// for the start and once per thread.
using FieldMaker = std::function<std::shared_ptr<KV_Level>()>;

Result solve(const FieldMaker& make_field, const Options& options);

// Plays the keys on a fresh field: the tick the exit was reached, or 0.
uint64_t winning_tick(const std::shared_ptr<KV_Level>& field, const std::vector<KV_KeyRun>& keys);

}  // namespace KV_Solve
