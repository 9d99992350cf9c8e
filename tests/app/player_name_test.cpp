// The rule for player names.
#include <gtest/gtest.h>

#include "app/players/player_name.h"

TEST(PlayerName, CleaningAndValidity) {
    struct Row { std::string typed; std::string clean; bool valid_as_typed; };
    const Row rows[] = {
        {"bob", "bob", true},
        {"Ann Lee", "Ann Lee", true},
        {"  Ann  Lee  ", "Ann  Lee", false},   // blanks kept between words only
        {"!Ann. Lee!", "Ann Lee", false},      // other characters go wherever they stand
        {"(x),_9", "(x),_9", true},
        {"../x", "x", false},
        {"a/b", "ab", false},
        {"a\\b", "ab", false},
        {std::string("a\0b", 3), "ab", false},
        {"x.bts", "xbts", false},
        {"   ", "", false},                    // nothing left: refused
        {"...", "", false},
        {"", "", false},
        {"\xd0\x90nna", "nna", false},
        {std::string(64, 'a'), std::string(64, 'a'), true},
        {std::string(65, 'a'), std::string(65, 'a'), false},  // too long even when clean
    };
    for (const Row& r : rows) {
        EXPECT_EQ(clean_player_name(r.typed), r.clean) << r.typed;
        EXPECT_EQ(is_valid_player_name(r.typed), r.valid_as_typed) << r.typed;
    }
}
