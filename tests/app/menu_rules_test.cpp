// The game menu's lists, the demo names and their saving, the typed game speed.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>

#include "app/menu_logic/demo_name.h"
#include "app/menu_logic/game_speed.h"
#include "app/menu_logic/level_rows.h"
#include "app_fixtures.h"
#include "foundation/path.h"
#include "game/level/levelset_registry.h"

namespace {

using app_fixtures::InScratchDir;

// The shipped classic set with its second record damaged: that level can't be made.
std::shared_ptr<KV_LevelSetBase> set_with_a_bad_level(const InScratchDir& dir) {
    app_fixtures::write_classic_set(dir / "three.dat", 3);
    std::shared_ptr<KV_LevelSetBase> set = open_levelset(dir / "three.dat");
    if (!set) return set;
    // A copy of the set whose level 1 won't load.
    class Damaged : public KV_LevelSetBase {
    public:
        explicit Damaged(std::shared_ptr<KV_LevelSetBase> real) : real_(std::move(real)) {}
        int GetCount() const override { return real_->GetCount(); }
        std::shared_ptr<KV_LevelBase> GetLevel(int i) const override {
            return i == 1 ? nullptr : real_->GetLevel(i);
        }
        bool LoadFrom(KV_ByteSource&) override { return false; }
        std::shared_ptr<KV_LevelSetBase> Create() const override { return nullptr; }

    private:
        std::shared_ptr<KV_LevelSetBase> real_;
    };
    return std::make_shared<Damaged>(set);
}

TEST(GameMenuRows, AnUnloadableLevelHasNoRowAndTheOthersKeepTheirNumbers) {
    InScratchDir dir;
    std::shared_ptr<KV_LevelSetBase> set = set_with_a_bad_level(dir);
    ASSERT_TRUE(set);
    KV_LevelsetStat stat;
    stat.level_state(2) = KV_LevelsetStat::LEVEL_SOLVED;

    const std::vector<KV_LevelRow> rows = kv_level_rows(*set, &stat);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].index, 0);
    EXPECT_EQ(rows[0].title.substr(0, 11), "First steps");
    EXPECT_EQ(rows[0].state, 0);
    EXPECT_EQ(rows[1].index, 2);
    EXPECT_EQ(rows[1].title, set->GetLevel(2)->GetTitle());
    EXPECT_EQ(rows[1].state, KV_LevelsetStat::LEVEL_SOLVED);

    // The current level is found by its number, not its row.
    struct Case {
        int32_t level;
        int32_t row;
    };
    for (const Case& c : {Case{0, 0}, Case{2, 1}, Case{1, 0}, Case{7, 0}, Case{-1, 0}}) {
        EXPECT_EQ(kv_row_of_level(rows, c.level), c.row) << c.level;
    }
    EXPECT_EQ(kv_row_of_level({}, 0), -1);
    EXPECT_EQ(kv_level_rows(*set, nullptr)[1].state, 0);
}

TEST(GameMenuRows, NamedRows) {
    const std::vector<std::string> names = {"a.dat", "b.d01", "karvolt.dat"};
    EXPECT_EQ(kv_row_of_name(names, "karvolt.dat"), 2);
    EXPECT_EQ(kv_row_of_name(names, "KARVOLT.DAT"), 0);
    EXPECT_EQ(kv_row_of_name({}, "a.dat"), -1);
}

TEST(DemoName, TypedNamesBecomeFileNames) {
    struct Case {
        const char* typed;
        KV_DemoNameProblem problem;
        const char* file;
    };
    const Case cases[] = {
        {"MyRun", KV_DemoNameProblem::None, "myrun.kvd"},
        {"BEST.KVD", KV_DemoNameProblem::None, "best.kvd"},
        {"x.kvd.kvd", KV_DemoNameProblem::None, "x.kvd.kvd"},
        {"kvd", KV_DemoNameProblem::None, "kvd.kvd"},
        {".kvd", KV_DemoNameProblem::None, ".kvd"},
        {"Run \xC3\x89t\xC3\xA9", KV_DemoNameProblem::None, "run \xC3\x89t\xC3\xA9.kvd"},
        {"", KV_DemoNameProblem::Empty, ""},
        {"../up", KV_DemoNameProblem::Separator, ""},
        {"a\\b", KV_DemoNameProblem::Separator, ""},
    };
    for (const Case& c : cases) {
        std::string file = "stale";
        EXPECT_EQ(kv_demo_file_name(c.typed, file), c.problem) << c.typed;
        EXPECT_EQ(file, c.file) << c.typed;
    }
}

// The name dialog and the message box as a script: the names typed at each
// run (empty optional = cancelled), the button pressed at each message.
class ScriptedSaveUi : public KV_SaveDemoUi {
public:
    std::deque<std::pair<bool, std::string>> runs;
    std::deque<int32_t> answers;
    std::vector<std::string> shown;  // "title: text"
    int dialogs = 0;
    std::string typed;

    bool run_dialog() override {
        ++dialogs;
        if (runs.empty()) return false;
        auto [ok, text] = runs.front();
        runs.pop_front();
        if (!text.empty() || ok) typed = text;
        return ok;
    }
    std::string typed_name() override { return typed; }
    int32_t message(const std::string& title, const std::string& text, const std::string&, const std::string&) override {
        shown.push_back(title + ": " + text);
        if (answers.empty()) return -1;
        const int32_t a = answers.front();
        answers.pop_front();
        return a;
    }
};

