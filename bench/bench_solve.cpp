// The solver's costs on a classic 60 x 24 level with falling grobbles and
// quarkels, enemies and base: decisions run per second by the guided search on
// one thread and on every core, one state's restore, encoding and hash against
// one logic tick, and the bytes a stored state takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "solve/solver.h"
#include "solve/state.h"
#include "support/field_from_text.h"

namespace {

// Base everywhere but in the enemies' pockets; grobbles and quarkels rest on
// it and fall as Pellik eats the way; the exit lies out of reach behind
// hardware, so the search never ends early.
std::vector<std::string> busy_level() {
    std::vector<std::string> rows(24, std::string(60, '.'));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x) {
            if (x == 0 || y == 0 || x == 59 || y == 23) rows[y][x] = '#';
            else if ((x * 7 + y * 3) % 11 == 0) rows[y][x] = 'O';
            else if ((x * 5 + y * 13) % 17 == 0) rows[y][x] = 'q';
        }
    // Pockets where a gnarrow and an electron circle.
    for (int px : {12, 30, 48})
        for (int py : {5, 16}) {
            for (int y = py; y < py + 3; ++y)
                for (int x = px; x < px + 5; ++x) rows[y][x] = ' ';
            rows[py + 1][px + 2] = '#';
            rows[py][px] = (px + py) % 2 ? 'G' : 'e';
        }
    rows[2][2] = 'P';
    rows[2][3] = rows[3][2] = rows[3][3] = '.';
    rows[21][57] = 'E';
    rows[20][56] = rows[20][57] = rows[20][58] = rows[21][56] = rows[21][58] = rows[22][57] = '#';
    return rows;
}

KV_Solve::FieldMaker maker() {
    return [] {
        std::shared_ptr<KV_Level> level = FieldFromText(busy_level()).level;
        level->set_random_seed(1);
        return level;
    };
}

void BM_SolveDecisions(benchmark::State& state) {
    KV_Solve::Options o;
    o.search = KV_Solve::Search::Guided;
    o.threads = state.range(0) ? int(state.range(0)) : int(std::max(1u, std::thread::hardware_concurrency()));
    o.max_decisions = uint64_t(state.range(1));
    uint64_t decisions = 0, states = 0, bytes = 0, peak = 0;
    double seconds = 0;
    for (auto _ : state) {
        const KV_Solve::Result r = KV_Solve::solve(maker(), o);
        decisions += r.expanded;
        states += r.states;
        bytes += r.state_bytes;
        seconds += r.seconds;
        peak = std::max(peak, r.peak_memory / std::max<uint64_t>(1, r.states));
    }
    state.counters["threads"] = o.threads;
    state.counters["decisions_per_s"] = double(decisions) / seconds;
    // A state's own bytes, and all the search's tables at their largest shared among the states.
    state.counters["bytes_per_state"] = double(bytes) / double(states);
    state.counters["memory_per_state"] = double(peak);
}
BENCHMARK(BM_SolveDecisions)->Args({1, 20000})->Args({0, 80000})->Unit(benchmark::kMillisecond)->UseRealTime();

// A state some way into the level: Pellik has eaten a path and things fell.
struct MidGame {
    std::shared_ptr<KV_Level> start_level = maker()();
    KV_Solve::StartField start{start_level};
    KV_Solve::Worker worker{start, maker()()};
    std::vector<uint8_t> bytes;
    MidGame() {
        for (int32_t keys : {4, 4, 4, 8, 8, 4, 4, 8, 8, 8, 1, 8, 4, 4, 4, 4})
            for (int t = 0; t < 16; ++t) {
                *worker.level().get_input() = keys;
                worker.game().process();
            }
        worker.encode(bytes);
    }
};

void BM_StateRestoreEncodeHash(benchmark::State& state) {
    MidGame g;
    std::vector<uint8_t> out;
    for (auto _ : state) {
        g.worker.restore(g.bytes.data(), g.bytes.size());
        out.clear();
        g.worker.encode(out);
        benchmark::DoNotOptimize(KV_Solve::state_hash(out.data(), out.size()));
    }
    state.counters["state_bytes"] = double(g.bytes.size());
}
BENCHMARK(BM_StateRestoreEncodeHash);

void BM_TickOfTheSameLevel(benchmark::State& state) {
    MidGame g;
    for (auto _ : state) {
        *g.worker.level().get_input() = 0;
        g.worker.game().process();
    }
}
BENCHMARK(BM_TickOfTheSameLevel);

}  // namespace
