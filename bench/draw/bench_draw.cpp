// Frames per second of the game's picture (field and HUD, flipped) in an
// 800 x 600 window: a 60 x 24 field with an object in every cell, and the
// shipped 256 x 256 level. Run under an X server from anywhere:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/karvolt_draw_bench
#include <benchmark/benchmark.h>

#include <ClanLib/Core/System/error.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/draw/game_window.h"
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

void BM_DrawLevel256x256(benchmark::State& state) {
    const auto set = open_levelset("Levels/karvolt_wide.hxm");
    std::shared_ptr<KV_LevelBase> record = set ? set->GetLevel(3) : nullptr;
    std::shared_ptr<KV_Level> level = record ? record->ToGenericLevel() : nullptr;
    if (!level || level->get_width() != 256) {
        state.SkipWithError("no 256 x 256 level in Levels/karvolt_wide.hxm");
        return;
    }
    KV_Game game;
    game.set_level(level);
    for (int i = 0; i < 100; ++i) game.process();  // things under way
    draw_frames(state, game);
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
