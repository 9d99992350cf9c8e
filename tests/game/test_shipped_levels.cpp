// The level sets we ship: they load through the registry, match their text
// sources, hold every kind of object, and each level is won by its stored
// solution, which ships as a demo file that replays it to the exit.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <algorithm>
#include <string>
#include <vector>

#include "game/level/level.h"
#include "game/level/level_base.h"
#include "game/level/level_writer.h"
#include "game/level/levelset_registry.h"
#include "game/play/demo.h"
#include "game/play/game.h"
#include "foundation/temp_dir.h"
#include "play_support.h"

namespace {

const std::string kLevels = std::string(KARVOLT_SOURCE_DIR) + "/data/Levels/";

struct ShippedSet {
    const char* stem;
    const char* extension;
};
const ShippedSet kSets[] = {{"karvolt", "dat"}, {"karvolt_wide", "hxm"}};

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::shared_ptr<KV_Level> converted(const KV_LevelSetBase& set, int i) {
    const std::shared_ptr<KV_LevelBase> record = set.GetLevel(i);
    return record ? record->ToGenericLevel() : nullptr;
}

// One line of a solution file: "LEVEL SEED KEYS TICKS", keys as MASKxCOUNT runs.
struct Solution {
    int level = -1;
    uint32_t seed = 0;
    std::vector<std::pair<int32_t, int>> runs;
    int ticks = 0;
};

std::vector<Solution> read_solutions(const std::string& path) {
    std::vector<Solution> out;
    std::istringstream lines(read_file(path));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        Solution s;
        std::string keys;
        fields >> s.level >> s.seed >> keys >> s.ticks;
        std::istringstream items(keys);
        std::string item;
        while (std::getline(items, item, ',')) {
            const size_t x = item.find('x');
            s.runs.push_back({std::stoi(item.substr(0, x)), std::stoi(item.substr(x + 1))});
        }
        out.push_back(s);
    }
    return out;
}

TEST(ShippedLevels, SetsLoadWithTheirSizes) {
    const auto classic = open_levelset(kLevels + "karvolt.dat");
    ASSERT_TRUE(classic);
    EXPECT_GE(classic->GetCount(), 12);
    for (int i = 0; i < classic->GetCount(); ++i) {
        const auto level = converted(*classic, i);
        ASSERT_TRUE(level) << "classic level " << i;
        EXPECT_EQ(level->get_width(), 60);
        EXPECT_EQ(level->get_height(), 24);
    }

    const auto extended = open_levelset(kLevels + "karvolt_wide.hxm");
    ASSERT_TRUE(extended);
    EXPECT_GE(extended->GetCount(), 4);
    bool largest = false;
    for (int i = 0; i < extended->GetCount(); ++i) {
        const auto level = converted(*extended, i);
        ASSERT_TRUE(level) << "extended level " << i;
        EXPECT_FALSE(level->get_width() == 60 && level->get_height() == 24) << "extended level " << i;
        largest |= level->get_width() == 256 && level->get_height() == 256;
    }
    EXPECT_TRUE(largest) << "no 256 x 256 level";
}

// The committed binaries are what the level compiler makes of the sources.
TEST(ShippedLevels, FilesMatchTheirSources) {
    for (const ShippedSet& s : kSets) {
        KV_LevelSetDraft draft;
        std::string error;
        ASSERT_TRUE(kv_parse_level_source(read_file(kLevels + "src/" + s.stem + ".txt"), draft, error))
            << s.stem << ": " << error;
        const std::vector<uint8_t> bytes = kv_encode_levelset(draft);
        const std::string shipped = read_file(kLevels + s.stem + "." + s.extension);
        EXPECT_TRUE(std::string(bytes.begin(), bytes.end()) == shipped) << s.stem << " differs from its source";
    }
}

