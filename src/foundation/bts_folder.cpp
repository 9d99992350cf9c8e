#include "foundation/bts_folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "foundation/dir_scanner.h"
#include "foundation/mapped_buffer.h"
#include "foundation/path.h"

namespace Qx {

namespace {

// Records must end here at the latest, so that the page-rounded file stays within
// the length a reader accepts.
constexpr uint64_t kBtsMaxRecordEnd = kBtsMaxFileSize / kBtsPageSize * kBtsPageSize;

uint32_t clamp_bytes(uint32_t count, uint32_t element_size) {
    uint64_t bytes = uint64_t(count) * element_size;
    uint64_t max = UINT32_MAX / element_size * element_size;
    return uint32_t(bytes > max ? max : bytes);
}

// Hands out room for one record at a time; a pointer stays valid until the next call.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual uint8_t* reserve(uint32_t bytes) = 0;
    virtual uint64_t position() const = 0;
};

class MemorySink : public RecordSink {
public:
    explicit MemorySink(std::vector<uint8_t>& out) : out_(out) { out_.assign(kBtsPageSize, 0); }
    uint8_t* reserve(uint32_t bytes) override {
        uint64_t end = position_ + bytes;
        if (end > out_.size()) out_.resize((end + kBtsPageSize - 1) / kBtsPageSize * kBtsPageSize, 0);
        uint8_t* p = out_.data() + position_;
        position_ = end;
        return p;
    }
    uint64_t position() const override { return position_; }

private:
    std::vector<uint8_t>& out_;
    uint64_t position_ = 0;
};

class MappedSink : public RecordSink {
public:
    explicit MappedSink(MappedBuffer& buffer) : cursor_(buffer) {}
    uint8_t* reserve(uint32_t bytes) override { return cursor_.reserve(bytes); }
    uint64_t position() const override { return cursor_.position(); }

private:
    BufferCursor cursor_;
};

// Entries go out in name order, so one tree always gives the same bytes.
template <typename Map>
std::vector<typename Map::const_pointer> sorted(const Map& map) {
    std::vector<typename Map::const_pointer> out;
    out.reserve(map.size());
    for (const auto& entry : map) out.push_back(&entry);
    std::sort(out.begin(), out.end(), [](auto a, auto b) { return a->first < b->first; });
    return out;
}

bool fits_u32(size_t n) { return n <= UINT32_MAX; }

const char* const kTempMark = ".tmp";

std::string temporary_name_beside(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    std::string dir = dir_of_path(target);
    std::string name = name_of_path(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[64];
        snprintf(suffix, sizeof suffix, "%s%ld-%u", kTempMark, long(getpid()), counter++);
        std::string candidate = dir + "." + name + suffix;
        struct stat st;
        if (lstat(candidate.c_str(), &st) != 0 && errno == ENOENT) return candidate;
    }
    return std::string();
}

bool all_digits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The writer's process id of a name temporary_name_beside made; 0 for any other name.
long temporary_writer(const std::string& name) {
    const size_t mark = name.rfind(kTempMark);
    if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark < 2) return 0;
    const std::string tail = name.substr(mark + strlen(kTempMark));
    const size_t dash = tail.find('-');
    // At most nine digits, so the number always fits.
    if (dash == std::string::npos || dash > 9 || !all_digits(tail.substr(0, dash)) || !all_digits(tail.substr(dash + 1)))
        return 0;
    return std::stol(tail.substr(0, dash));
}

bool process_runs(long pid) { return kill(pid_t(pid), 0) == 0 || errno == EPERM; }

}  // namespace

std::vector<std::string> remove_stale_temporaries(const std::string& folder) {
    std::vector<std::string> removed;
    DirScanner scanner(folder, "*", DS_FILES);
    while (scanner.next()) {
        const std::string name = scanner.get_name();
        const long pid = temporary_writer(name);
        if (pid <= 0 || pid == long(getpid()) || process_runs(pid)) continue;
        const std::string path = scanner.get_full_name();
        struct stat st;
        // Only the plain files a save makes; never what a link points at.
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (unlink(path.c_str()) == 0) removed.push_back(name);
    }
    return removed;
}

