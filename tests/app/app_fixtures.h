#pragma once
// Scratch working folders for the profile tests: the player's scanners look
// under the working folder, so each test runs inside a folder of its own.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/bts_folder.h"
#include "foundation/temp_dir.h"

namespace app_fixtures {

using test_support::TempDir;

// The working folder is a fresh scratch folder while this lives.
class InScratchDir {
public:
    InScratchDir() {
        char buf[4096];
        if (getcwd(buf, sizeof buf)) old_ = buf;
        EXPECT_EQ(chdir(dir_.path().c_str()), 0);
    }
    ~InScratchDir() {
        if (!old_.empty()) {
            EXPECT_EQ(chdir(old_.c_str()), 0);
        }
    }
    InScratchDir(const InScratchDir&) = delete;
    InScratchDir& operator=(const InScratchDir&) = delete;

    const std::string& path() const { return dir_.path(); }
    std::string operator/(const std::string& name) const { return dir_ / name; }
    void mkdir(const std::string& name) const { ASSERT_EQ(::mkdir((dir_ / name).c_str(), 0755), 0) << name; }
    void touch(const std::string& name) const { test_support::write_text(dir_ / name, "x"); }

private:
    TempDir dir_;
    std::string old_;
};

// The first `levels` records of the shipped classic set, as a file of their own.
inline void write_classic_set(const std::string& path, size_t levels) {
    std::vector<uint8_t> bytes = test_support::read_file(KARVOLT_SOURCE_DIR "/data/Levels/karvolt.dat");
    ASSERT_GE(bytes.size(), levels * 1536);
    bytes.resize(levels * 1536);
    test_support::write_file(path, bytes);
}

// The type code stored under name, or 0 when there is none.
inline uint32_t type_of(const Qx::BtsFolder& folder, const std::string& name) {
    Qx::BtsValuePtr value = folder.find_value(name);
    return value ? value->type() : 0;
}

inline std::string string_of(const Qx::BtsFolder& folder, const std::string& name) {
    std::string out;
    folder.get_string(name, out, "<none>");
    return out;
}

inline int32_t int_of(const Qx::BtsFolder& folder, const std::string& name) {
    int32_t out = 0;
    folder.get_int32(name, out, -9999);
    return out;
}

}  // namespace app_fixtures
