#pragma once
// A scratch working folder for the sound engine, with the engine on a fake back end.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/temp_dir.h"
#include "game/media/sound_engine.h"
#include "media/fake_backend.h"

// Runs the test inside another working folder and goes back afterwards.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& path) {
        char buf[4096];
        if (getcwd(buf, sizeof buf)) old_ = buf;
        EXPECT_EQ(chdir(path.c_str()), 0) << path;
    }
    ~WorkingFolder() {
        if (!old_.empty() && chdir(old_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << old_;
    }

private:
    std::string old_;
};

class SoundEngineTest : public ::testing::Test {
protected:
    SoundEngineTest() : cwd_(dir_.path()) {
        // The lexical working folder the engine builds its paths on.
        root_ = dir_.path().substr(0, dir_.path().size() - 1);
        mkdir((root_ + "/sounds").c_str(), 0700);
        mkdir((root_ + "/music").c_str(), 0700);
        KV_SoundEngine::set_backend(&fake_);
    }
    ~SoundEngineTest() override {
        KV_SoundEngine::shutdown();
        KV_SoundEngine::set_backend(nullptr);
    }

    std::string music(const std::string& name) const { return root_ + "/music/" + name; }
    std::string sound(const std::string& name) const { return root_ + "/sounds/" + name; }

    void write_playlist(const std::string& text) { test_support::write_text(music("default.m3u"), text); }

    // Engine started on a playlist of these lines, the calls so far forgotten.
    void start_with(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) text += l + "\n";
        write_playlist(text);
        ASSERT_EQ(KV_SoundEngine::init(nullptr, false), KV_SoundEngine::S_OK);
        fake_.take_calls();
    }

    test_support::TempDir dir_;
    WorkingFolder cwd_;
    std::string root_;
    FakeBackend fake_;
};
