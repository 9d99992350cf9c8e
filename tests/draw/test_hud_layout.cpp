// The HUD's texts, places and colours.
#include <gtest/gtest.h>

#include "game/draw/hud_layout.h"

namespace {

TEST(HudLayout, RowsOfAnEightHundredBySixHundredWindow) {
    KV_LevelStatus s;
    s.set_quarkels_needed(12);
    for (int i = 0; i < 3; ++i) s.inc_quarkels();
    s.set_gravity();
    s.set_moves(57);
    const std::vector<KV_HudText> texts = kv_hud_layout(s, 50, 600);
    const struct {
        int font;
        int32_t x, y;
        const char* text;
    } want[] = {
        {HUD_STATUS_FONT, 10, 560, "Quarkels: 3/12"},
        {HUD_STATUS_FONT, 10, 580, "Red disks: 0"},
        {HUD_STATUS_FONT, 130, 560, "Freeze Grobbles - Off"},
        {HUD_STATUS_FONT, 130, 580, "Freeze Enemies - Off"},
        {HUD_STATUS_FONT, 260, 560, "Gravity - On"},
        {HUD_STATUS_FONT, 260, 580, "Moves: 57"},
        {HUD_HELP_FONT, 360, 560, "F1/F2 = +/- level  R - restart level"},
        {HUD_HELP_FONT, 360, 580, "1/2 = +/- 1 FPS    3/4 = +/- 10 FPS"},
        {HUD_HELP_FONT, 570, 560, "M - Music On/Off"},
        {HUD_HELP_FONT, 570, 580, "N/B - next/prev track"},
        {HUD_STATUS_FONT, 710, 560, "Speed: 50"},
    };
    ASSERT_EQ(texts.size(), std::size(want));
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].font, want[i].font) << i;
        EXPECT_EQ(texts[i].x, want[i].x) << i;
        EXPECT_EQ(texts[i].y, want[i].y) << i;
        EXPECT_EQ(texts[i].text, want[i].text) << i;
    }
    // 220, 230, 210 and 100, 150, 100 in 0..255 steps, opaque.
    EXPECT_FLOAT_EQ(texts[0].colour.r, 220 / 255.0f);
    EXPECT_FLOAT_EQ(texts[0].colour.g, 230 / 255.0f);
    EXPECT_FLOAT_EQ(texts[0].colour.b, 210 / 255.0f);
    EXPECT_FLOAT_EQ(texts[6].colour.g, 150 / 255.0f);
    EXPECT_FLOAT_EQ(texts[6].colour.b, 100 / 255.0f);
    EXPECT_FLOAT_EQ(texts[6].colour.a, 1.0f);
}

TEST(HudLayout, SwitchesAndCountsAsStored) {
    KV_LevelStatus s;
    s.set_freeze_grobbles();
    s.set_freeze_enemies();
    const std::vector<KV_HudText> texts = kv_hud_layout(s, 1000, 768);
    EXPECT_EQ(texts[0].text, "Quarkels: 0/0");
    EXPECT_EQ(texts[0].y, 728);
    EXPECT_EQ(texts[1].y, 748);
    EXPECT_EQ(texts[2].text, "Freeze Grobbles - On");
    EXPECT_EQ(texts[3].text, "Freeze Enemies - On");
    EXPECT_EQ(texts[4].text, "Gravity - Off");
    EXPECT_EQ(texts.back().text, "Speed: 1000");
}

}  // namespace