// Walks the records of a file image; a record is handed out only when all of it lies
// inside the image.
class BtsFolder::RecordReader {
public:
    RecordReader(const uint8_t* data, size_t length) : data_(data), length_(length) {}

    bool next(BtsRecord& rec, const uint8_t*& name, const uint8_t*& body) {
        if (position_ + kBtsRecordHeaderSize > length_) return false;
        rec = bts_read_record(data_ + position_);
        uint64_t len = rec.length();
        if (len > length_ - position_) return false;
        name = data_ + position_ + rec.name_offset();
        body = data_ + position_ + rec.data_offset();
        position_ += len;
        return true;
    }

private:
    const uint8_t* data_;
    uint64_t length_;
    uint64_t position_ = kBtsHeaderSize;
};

class BtsFolder::RecordWriter {
public:
    explicit RecordWriter(RecordSink& sink) : sink_(sink) {}

    bool header() {
        uint8_t* p = sink_.reserve(kBtsHeaderSize);
        if (!p) return false;
        memset(p, 0, kBtsHeaderSize);
        memcpy(p, kBtsMagic, sizeof kBtsMagic);
        return true;
    }

    // Room for the record with its header fields and name filled in; null when the
    // file cannot take it.
    uint8_t* record(const BtsRecord& rec, const std::string& name) {
        uint64_t len = rec.length();
        if (sink_.position() + len > kBtsMaxRecordEnd) return nullptr;
        uint8_t* p = sink_.reserve(uint32_t(len));
        if (!p) return nullptr;
        bts_write_record_header(p, rec);
        if (!name.empty()) memcpy(p + rec.name_offset(), name.data(), name.size());
        return p;
    }

    std::vector<const BtsFolder*> ancestors;

private:
    RecordSink& sink_;
};

bool BtsFolder::read_records(RecordReader& in, uint32_t value_count, uint32_t folder_count, int depth) {
    BtsRecord rec;
    const uint8_t *name, *body;
    for (uint32_t i = 0; i < value_count; ++i) {
        if (!in.next(rec, name, body) || rec.is_folder()) return false;
        set_value(std::string(reinterpret_cast<const char*>(name), rec.name_length), rec.type, body,
                  rec.data_length);
    }
    for (uint32_t i = 0; i < folder_count; ++i) {
        if (!in.next(rec, name, body) || !rec.is_folder()) return false;
        if (depth + 1 > kBtsMaxDepth) return false;
        auto sub = std::make_shared<BtsFolder>();
        if (!sub->read_records(in, bts_read_u32(body), bts_read_u32(body + 4), depth + 1)) return false;
        set_folder(std::string(reinterpret_cast<const char*>(name), rec.name_length), sub);
    }
    return true;
}

bool BtsFolder::write_records(RecordWriter& out, const std::string& name, int depth) const {
    // The depth limit also ends a folder that holds itself; the ancestor check ends it at once.
    if (depth > kBtsMaxDepth) return false;
    if (std::find(out.ancestors.begin(), out.ancestors.end(), this) != out.ancestors.end()) return false;
    if (!fits_u32(name.size()) || !fits_u32(values_.size()) || !fits_u32(folders_.size())) return false;
    BtsRecord rec{kBtsFolderType, uint32_t(name.size()), kBtsFolderDataLength};
    uint8_t* p = out.record(rec, name);
    if (!p) return false;
    bts_write_u32(p + rec.data_offset(), uint32_t(values_.size()));
    bts_write_u32(p + rec.data_offset() + 4, uint32_t(folders_.size()));

    for (const auto* entry : sorted(values_)) {
        const BtsValue& v = *entry->second;
        if (!fits_u32(v.name().size())) return false;
        BtsRecord vr{v.type(), uint32_t(v.name().size()), v.size()};
        if (vr.is_folder()) return false;
        uint8_t* q = out.record(vr, v.name());
        if (!q) return false;
        if (v.size()) memcpy(q + vr.data_offset(), v.data().data(), v.size());
    }
    out.ancestors.push_back(this);
    for (const auto* entry : sorted(folders_)) {
        if (!entry->second->write_records(out, entry->first, depth + 1)) return false;
    }
    out.ancestors.pop_back();
    return true;
}

// ---- folder as a whole ----

