// Frames per second of the game's picture (field and HUD, flipped) in an
// 800 x 600 window: a 60 x 24 field with an object in every cell, and the
// shipped 256 x 256 level at the busiest moment of its demo (the most objects
// at work around Pellik). Run under an X server from anywhere:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/karvolt_draw_bench
#include <benchmark/benchmark.h>

#include <ClanLib/Core/System/error.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "foundation/bts_folder.h"
#include "game/draw/game_window.h"
#include "game/play/demo.h"
#include "game/play/game.h"
#include "game/level/level_base.h"
#include "game/level/levelset_registry.h"
#include "game/play/game.h"
#include "support/field_from_text.h"

namespace {

KV_GameWindow* g_window = nullptr;

// Every kind of object, no empty cell: the most a 60 x 24 view can ask for.
std::vector<std::string> dense_picture() {
    const std::string kinds = "#.OqRETyroB-|+<>^vGe";
    std::vector<std::string> rows(24, std::string(60, '.'));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x) rows[size_t(y)][size_t(x)] = kinds[size_t((x * 7 + y * 3) % kinds.size())];
    rows[12][30] = 'P';
    return rows;
}

void draw_frames(benchmark::State& state, KV_Game& game) {
    double fraction = 0;
    for (auto _ : state) {
        g_window->draw(game, fraction, 50);
        g_window->flip();
        fraction = fraction >= 1.75 ? 0 : fraction + 0.25;
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DrawDense60x24(benchmark::State& state) {
    TestField f = FieldFromText(dense_picture());
    draw_frames(state, f.game);
}
BENCHMARK(BM_DrawDense60x24)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawKinds(benchmark::State& state) {
    const std::string kinds = std::string("#.OqRETyroB-|+<>^vGe").substr(0, size_t(state.range(0)));
    std::vector<std::string> rows(24, std::string(60, '.'));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x) rows[size_t(y)][size_t(x)] = kinds[size_t((x * 7 + y * 3) % kinds.size())];
    rows[12][30] = 'P';
    TestField f = FieldFromText(rows);
    draw_frames(state, f.game);
}
BENCHMARK(BM_DrawKinds)->Arg(1)->Arg(2)->Arg(3)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// Objects at work (neither empty nor resting) in the window's share of the
// field around Pellik: what a frame has to animate.
int busy_cells(const KV_Level& level) {
    int busy = 0;
    for (int32_t y = level.get_player_y() - 10; y <= level.get_player_y() + 10; ++y)
        for (int32_t x = level.get_player_x() - 13; x <= level.get_player_x() + 13; ++x)
            if (x >= 0 && y >= 0 && x < level.get_width() && y < level.get_height())
                for (int l = 1; l < KV_LAYER_COUNT; ++l) {
                    const KV_Cell& c = level.at(l, x, y);
                    busy += c.type != 0 && !c.has(CF_STATIC);
                }
    return busy;
}

void BM_DrawLevel256x256(benchmark::State& state) {
    const auto set = open_levelset("Levels/karvolt_wide.hxm");
    int number = -1;
    for (int i = 0; set && i < set->GetCount() && number < 0; ++i) {
        const auto record = set->GetLevel(i);
        const auto field = record ? record->ToGenericLevel() : nullptr;
        if (field && field->get_width() == 256 && field->get_height() == 256) number = i;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Levels/solutions/karvolt_wide_%02d.kvd", number);
    Qx::BtsFolder tree;
    const std::shared_ptr<KV_Demo> demo = number >= 0 && tree.load(name) ? KV_Demo::Load(tree) : nullptr;
    if (!demo) {
        state.SkipWithError("no 256 x 256 level with a demo in Levels/karvolt_wide.hxm");
        return;
    }
    // Once through to find the busiest tick, then again up to it.
    KV_PlayHost headless;
    demo->Restart();
    int64_t tick = 0, busiest = 0;
    int most = -1;
    while (demo->TickNext(headless)) {
        ++tick;
        const int busy = busy_cells(*demo->GetGame().get_level());
        if (busy > most) most = busy, busiest = tick;
    }
    demo->Restart();
    for (int64_t t = 0; t < busiest && demo->TickNext(headless); ++t) {
    }
    state.counters["tick"] = double(busiest);
    state.counters["busy"] = double(most);
    draw_frames(state, demo->GetGame());
}
BENCHMARK(BM_DrawLevel256x256)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (chdir(KARVOLT_SOURCE_DIR "/data") != 0) return 1;
    try {
        install_rules();
        KV_GameWindow window("karvolt drawing benchmark");
        g_window = &window;
        benchmark::RunSpecifiedBenchmarks();
        g_window = nullptr;
    } catch (const CL_Error& e) {
        std::fprintf(stderr, "no game window: %s\n", e.message.c_str());
        return 1;
    }
    return 0;
}
