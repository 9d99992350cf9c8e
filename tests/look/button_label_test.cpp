// The button's options rule, fade and text placement, and the label's font rule.
#include <gtest/gtest.h>

#include "app/style/button_style.h"
#include "app/style/label_style.h"

using namespace QxButtonLook;

TEST(ButtonOptions, KindSizeAndFontFromTheAttributes) {
    const struct {
        const char* what;
        Options options;
        int type, size;
        bool up_image;
        Result expected;
    } rows[] = {
        {"plain text button", {false, true, "", ""}, Text, Normal, false, {Text, Normal, NormalFont}},
        {"images and no text", {false, false, "", ""}, Text, Normal, true, {Bitmap, Normal, KeepFont}},
        {"images beside a text", {false, true, "", ""}, Text, Normal, true, {Text, Normal, NormalFont}},
        {"no text and no image", {false, false, "", ""}, Text, Normal, false, {Text, Normal, NormalFont}},
        {"big text", {false, true, "", "big"}, Text, Normal, false, {Text, Big, BigFont}},
        {"big text with a font", {true, true, "", "big"}, Text, Normal, false, {Text, Big, AttributeFont}},
        {"back from big", {false, true, "", ""}, Text, Big, false, {Text, Normal, NormalFont}},
        {"big bitmap", {false, false, "bitmap", "big"}, Text, Normal, true, {Bitmap, Big, KeepFont}},
        {"bitmap with a font", {true, false, "bitmap", ""}, Text, Normal, true, {Bitmap, Normal, AttributeFont}},
        {"type must be exact", {false, true, "Bitmap", "BIG"}, Text, Normal, false, {Text, Normal, NormalFont}},
        // Big text turned bitmap by its images keeps the big font it was given on the way.
        {"big, text-less, images", {false, false, "", "big"}, Text, Normal, true, {Bitmap, Big, BigFont}},
    };
    for (const auto& r : rows) {
        const Result got = apply_options(r.options, r.type, r.size, r.up_image);
        EXPECT_EQ(got.type, r.expected.type) << r.what;
        EXPECT_EQ(got.size, r.expected.size) << r.what;
        EXPECT_EQ(got.font, r.expected.font) << r.what;
    }
}

TEST(ButtonFade, TwentyEightStepsEachWayAndTurnsRoundHalfWay) {
    bool running = true;
    int b = 200, steps = 0;
    while (running) b = fade_step(b, true, running), ++steps;
    EXPECT_EQ(b, 255);
    EXPECT_EQ(steps, 28);
    running = true, steps = 0;
    while (running) b = fade_step(b, false, running), ++steps;
    EXPECT_EQ(b, 200);
    EXPECT_EQ(steps, 28);
    // Leaving half-way through a fade-in fades out from where it stood.
    running = true;
    b = fade_step(fade_step(200, true, running), true, running);
    EXPECT_EQ(fade_step(b, false, running), 202);
    EXPECT_TRUE(running);
}

TEST(ButtonText, CentredAndPressedOneRightTwoDown) {
    const struct { int w, h, tw, fh; bool down; int x, y; } rows[] = {
        {120, 30, 40, 20, false, 40, 5}, {120, 30, 41, 21, false, 39, 4}, {120, 30, 40, 20, true, 41, 7},
        {10, 12, 15, 20, false, -2, -4},  // wider than the button: truncated toward zero
    };
    for (const auto& r : rows) {
        const CL_Point p = text_offset(r.w, r.h, r.tw, r.fh, r.down);
        EXPECT_EQ(p.x, r.x);
        EXPECT_EQ(p.y, r.y);
    }
}

TEST(ButtonBitmap, StateImageElseUpImageElseNothing) {
    const bool all[4] = {true, true, true, true}, up_only[4] = {true, false, false, false},
               none[4] = {false, false, false, false};
    const struct { bool pressed, lit, enabled; const bool* held; Image image; } rows[] = {
        {true, true, true, all, Down},        {false, true, true, all, Highlighted}, {false, false, true, all, Up},
        {false, false, false, all, Disabled}, {true, false, true, up_only, Up},     {false, true, false, up_only, Up},
        {false, false, false, up_only, Up},   {true, true, true, none, NoImage},
    };
    for (const auto& r : rows) EXPECT_EQ(choose_image(r.pressed, r.lit, r.enabled, r.held), r.image);
}

TEST(LabelFont, Type1IsTheLabelFontAnyOtherTheButtonFont) {
    const struct { bool has; const char* value; int before, after; const char* font; } rows[] = {
        {true, "type1", 1, 0, "Label/font"}, {true, "anything", 0, 1, "Button/font"}, {true, "", 0, 1, "Button/font"},
        {false, "", 0, 0, "Label/font"},     {false, "", 1, 1, "Button/font"},
    };
    for (const auto& r : rows) {
        const int type = QxLabelLook::type_from_options(r.has, r.value, r.before);
        EXPECT_EQ(type, r.after) << r.value;
        EXPECT_EQ(QxLabelLook::font_id(type), r.font) << r.value;
    }
}