void BtsFolder::clear() {
    values_.clear();
    folders_.clear();
}

bool BtsFolder::load(const std::string& path) {
    clear();
    MappedBuffer file(path, MB_READ, 0);
    if (!file.is_mapped()) return false;
    return load_from_memory(file.data(), file.length());
}

bool BtsFolder::load_from_memory(const uint8_t* data, size_t length) {
    clear();
    if (!data || length == 0 || length > kBtsMaxFileSize) return false;
    if (length < kBtsHeaderSize || memcmp(data, kBtsMagic, sizeof kBtsMagic) != 0) return false;
    RecordReader in(data, length);
    BtsRecord top;
    const uint8_t *name, *body;
    if (!in.next(top, name, body) || !top.is_folder()) return false;
    return read_records(in, bts_read_u32(body), bts_read_u32(body + 4), 1);
}

bool BtsFolder::save_to_memory(std::vector<uint8_t>& out) const {
    MemorySink sink(out);
    RecordWriter writer(sink);
    return writer.header() && write_records(writer, "root", 1);
}

bool BtsFolder::save(const std::string& path) const {
    // Exactly the named file: one whose name only matches ignoring case is
    // another file (profiles "Ann" and "ann" each have their own).
    const std::string target = native_path(path);
    if (name_of_path(target).empty()) return false;
    struct stat old;
    bool replacing = stat(target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) return false;

    std::string temp = temporary_name_beside(target);
    if (temp.empty()) return false;
    bool ok;
    {
        MappedBuffer file;
        ok = file.open(temp, MB_READ | MB_WRITE | MB_ROUND_PAGE, kBtsPageSize);
        if (ok) {
            MappedSink sink(file);
            RecordWriter writer(sink);
            ok = writer.header() && write_records(writer, "root", 1);
        }
        // The old file's permissions carry over to the one that replaces it.
        if (ok && replacing) fchmod(file.file().handle(), old.st_mode & 07777);
        if (!file.close()) ok = false;
    }
    if (ok && rename(temp.c_str(), target.c_str()) != 0) ok = false;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; the new file is complete either way.
    std::string dir = dir_of_path(target);
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        ::close(dfd);
    }
    return true;
}

BtsFolderPtr BtsFolder::get_folder(const std::string& name) const {
    auto it = folders_.find(name);
    return it == folders_.end() ? BtsFolderPtr() : it->second;
}

void BtsFolder::set_folder(const std::string& name, BtsFolderPtr folder) {
    if (folder) folders_[name] = std::move(folder);
}

std::vector<std::string> BtsFolder::get_folder_names() const {
    std::vector<std::string> names;
    names.reserve(folders_.size());
    for (const auto& entry : folders_) names.push_back(entry.first);
    std::sort(names.begin(), names.end());
    return names;
}

// ---- values ----

bool BtsFolder::set_value(const std::string& name, uint32_t type, const void* data, uint32_t length) {
    if (type == kBtsFolderType && length == kBtsFolderDataLength) return false;
    if (!data && length) return false;
    values_[name] = std::make_shared<BtsValue>(type, name, data, length);
    return true;
}

bool BtsFolder::get_value(const std::string& name, uint32_t type, BtsBuffer& buffer) const {
    auto it = values_.find(name);
    if (it == values_.end()) return false;
    return it->second->get(type, buffer);
}

BtsValuePtr BtsFolder::find_value(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? BtsValuePtr() : it->second;
}

template <typename T>
uint32_t BtsFolder::get_array(const std::string& name, uint32_t type, T* out, uint32_t count) const {
    auto it = values_.find(name);
    if (it == values_.end()) return 0;
    BtsBuffer buffer{out, clamp_bytes(count, sizeof(T))};
    it->second->get(type, buffer);
    return buffer.length / uint32_t(sizeof(T));
}

template <typename T>
uint32_t BtsFolder::get_scalar(const std::string& name, uint32_t type, T& out, T def) const {
    uint32_t n = get_array(name, type, &out, 1);
    if (n == 0) out = def;
    return n;
}