class SaveDemoTest : public ::testing::Test {
protected:
    InScratchDir dir;
    std::shared_ptr<KV_Demo> demo;
    void SetUp() override {
        dir.mkdir("Demos");
        app_fixtures::write_classic_set(dir / "one.dat", 1);
        std::shared_ptr<KV_LevelSetBase> set = open_levelset(dir / "one.dat");
        ASSERT_TRUE(set);
        KV_KeyStream keys;
        for (int i = 0; i < 20; ++i) keys.record(4);
        demo = std::make_shared<KV_Demo>(set->GetLevel(0), keys, 7u);
    }
    std::vector<std::string> demo_files() {
        std::vector<std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(dir / "Demos")) files.push_back(e.path().filename());
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(SaveDemoTest, EmptyNameIsToldAndTheDialogComesAgain) {
    ScriptedSaveUi ui;
    ui.runs = {{true, ""}, {true, "Run1"}};
    EXPECT_EQ(kv_save_demo(*demo, ui, "Demos\\"), "Demos\\run1.kvd");
    EXPECT_EQ(ui.shown, std::vector<std::string>{std::string("Error: ") + KV_TEXT_EMPTY_DEMO_NAME});
    EXPECT_EQ(demo_files(), std::vector<std::string>{"run1.kvd"});
    Qx::BtsFolder back;
    ASSERT_TRUE(back.load("Demos/run1.kvd"));
    std::shared_ptr<KV_Demo> loaded = KV_Demo::Load(back);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetRandomSeed(), 7u);
}

TEST_F(SaveDemoTest, OverwriteOnlyAfterOkAndIntoTheFileThatIsThere) {
    dir.touch("Demos/Best.kvd");
    ScriptedSaveUi ui;
    // Cancel at the question, the dialog again, OK the second time.
    ui.runs = {{true, "BEST"}, {true, "BEST"}};
    ui.answers = {2, 1};
    EXPECT_EQ(Qx::name_of_path(kv_save_demo(*demo, ui, "Demos\\")), "Best.kvd");
    const std::string question = "Warning: The demo with name: 'best.kvd' is allready exist.\nOverwrite the demo ?";
    EXPECT_EQ(ui.shown, (std::vector<std::string>{question, question}));
    EXPECT_EQ(ui.dialogs, 2);
    EXPECT_EQ(demo_files(), std::vector<std::string>{"Best.kvd"});
    Qx::BtsFolder back;
    EXPECT_TRUE(back.load("Demos/Best.kvd"));
}

TEST_F(SaveDemoTest, CancelledDialogSavesNothing) {
    ScriptedSaveUi ui;
    ui.runs = {{false, "never"}};
    EXPECT_EQ(kv_save_demo(*demo, ui, "Demos\\"), "");
    EXPECT_TRUE(demo_files().empty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SaveDemoTest, FailuresAreToldAndOfferTheDialogAgain) {
    ScriptedSaveUi ui;
    ui.runs = {{true, "a/b"}, {true, "fine"}};
    // The folder is gone: the write fails and says so.
    EXPECT_EQ(kv_save_demo(*demo, ui, "Gone\\"), "");
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0], std::string("Error: ") + KV_TEXT_DEMO_NAME_SEPARATOR);
    EXPECT_EQ(ui.shown[1], "Error: " + kv_text_demo_write_failed("fine.kvd"));
    EXPECT_EQ(ui.dialogs, 3);

    // A demo without a level has nothing to write.
    KV_Demo empty(nullptr, KV_KeyStream(), 0);
    ScriptedSaveUi ui2;
    ui2.runs = {{true, "x"}};
    EXPECT_EQ(kv_save_demo(empty, ui2, "Demos\\"), "");
    EXPECT_EQ(ui2.shown, std::vector<std::string>{std::string("Error: ") + KV_TEXT_DEMO_NOT_SAVED});
    EXPECT_TRUE(demo_files().empty());
}

TEST(GameSpeed, ParsedLikeTheCLibraryWithoutWrapping) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {{"1000", 1000},     {"25abc", 25},   {"  +7", 7},       {"-3", -3},
                          {"abc", 0},         {"", 0},         {" - 4", 0},       {"0012", 12},
                          {"2147483647", 2147483647},          {"2147483648", 2147483647},
                          {"99999999999999999999", 2147483647}, {"-2147483648", -2147483647 - 1},
                          {"-99999999999", -2147483647 - 1}};
    for (const Case& c : cases) EXPECT_EQ(kv_parse_game_speed(c.text), c.value) << c.text;
    for (int32_t s : {1, 1000}) EXPECT_TRUE(kv_is_game_speed(s));
    for (int32_t s : {0, 1001, -5}) EXPECT_FALSE(kv_is_game_speed(s));
}

TEST(GameSpeed, TheDialogComesBackShowingTheRejectedValue) {
    std::deque<std::pair<bool, std::string>> typed = {{true, "1001"}, {true, "abc"}, {true, "99999999999"}, {true, "25abc"}};
    std::vector<int32_t> shown;
    int messages = 0;
    auto dialog = [&](int32_t show, std::string& text) {
        shown.push_back(show);
        if (typed.empty()) return false;
        auto [ok, t] = typed.front();
        typed.pop_front();
        text = t;
        return ok;
    };
    int32_t speed = 50;
    EXPECT_TRUE(kv_ask_game_speed(speed, dialog, [&] { ++messages; }));
    EXPECT_EQ(speed, 25);
    EXPECT_EQ(shown, (std::vector<int32_t>{50, 1001, 0, 2147483647}));
    EXPECT_EQ(messages, 3);

    // Cancelled: false and the speed as it was.
    typed = {{false, "7"}};
    EXPECT_FALSE(kv_ask_game_speed(speed, dialog, [&] { ++messages; }));
    EXPECT_EQ(speed, 25);
}

}  // namespace