// The classic set teaches every object a level can hold, and a special port.
TEST(ShippedLevels, ClassicSetHoldsEveryKind) {
    using T = KV_ObjectType;
    const auto classic = open_levelset(kLevels + "karvolt.dat");
    ASSERT_TRUE(classic);
    std::set<T> seen;
    bool special_port = false;
    for (int i = 0; i < classic->GetCount(); ++i) {
        const auto record = classic->GetLevel(i);
        special_port |= dynamic_cast<KV_TorvaneLevelBase&>(*record).GetSpecialPortCount() > 0;
        const auto level = record->ToGenericLevel();
        ASSERT_TRUE(level);
        for (int l = 0; l < KV_LAYER_COUNT; ++l)
            for (int32_t y = 0; y < level->get_height(); ++y)
                for (int32_t x = 0; x < level->get_width(); ++x) seen.insert(T(level->at(l, x, y).type));
    }
    for (T t : {T::Hardware, T::Pellik, T::Base, T::Grobble, T::RAM, T::Quarkel, T::Exit, T::Terminal,
                T::Disk_Yellow, T::Disk_Red, T::Disk_Orange, T::Bug, T::Port_U_To_D, T::Port_D_To_U,
                T::Port_L_To_R, T::Port_R_To_L, T::Port_Horizontal, T::Port_Vertical, T::Port_Cross,
                T::Gnarrow, T::Electron, T::Pellik_Static, T::Invisible_Wall})
        EXPECT_TRUE(seen.count(t)) << "no level holds object type " << type_code(t);
    EXPECT_TRUE(special_port);
}

// A new game is seeded from the clock, so a solution must win whatever the
// seed: the stored one and a handful of others (one other for the extended
// set, whose expedition alone runs over thirty thousand ticks).
TEST(ShippedLevels, EveryLevelIsWonByItsSolutionWithAnySeed) {
    for (const ShippedSet& s : kSets) {
        const auto set = open_levelset(kLevels + s.stem + "." + s.extension);
        ASSERT_TRUE(set);
        const std::vector<Solution> solutions = read_solutions(kLevels + "solutions/" + s.stem + ".txt");
        std::set<int> solved;
        for (const Solution& sol : solutions) {
            const std::vector<uint32_t> seeds = std::string(s.stem) == "karvolt"
                                                    ? std::vector<uint32_t>{sol.seed, 2, 5, 17, 4242, 0x9e3779b9u}
                                                    : std::vector<uint32_t>{sol.seed, 0x9e3779b9u};
            for (const uint32_t seed : seeds) {
                const auto level = converted(*set, sol.level);
                ASSERT_TRUE(level) << s.stem << " level " << sol.level;
                level->set_random_seed(seed);
                KV_Game game;
                game.set_level(level);
                int tick = 0;
                for (const auto& run : sol.runs)
                    for (int k = 0; k < run.second && tick < sol.ticks; ++k, ++tick) {
                        *level->get_input() = run.first;
                        game.process();
                    }
                const int32_t state = level->get_status()->get_state();
                EXPECT_TRUE(state & GS_EXIT_REACHED)
                    << s.stem << " level " << sol.level << " seed " << seed << " ends in state " << state;
                EXPECT_FALSE(state & GS_PLAYER_DESTROYED) << s.stem << " level " << sol.level << " seed " << seed;
            }
            solved.insert(sol.level);
        }
        EXPECT_EQ(int(solved.size()), set->GetCount()) << s.stem << ": a level has no solution";
    }
}

// The solution's masks, one a tick, as the game records them.
KV_KeyStream solution_keys(const Solution& sol) {
    KV_KeyStream keys;
    int tick = 0;
    for (const auto& run : sol.runs)
        for (int k = 0; k < run.second && tick < sol.ticks; ++k, ++tick) keys.record(uint32_t(run.first));
    return keys;
}

std::string demo_path(const ShippedSet& s, int level) {
    char name[16];
    std::snprintf(name, sizeof name, "_%02d.kvd", level);
    return kLevels + "solutions/" + s.stem + name;
}

