// The front end's decisions that need no window: the command-line switches,
// where the message box and its buttons go, and the player dialogs' rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/menus/message_box_layout.h"
#include "app/menus/player_dialog_rules.h"
#include "app/switches.h"

namespace L = KV_MessageBoxLayout;

TEST(Switches, EachIsComparedWholeAndExactly) {
    const struct {
        std::vector<const char*> args;
        bool fullscreen, no_sound, log;
    } rows[] = {
        {{}, false, false, false},
        {{"-log", "-nosound"}, false, true, true},
        {{"-fullscreen"}, true, false, false},
        {{"-log", "-log", "-fullscreen", "-nosound"}, true, true, true},
        {{"-Fullscreen", "-fullscreen ", "--log", "-log=1", "nosound", "-nosoundx", ""}, false, false, false},
        {{"x", "-nosound", "y"}, false, true, false},
    };
    for (const auto& r : rows) {
        std::vector<const char*> argv{"karvolt"};
        argv.insert(argv.end(), r.args.begin(), r.args.end());
        const KV_Switches s = read_switches(int(argv.size()), argv.data());
        SCOPED_TRACE(::testing::PrintToString(std::vector<std::string>(r.args.begin(), r.args.end())));
        EXPECT_EQ(s.fullscreen, r.fullscreen);
        EXPECT_EQ(s.no_sound, r.no_sound);
        EXPECT_EQ(s.log, r.log);
    }
    // The program's own name is never read as a switch.
    const char* only_name[] = {"-log"};
    EXPECT_FALSE(read_switches(1, only_name).log);
}

TEST(MessageBoxLayout, WindowIsCentredAndGrowsBothWaysWithTheText) {
    const struct {
        int screen_w, screen_h, text_h;
        L::Box box;
    } rows[] = {
        {800, 600, 14, {200, 248, 600, 352}},  // one line: 90 + the line
        {800, 600, 70, {200, 220, 600, 380}},  // five lines
        {801, 601, 15, {200, 248, 600, 352}},  // integer halves
        {1024, 768, 0, {312, 339, 712, 429}},
    };
    for (const auto& r : rows) {
        const L::Box b = L::window(r.screen_w, r.screen_h, r.text_h);
        EXPECT_EQ(b.left, r.box.left);
        EXPECT_EQ(b.top, r.box.top);
        EXPECT_EQ(b.right, r.box.right);
        EXPECT_EQ(b.bottom, r.box.bottom);
        EXPECT_EQ(b.right - b.left, 400);
    }
    // The text wraps at the width it is drawn in.
    EXPECT_EQ(L::TEXT_WIDTH, 400 - 30 - 15);
    EXPECT_EQ(L::button_top(104), 64);
}

TEST(MessageBoxLayout, ButtonCountFollowsTheLastCaption) {
    const struct {
        const char *c1, *c2, *c3;
        int count;
    } rows[] = {
        {"OK", "", "", 1}, {"", "", "", 1},           {"OK", "Cancel", "", 2},
        {"OK", "", "Cancel", 3}, {"Yes", "No", "Cancel", 3}, {"", "No", "", 2},
    };
    for (const auto& r : rows) EXPECT_EQ(L::button_count(r.c1, r.c2, r.c3), r.count) << r.c1 << "|" << r.c2 << "|" << r.c3;
}

TEST(MessageBoxLayout, ButtonsAreCentredOn200With20PixelsBetween) {
    const struct {
        std::vector<int> widths, lefts;
    } rows[] = {
        {{40}, {180}},
        {{41}, {180}},
        {{40, 70}, {135, 195}},           // x1 = 200 - (40 + 20 + 70) / 2
        {{40, 0, 70}, {125, 185, 205}},   // an empty middle caption still takes its gap
        {{30, 50, 71}, {105, 155, 225}},  // (30 + 50 + 71 + 40) / 2 = 95
    };
    for (const auto& r : rows) EXPECT_EQ(L::button_lefts(r.widths), r.lefts);
}

