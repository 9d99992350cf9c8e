// The three log files, their names and the lines written into them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "foundation/log.h"
#include "temp_dir.h"

using Qx::Log;
using test_support::read_text;
using test_support::TempDir;

namespace {

Qx::LocalTime december_morning() {
    Qx::LocalTime t;
    t.year = 2026;
    t.month = 12;
    t.day = 9;
    t.hour = 7;
    t.minute = 5;
    t.second = 3;
    return t;
}

struct LogInDir {
    TempDir dir;
    Log log;
    LogInDir() {
        log.set_files(dir.path(), "karvolt");
        log.set_time_source(december_morning);
    }
    std::string debug() const { return read_text(dir / "karvolt_debug.log"); }
    std::string error() const { return read_text(dir / "karvolt_error.log"); }
    std::string event() const { return read_text(dir / "karvolt_event.log"); }
};

}  // namespace

TEST(Log, FileNamesAreDirectoryBaseNameAndSuffix) {
    struct Row { const char* dir; const char* base; const char* debug; const char* error; const char* event; };
    const Row rows[] = {
        {"", "karvolt", "karvolt_debug.log", "karvolt_error.log", "karvolt_event.log"},
        {"logs/", "karvolt", "logs/karvolt_debug.log", "logs/karvolt_error.log", "logs/karvolt_event.log"},
        {"logs", "karvolt", "logskarvolt_debug.log", "logskarvolt_error.log", "logskarvolt_event.log"},
        {"a\\", "b", "a\\b_debug.log", "a\\b_error.log", "a\\b_event.log"},
    };
    for (const Row& r : rows) {
        Log log;
        log.set_files(r.dir, r.base);
        EXPECT_EQ(log.get_directory(), r.dir);
        EXPECT_EQ(log.get_base_name(), r.base);
        EXPECT_EQ(log.debug_path(), r.debug);
        EXPECT_EQ(log.error_path(), r.error);
        EXPECT_EQ(log.event_path(), r.event);
    }
}

TEST(Log, StartsWithTheOldBaseNameAndWritingOff) {
    Log plain;
    EXPECT_EQ(plain.get_base_name(), "vdrk");
    EXPECT_EQ(plain.get_directory(), "");
    Log in_dir("somewhere/");
    EXPECT_EQ(in_dir.debug_path(), "somewhere/vdrk_debug.log");
    EXPECT_EQ(Qx::g_log.get_base_name(), "vdrk");
    EXPECT_FALSE(Log::is_enabled());
}

TEST(Log, OneSwitchAskedThroughTheClassOrTheGlobal) {
    Log::enable();
    EXPECT_TRUE(Log::is_enabled());
    EXPECT_TRUE(Qx::g_log.is_enabled());
    Qx::g_log.disable();
    EXPECT_FALSE(Log::is_enabled());
}

TEST(Log, TimeTexts) {
    Log log;
    log.set_time_source(december_morning);
    EXPECT_STREQ(log.date_time_text(), "09/12/2026 - 07:05:03");
    EXPECT_STREQ(log.date_text(), "09/12/2026");
    EXPECT_STREQ(log.time_text(), "07:05:03");
    log.set_time_source([] {
        Qx::LocalTime t = december_morning();
        t.hour = 23;
        t.year = 987;
        return t;
    });
    EXPECT_STREQ(log.time_text(), "23:05:03");
    EXPECT_STREQ(log.date_text(), "09/12/0987");
}

TEST(Log, SystemTimeHasTheSameShape) {
    Log log;
    std::string t = log.time_text();
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[2], ':');
    EXPECT_EQ(t[5], ':');
    EXPECT_EQ(std::string(log.date_time_text()).size(), 21u);
}

TEST(Log, WhichFileGetsWhatLine) {
    struct Row {
        const char* what;
        void (*write)(Log&);
        const char* debug;
        const char* error;
        const char* event;
    };
    const Row rows[] = {
        {"debug", [](Log& l) { l.debug("Main: Loading resources\n"); }, "Main: Loading resources\n", "", ""},
        {"event", [](Log& l) { l.event("menu %s\n", "menu_game"); }, "menu menu_game\n", "",
         "07:05:03: menu menu_game\n"},
        {"error", [](Log& l) { l.error("Error: %s\n", "boom"); }, "Error: boom\n", "07:05:03: Error: boom\n", ""},
        {"event_raw", [](Log& l) { l.event_raw("%d-%d\n", 1, 2); }, "1-2\n", "", "1-2\n"},
        {"error_raw", [](Log& l) { l.error_raw("%.3f\n", 1.5); }, "1.500\n", "1.500\n", ""},
        {"demo loader complaint",
         [](Log& l) {
             l.error("{KV_Demo::Load} ");
             l.error_raw("Invalid file type: %s\n", "xyz");
         },
         "{KV_Demo::Load} Invalid file type: xyz\n", "07:05:03: {KV_Demo::Load} Invalid file type: xyz\n", ""},
    };
    for (const Row& r : rows) {
        LogInDir l;
        r.write(l.log);
        EXPECT_EQ(l.debug(), r.debug) << r.what;
        EXPECT_EQ(l.error(), r.error) << r.what;
        EXPECT_EQ(l.event(), r.event) << r.what;
    }
}

TEST(Log, WritersDoNotLookAtTheSwitch) {
    LogInDir l;
    Log::disable();
    l.log.debug("written anyway\n");
    EXPECT_EQ(l.debug(), "written anyway\n");
}

TEST(Log, TheProgramsLineHelperAsksTheSwitch) {
    TempDir dir;
    const std::string directory = Qx::g_log.get_directory(), base_name = Qx::g_log.get_base_name();
    Qx::g_log.set_files(dir.path(), "karvolt");
    Log::disable();
    Qx::log_line("Loading players\n");
    Log::enable();
    // The text is written as it stands, never read as a format.
    Qx::log_line("Saving 100%s of players\n");
    Log::disable();
    Qx::g_log.set_files(directory, base_name);
    EXPECT_EQ(read_text(dir / "karvolt_debug.log"), "Saving 100%s of players\n");
}

TEST(Log, RunsAppendToTheSameFiles) {
    TempDir dir;
    {
        Log first;
        first.set_files(dir.path(), "karvolt");
        first.debug("---------------- Startup: %s ----------------\n", "one");
    }
    Log second;
    second.set_files(dir.path(), "karvolt");
    second.debug("---------------- Startup: %s ----------------\n", "two");
    EXPECT_EQ(read_text(dir / "karvolt_debug.log"),
              "---------------- Startup: one ----------------\n---------------- Startup: two ----------------\n");
}

TEST(Log, AFileThatCannotBeOpenedIsSkipped) {
    LogInDir l;
    ASSERT_EQ(mkdir((l.dir / "karvolt_event.log").c_str(), 0755), 0);
    l.log.event("still here %d\n", 5);
    EXPECT_EQ(l.debug(), "still here 5\n");

    Log nowhere;
    nowhere.set_files(l.dir / "missing/", "x");
    nowhere.error("lost %s\n", "line");  // must neither throw nor crash
    SUCCEED();
}

TEST(Log, LongTextsAndManyArguments) {
    LogInDir l;
    std::string big(5000, 'q');
    l.log.event_raw("%s|%d %d %d %d %d %d %d %d %d %d|%g %g\n", big.c_str(), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0.5, 2.0);
    std::string expected = big + "|1 2 3 4 5 6 7 8 9 10|0.5 2\n";
    EXPECT_EQ(l.event(), expected);
    EXPECT_EQ(l.debug(), expected);
}