// Every solution with its set, for the demo tests.
template <typename Fn>
void for_each_solution(Fn&& fn) {
    for (const ShippedSet& s : kSets) {
        const auto set = open_levelset(kLevels + s.stem + "." + s.extension);
        ASSERT_TRUE(set);
        for (const Solution& sol : read_solutions(kLevels + "solutions/" + s.stem + ".txt")) {
            SCOPED_TRACE(std::string(s.stem) + " level " + std::to_string(sol.level));
            fn(s, *set, sol);
        }
    }
}

}  // namespace

// The committed demo of each level is exactly what the level and its solution
// make now, so a changed level or solution without new demos fails here.
TEST(ShippedDemos, EachIsItsLevelsSolution) {
    for_each_solution([](const ShippedSet& s, const KV_LevelSetBase& set, const Solution& sol) {
        const std::string path = demo_path(s, sol.level);
        Qx::BtsFolder tree;
        ASSERT_TRUE(tree.load(path)) << path;
        const auto demo = KV_Demo::Load(tree);
        ASSERT_TRUE(demo);
        std::vector<uint8_t> record;
        demo->GetLevel()->GetData(record);
        EXPECT_TRUE(record == set.records().at(size_t(sol.level))) << "the demo holds another level";
        EXPECT_EQ(demo->GetKeyStream().entries(), solution_keys(sol).entries());
        EXPECT_EQ(demo->GetRandomSeed(), sol.seed);
        EXPECT_EQ(demo->GetLevelset(), std::string(s.stem) + "." + s.extension);
        EXPECT_EQ(demo->GetLevelNumber(), sol.level);

        KV_Demo fresh(set.GetLevel(sol.level), solution_keys(sol), sol.seed);
        fresh.SetLevelset(demo->GetLevelset());
        fresh.SetLevelNumber(sol.level);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(fresh.Save()->save_to_memory(bytes));
        EXPECT_TRUE(bytes == test_support::read_file(path)) << path << " is not what the solution makes";
    });
}

TEST(ShippedDemos, ReplayToTheExitTheSameWayEveryTime) {
    for_each_solution([](const ShippedSet& s, const KV_LevelSetBase&, const Solution& sol) {
        Qx::BtsFolder tree;
        ASSERT_TRUE(tree.load(demo_path(s, sol.level)));
        const auto demo = KV_Demo::Load(tree);
        ASSERT_TRUE(demo);

        // As the play screen replays it: frame by frame until the keys are used up.
        play_support::FakeClock clock;
        demo->SetClock(clock.clock());
        play_support::ScriptedHost host;
        KV_GameResult result = GR_RUNNING;
        while ((result = demo->RunFrame(host)) == GR_RUNNING) clock.ms += 100;
        EXPECT_EQ(result, GR_FINISHED);
        EXPECT_EQ(host.sound_calls, sol.ticks);

        // A big field is digested every so many ticks, so each demo costs about
        // as much as a classic one; play is compared tick for tick all the same.
        const KV_Level& field = *demo->GetGame().get_level();
        const int every = std::max(1, field.get_width() * field.get_height() / (60 * 24));
        const std::vector<uint64_t> first = play_support::replay_digests(*demo, every);
        EXPECT_EQ(int(first.size()), (sol.ticks + every - 1) / every);
        EXPECT_EQ(play_support::replay_digests(*demo, every), first) << "a second replay differs";
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(demo->Save()->save_to_memory(bytes));
        Qx::BtsFolder back;
        ASSERT_TRUE(back.load_from_memory(bytes.data(), bytes.size()));
        const auto reloaded = KV_Demo::Load(back);
        ASSERT_TRUE(reloaded);
        EXPECT_EQ(play_support::replay_digests(*reloaded, every), first) << "the saved and loaded demo differs";
    });
}

TEST(ShippedDemos, EveryLevelHasOne) {
    for (const ShippedSet& s : kSets) {
        const auto set = open_levelset(kLevels + s.stem + "." + s.extension);
        ASSERT_TRUE(set);
        for (int i = 0; i < set->GetCount(); ++i)
            EXPECT_TRUE(test_support::exists(demo_path(s, i))) << demo_path(s, i);
    }
}