TEST(NewPlayerName, KeepsWordsAndDropsWhatAFileNameMustNotHold) {
    const struct {
        const char *typed, *name;
    } rows[] = {
        {"Alice", "Alice"},
        {"  Alice Smith  ", "Alice Smith"},
        {"!Bob.", "Bob"},
        {"a.b!c", "abc"},
        {"Ann  (2), x_y", "Ann  (2), x_y"},
        {"../../etc/passwd", "etcpasswd"},
        {"   ", ""},
        {"!?.", ""},
        {"", ""},
        {" \t\xc3\xa9 Z \xc3\xa9", "Z"},
    };
    for (const auto& r : rows) EXPECT_EQ(new_player_name(r.typed), r.name) << r.typed;
}

TEST(NewPlayerName, IsCutTo64BytesWithoutATrailingBlank) {
    EXPECT_EQ(new_player_name(std::string(100, 'a')), std::string(64, 'a'));
    const std::string typed = std::string(63, 'b') + " c";  // the cut leaves a trailing blank
    EXPECT_EQ(new_player_name(typed), std::string(63, 'b'));
    EXPECT_EQ(new_player_name(std::string(64, 'd')), std::string(64, 'd'));
}

TEST(PlayerDialog, RowAfterDeleteIsTheOneAboveElseTheNextElseNone) {
    const struct {
        int deleted, count, row;
    } rows[] = {
        {0, 1, -1}, {0, 2, 0}, {1, 2, 0}, {0, 5, 0}, {3, 5, 2}, {4, 5, 3},
    };
    for (const auto& r : rows) EXPECT_EQ(row_after_delete(r.deleted, r.count), r.row) << r.deleted << "/" << r.count;
}

TEST(PlayerDialog, KeysByFocusedComponent) {
    using F = KV_ProfileFocus;
    using K = KV_ProfileKey;
    using A = KV_ProfileAction;
    const struct {
        F focus;
        K key;
        int current, count;
        A action;
    } rows[] = {
        {F::Players, K::Enter, 0, 2, A::Close},      {F::Players, K::Enter, -1, 2, A::None},
        {F::Players, K::Enter, 2, 2, A::None},       {F::Players, K::Escape, -1, 0, A::Close},
        {F::Players, K::Left, 0, 2, A::FocusAdd},    {F::Players, K::Right, 0, 2, A::FocusOk},
        {F::Players, K::Up, 1, 2, A::PreviousRow},   {F::Players, K::Up, 0, 2, A::None},
        {F::Players, K::Down, 0, 2, A::NextRow},     {F::Players, K::Down, 1, 2, A::None},
        {F::Players, K::Down, -1, 2, A::None},       {F::Players, K::Other, 0, 2, A::None},
        {F::Add, K::Enter, 0, 2, A::None},           {F::Add, K::Escape, 0, 2, A::Close},
        {F::Add, K::Left, 0, 2, A::None},            {F::Add, K::Up, 0, 2, A::FocusPlayers},
        {F::Add, K::Right, 0, 2, A::FocusDelete},    {F::Add, K::Down, 0, 2, A::None},
        {F::Delete, K::Left, 0, 2, A::FocusAdd},     {F::Delete, K::Up, 0, 2, A::FocusPlayers},
        {F::Delete, K::Right, 0, 2, A::FocusOk},     {F::Delete, K::Down, 0, 2, A::None},
        {F::Delete, K::Escape, 0, 2, A::Close},      {F::Ok, K::Left, 0, 2, A::FocusDelete},
        {F::Ok, K::Up, 0, 2, A::FocusPlayers},       {F::Ok, K::Right, 0, 2, A::None},
        {F::Ok, K::Enter, 0, 2, A::None},            {F::Ok, K::Escape, -1, 0, A::Close},
    };
    for (const auto& r : rows)
        EXPECT_EQ(profile_key_action(r.focus, r.key, r.current, r.count), r.action)
            << int(r.focus) << " " << int(r.key) << " " << r.current << "/" << r.count;
}