template <typename T>
uint32_t BtsFolder::get_vector(const std::string& name, uint32_t type, std::vector<T>& out) const {
    out.clear();
    auto it = values_.find(name);
    if (it == values_.end()) return 0;
    uint32_t stored = it->second->element_count();
    if (stored == 0) return 0;
    out.resize(stored);
    uint32_t n = get_array(name, type, out.data(), stored);
    if (n == 0) {
        out.clear();
        return 0;
    }
    out.resize(n);
    return n;
}

template <typename T>
void BtsFolder::set_array(const std::string& name, uint32_t type, const T* p, uint32_t count) {
    uint64_t bytes = uint64_t(count) * sizeof(T);
    if (bytes > UINT32_MAX) return;
    set_value(name, type, p, uint32_t(bytes));
}

#define QX_BTS_TYPED_MEMBERS(T, CODE, ARRAY, SCALAR, VECTOR)                                               \
    uint32_t BtsFolder::get_##ARRAY(const std::string& name, T* out, uint32_t count) const {             \
        return get_array(name, CODE, out, count);                                                          \
    }                                                                                                      \
    uint32_t BtsFolder::get_vector_##VECTOR(const std::string& name, std::vector<T>& out) const {         \
        return get_vector(name, CODE, out);                                                                \
    }                                                                                                      \
    void BtsFolder::set_##ARRAY(const std::string& name, const T* p, uint32_t count) {                    \
        set_array(name, CODE, p, count);                                                                   \
    }                                                                                                      \
    void BtsFolder::set_##SCALAR(const std::string& name, T value) { set_array(name, CODE, &value, 1); } \
    void BtsFolder::set_vector_##VECTOR(const std::string& name, const std::vector<T>& v) {               \
        if (!v.empty() && v.size() <= UINT32_MAX) set_array(name, CODE, v.data(), uint32_t(v.size()));    \
    }

QX_BTS_TYPED_MEMBERS(int8_t, BTS_INT8, int8s, int8, int8)
QX_BTS_TYPED_MEMBERS(uint8_t, BTS_UINT8, uint8s, uint8, uint8)
QX_BTS_TYPED_MEMBERS(int16_t, BTS_INT16, int16s, int16, int16)
QX_BTS_TYPED_MEMBERS(uint16_t, BTS_UINT16, uint16s, uint16, uint16)
QX_BTS_TYPED_MEMBERS(int32_t, BTS_INT32, int32s, int32, int32)
QX_BTS_TYPED_MEMBERS(uint32_t, BTS_UINT32, uint32s, uint32, uint32)
QX_BTS_TYPED_MEMBERS(int64_t, BTS_INT64, int64s, int64, int64)
QX_BTS_TYPED_MEMBERS(float, BTS_FLOAT32, float32s, float32, float32)
QX_BTS_TYPED_MEMBERS(double, BTS_FLOAT64, float64s, float64, float64)

#undef QX_BTS_TYPED_MEMBERS

uint32_t BtsFolder::get_int8(const std::string& name, int8_t& out, int8_t def) const {
    return get_scalar(name, BTS_INT8, out, def);
}
uint32_t BtsFolder::get_uint16(const std::string& name, uint16_t& out, uint16_t def) const {
    return get_scalar(name, BTS_UINT16, out, def);
}
uint32_t BtsFolder::get_int32(const std::string& name, int32_t& out, int32_t def) const {
    return get_scalar(name, BTS_INT32, out, def);
}
uint32_t BtsFolder::get_uint32(const std::string& name, uint32_t& out, uint32_t def) const {
    return get_scalar(name, BTS_UINT32, out, def);
}
uint32_t BtsFolder::get_float32(const std::string& name, float& out, float def) const {
    return get_scalar(name, BTS_FLOAT32, out, def);
}

uint32_t BtsFolder::get_string(const std::string& name, std::string& out, const std::string& def) const {
    auto it = values_.find(name);
    if (it == values_.end() || it->second->type() != BTS_STRING) {
        out = def;
        return 0;
    }
    const std::vector<uint8_t>& d = it->second->data();
    out.assign(d.begin(), d.end());
    return uint32_t(out.size());
}

void BtsFolder::set_string(const std::string& name, const std::string& value) {
    if (value.size() <= UINT32_MAX) set_value(name, BTS_STRING, value.data(), uint32_t(value.size()));
}

}  // namespace Qx
