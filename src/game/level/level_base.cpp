#include "game/level/level_base.h"

#include <algorithm>
#include <cstring>

#include "foundation/file.h"

namespace {

// A level-set file read front to back.
class FileSource : public KV_ByteSource {
public:
    bool open(const std::string& path) {
        if (!file_.open(path, Qx::FILE_READ | Qx::FILE_EXISTING | Qx::FILE_SEQUENTIAL)) return false;
        size_ = file_.size();
        return true;
    }
    size_t read(uint8_t* dst, size_t n) override {
        size_t done = 0;
        // Qx::File reads at most 4 GiB a call; level records are far smaller, but
        // split anyway so no count is ever truncated.
        while (done < n) {
            const uint32_t chunk = uint32_t(std::min<size_t>(n - done, 0x40000000u));
            const uint32_t got = file_.read(dst + done, chunk);
            done += got;
            pos_ += got;
            if (got < chunk) break;
        }
        return done;
    }
    uint64_t remaining() const override { return pos_ < size_ ? size_ - pos_ : 0; }

private:
    Qx::File file_;
    uint64_t size_ = 0;
    uint64_t pos_ = 0;
};

}  // namespace

size_t KV_MemorySource::read(uint8_t* dst, size_t n) {
    const size_t take = std::min(n, size_ - pos_);
    if (take) std::memcpy(dst, data_ + pos_, take);
    pos_ += take;
    return take;
}

bool KV_LevelSetBase::Load(const std::string& path) {
    records_.clear();
    FileSource source;
    if (!source.open(path)) return false;
    return LoadFrom(source);
}
