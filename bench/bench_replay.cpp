// Headless replay of demos: every shipped solution demo, and a ten-minute game
// (30,000 ticks at speed 50) on a classic level with enemies about, which must
// replay in well under a second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "foundation/bts_folder.h"
#include "game/play/demo.h"

namespace {

const std::string kSolutions = std::string(KARVOLT_SOURCE_DIR) + "/data/Levels/solutions/";

std::shared_ptr<KV_Demo> load_demo(const std::string& path) {
    Qx::BtsFolder tree;
    return tree.load(path) ? KV_Demo::Load(tree) : nullptr;
}

// Replays the demo once per iteration; reports ticks per second of play.
void replay(benchmark::State& state, const std::shared_ptr<KV_Demo>& demo) {
    if (!demo) {
        state.SkipWithError("the demo does not load");
        return;
    }
    KV_PlayHost headless;
    int64_t ticks = 0;
    double seconds = 0;
    for (auto _ : state) {
        demo->Restart();  // the conversion is part of every replay
        const auto start = std::chrono::steady_clock::now();
        while (demo->TickNext(headless)) ++ticks;
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["ticks"] = double(ticks) / double(state.iterations());
    state.counters["ticks_per_s"] = double(ticks) / seconds;
    if (demo->GetState() != GR_FINISHED) state.counters["unsolved"] = 1;
}

void BM_ReplayShippedDemo(benchmark::State& state, const std::string& name) {
    replay(state, load_demo(kSolutions + name));
}

// The "Freeze" level's solution, then standing still by the exit until ten
// minutes have passed, with the enemies still on their rounds.
void BM_ReplayTenMinuteGame(benchmark::State& state) {
    const std::shared_ptr<KV_Demo> solved = load_demo(kSolutions + "karvolt_11.kvd");
    if (!solved) {
        state.SkipWithError("the demo does not load");
        return;
    }
    KV_KeyStream keys = solved->GetKeyStream();
    for (uint64_t t = keys.tick_count(); t < 30000; ++t) keys.record(0);
    replay(state, std::make_shared<KV_Demo>(solved->GetLevel(), keys, solved->GetRandomSeed()));
}
BENCHMARK(BM_ReplayTenMinuteGame)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (const char* set : {"karvolt_%02d.kvd", "karvolt_wide_%02d.kvd"})
        for (int i = 0; i < 12; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, set, i);
            Qx::BtsFolder probe;
            if (!probe.load(kSolutions + name)) continue;
            benchmark::RegisterBenchmark((std::string("BM_ReplayShippedDemo/") + name).c_str(), BM_ReplayShippedDemo,
                                         std::string(name))
                ->Unit(benchmark::kMillisecond);
        }
    return true;
}();

}  // namespace
