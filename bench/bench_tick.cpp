// Cost of one logic tick on fields of growing size, against a bare sweep that
// reads every cell of the four layers four times (what the tick's two passes
// and two flag clears cannot avoid).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "game/objects/interfaces.h"
#include "support/field_from_text.h"

namespace {

// Walls round the border and on a grid, base everywhere else.
std::vector<std::string> static_picture(int w, int h) {
    std::vector<std::string> rows(size_t(h), std::string(size_t(w), '.'));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1 || (x % 7 == 3 && y % 5 == 2)) rows[y][x] = '#';
    return rows;
}

uint32_t sweep(const KV_Level& level) {
    uint32_t acc = 0;
    const int w = level.get_width(), h = level.get_height();
    for (int pass = 0; pass < 4; ++pass)
        for (int l = 0; l < KV_LAYER_COUNT; ++l) {
            const KV_Cell* layer = level.layer_data(l);
            for (int y = 0; y < h; ++y) {
                const KV_Cell* row = layer + level.index(0, y);
                for (int x = 0; x < w; ++x) acc += row[x].flags;
            }
        }
    return acc;
}

double seconds_per_sweep(const KV_Level& level, int64_t n) {
    const auto start = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < n; ++i) benchmark::DoNotOptimize(sweep(level));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / double(n);
}

void report(benchmark::State& state, const KV_Level& level, double tick_seconds) {
    const double cells = double(level.get_width()) * level.get_height();
    state.counters["cells"] = cells;
    state.counters["ns_per_cell"] = tick_seconds * 1e9 / cells;
    state.counters["vs_sweep"] = tick_seconds / seconds_per_sweep(level, state.iterations());
    state.counters["ticks_per_s"] = 1.0 / tick_seconds;
}

void BM_TickStatic(benchmark::State& state) {
    const int side_w = int(state.range(0)), side_h = int(state.range(1));
    TestField f = FieldFromText(static_picture(side_w, side_h));
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) f.game.process();
    const double per_tick =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / double(state.iterations());
    report(state, *f.level, per_tick);
}
BENCHMARK(BM_TickStatic)->Args({60, 24})->Args({128, 128})->Args({256, 256});

void BM_BareSweep(benchmark::State& state) {
    TestField f = FieldFromText(static_picture(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) benchmark::DoNotOptimize(sweep(*f.level));
}
BENCHMARK(BM_BareSweep)->Args({60, 24})->Args({128, 128})->Args({256, 256});

// Rooms of 10 x 6 cells, each with two enemies circling it, an Electron and a
// Gnarrow on the way, a bug, and an orange disk, a yellow disk, a Quarkel and a
// Grobble resting on supports they never leave: every object runs its entry
// every tick and nothing ever blows up, so the field stays in its steady state.
const char* const kMixRoom[6] = {
    "##########",
    "# o y q O#",
    "# . . ..R#",
    "#     G  #",
    "#e  G   B#",
    "##########",
};

std::vector<std::string> moving_picture(int w, int h) {
    std::vector<std::string> rows(size_t(h), std::string(size_t(w), '#'));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) rows[y][x] = kMixRoom[y % 6][x % 10];
    return rows;
}

int enemies_in(const KV_Level& level) {
    int n = 0;
    for (int y = 0; y < level.get_height(); ++y)
        for (int x = 0; x < level.get_width(); ++x) {
            const KV_Cell& c = level.at(KV_LAYER_MOVERS, x, y);
            n += c.is(KV_ObjectType::Electron) || c.is(KV_ObjectType::Gnarrow);
        }
    return n;
}

void BM_TickDenseMix(benchmark::State& state) {
    TestField f = FieldFromText(moving_picture(int(state.range(0)), int(state.range(1))));
    const int enemies = enemies_in(*f.level);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) f.game.process();
    const double per_tick =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / double(state.iterations());
    if (enemies_in(*f.level) != enemies) state.SkipWithError("the mix did not stay in its steady state");
    report(state, *f.level, per_tick);
    state.counters["enemies"] = enemies;
}
BENCHMARK(BM_TickDenseMix)->Args({60, 24})->Args({120, 120})->Args({250, 252});

}  // namespace

BENCHMARK_MAIN();
