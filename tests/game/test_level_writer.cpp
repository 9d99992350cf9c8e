// The level compiler: text sources become records that the real loaders read
// back as drawn, and a faulty source is refused with the line at fault.
#include <gtest/gtest.h>

#include <string>

#include "game/level/level_base.h"
#include "game/level/level_writer.h"
#include "game/level/levelset_registry.h"

namespace {

std::string rows(int w, int h, const std::string& inside_first_row) {
    std::string out(size_t(w), '#');
    out += "\n";
    for (int y = 1; y < h - 1; ++y) {
        std::string row = "#" + std::string(size_t(w - 2), ' ') + "#";
        if (y == 1) row.replace(1, inside_first_row.size(), inside_first_row);
        out += row + "\n";
    }
    return out + std::string(size_t(w), '#') + "\n";
}

std::shared_ptr<KV_LevelSetBase> compile_and_load(const std::string& source, const char* extension) {
    KV_LevelSetDraft draft;
    std::string error;
    EXPECT_TRUE(kv_parse_level_source(source, draft, error)) << error;
    const std::vector<uint8_t> bytes = kv_encode_levelset(draft);
    auto set = find_levelset_format(std::string("x.") + extension);
    KV_MemorySource src(bytes.data(), bytes.size());
    EXPECT_TRUE(set && set->LoadFrom(src));
    return set;
}

TEST(LevelCompiler, ClassicLevelReadsBackAsDrawn) {
    const std::string source = "format: classic\nlevel:\ntitle: Two\nquota: 3\ngravity: on\nfreeze: on\n"
                               "port: 4 1 gravity freeze-enemies\nmap:\n" +
                               rows(60, 24, "Pq.>O") + "end\nlevel:\ntitle: Second\nmap:\n" + rows(60, 24, "qqP") + "end\n";
    const auto set = compile_and_load(source, "dat");
    ASSERT_TRUE(set);
    ASSERT_EQ(set->GetCount(), 2);
    const auto level = set->GetLevel(0);
    ASSERT_TRUE(level);
    auto& content = dynamic_cast<KV_TorvaneLevelBase&>(*level);
    EXPECT_EQ(level->GetTitle(), "Two" + std::string(20, ' '));
    EXPECT_EQ(content.GetQuarkelsNeeded(), 3);
    EXPECT_TRUE(content.GetGravity());
    EXPECT_TRUE(content.GetFreezeGrobbles());
    const int expected[] = {3, 4, 2, 13, 1, 0};  // the port under a special port is the switchable kind
    for (int x = 1; x <= 6; ++x) EXPECT_EQ(content.GetTile(x, 1), expected[x - 1]) << "column " << x;
    ASSERT_EQ(content.GetSpecialPortCount(), 1);
    const KV_SpecialPort port = content.GetSpecialPorts()[0];
    EXPECT_EQ(port.x, 4);
    EXPECT_EQ(port.y, 1);
    EXPECT_TRUE(port.gravity && port.freeze_enemies && !port.freeze_grobbles);

    const auto second = set->GetLevel(1);
    ASSERT_TRUE(second);
    EXPECT_EQ(dynamic_cast<KV_TorvaneLevelBase&>(*second).GetQuarkelsNeeded(), 2);  // quota 0 counts them
}

TEST(LevelCompiler, ExtendedLevelsOfBothHeaderVersions) {
    for (const char* format : {"extended", "extended-blank"}) {
        const std::string source = std::string("format: ") + format + "\nlegend: x = 40\nlevel:\ntitle: Small\nmap:\n" +
                                   rows(7, 3, "P x") + "end\nlevel:\nmap:\n" + rows(256, 256, "P") + "end\n";
        const auto set = compile_and_load(source, "hxm");
        ASSERT_TRUE(set) << format;
        ASSERT_EQ(set->GetCount(), 2) << format;
        const auto small = set->GetLevel(0);
        ASSERT_TRUE(small);
        auto& c = dynamic_cast<KV_TorvaneLevelBase&>(*small);
        EXPECT_EQ(c.GetWidth(), 7);
        EXPECT_EQ(c.GetHeight(), 3);
        EXPECT_EQ(c.GetTile(3, 1), 40) << format;
        const auto large = set->GetLevel(1);
        ASSERT_TRUE(large);
        EXPECT_EQ(dynamic_cast<KV_TorvaneLevelBase&>(*large).GetWidth(), 256);
    }
}

TEST(LevelCompiler, FaultySourcesNameTheLine) {
    const std::string good_map = "map:\n" + rows(5, 3, "P") + "end\n";
    struct Case {
        std::string source;
        const char* error;
    };
    const Case cases[] = {
        {"level:\n" + good_map, "line 1: a 'format:' line comes before the first level"},
        {"format: round\n", "line 1: unknown format 'round'"},
        {"format: extended\n", "line 1: the source holds no level"},
        {"format: classic\nlevel:\n" + good_map, "line 3: the map is 5 x 3, a classic map is 60 x 24"},
        {"format: extended\nlevel:\ntitle: " + std::string(24, 'a') + "\n" + good_map,
         "line 3: the title is longer than 23 characters"},
        {"format: extended\nlevel:\nquota: 256\n" + good_map, "line 3: the quota is a number 0..255"},
        {"format: extended\nlevel:\nmap:\n#####\n#P Z#\n#####\nend\n", "line 5: unknown map character 'Z'"},
        {"format: extended\nlevel:\nmap:\n#####\n#P  #\n## ##\nend\n", "line 6: the outer ring of the map must be '#'"},
        {"format: extended\nlevel:\nmap:\n" + rows(5, 3, "") + "end\n", "line 7: the level has no player 'P'"},
        {"format: extended\nlevel:\nport: 2 1\n" + good_map, "line 3: a special port must lie on a one-way port tile"},
        {"format: extended\nlevel:\nport: 4 1\n" + good_map, "line 3: the special port lies outside the field's inside"},
        {"format: extended\nlevel:\nmap:\n#####\n#P  #\n", "line 5: the map has no 'end'"},
    };
    for (const Case& c : cases) {
        KV_LevelSetDraft draft;
        draft.levels.resize(1);
        std::string error;
        EXPECT_FALSE(kv_parse_level_source(c.source, draft, error)) << c.source;
        EXPECT_EQ(error, c.error) << c.source;
        EXPECT_EQ(draft.levels.size(), 1u) << "a refused source changed the output";
    }
}

}  // namespace
