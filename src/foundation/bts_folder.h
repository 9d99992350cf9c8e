#pragma once
// The in-memory BTS tree: folders of named typed values and named subfolders,
// loaded from and saved to BTS files.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/bts_format.h"
#include "foundation/string_hash.h"

namespace Qx {

// A caller's buffer: where to write and how many bytes fit; the length comes back
// as the bytes written (or, when asking, the stored length).
struct BtsBuffer {
    void* data = nullptr;
    uint32_t length = 0;
};

// One named value; never changed after it is made.
class BtsValue {
public:
    BtsValue(uint32_t type, std::string name, const void* data, uint32_t length);

    uint32_t type() const { return type_; }
    const std::string& name() const { return name_; }
    const std::vector<uint8_t>& data() const { return data_; }
    uint32_t size() const { return uint32_t(data_.size()); }
    uint32_t element_count() const;

    static uint32_t type_size(uint32_t type);

    // Asking (null data with a length, or length 0) gives the stored type and length
    // and false; otherwise converts the elements into the buffer.
    bool get(uint32_t& type, BtsBuffer& buffer) const;
    bool convert(uint32_t& type, BtsBuffer& buffer) const;

private:
    uint32_t type_;
    std::string name_;
    std::vector<uint8_t> data_;
};

class BtsFolder;
using BtsValuePtr = std::shared_ptr<BtsValue>;
using BtsFolderPtr = std::shared_ptr<BtsFolder>;

class BtsFolder {
public:
    using ValueMap = std::unordered_map<std::string, BtsValuePtr, StringHash>;
    using FolderMap = std::unordered_map<std::string, BtsFolderPtr, StringHash>;

    BtsFolder() = default;

    // Empties the folder, then reads the file's tree into it. On a bad file the
    // result is false and what was read before the fault stays.
    bool load(const std::string& path);
    bool load_from_memory(const uint8_t* data, size_t length);
    // Writes the whole tree to a temporary file beside path and renames it over
    // path only when every byte reached the disk; a failed save leaves the old file.
    // The file is the one named exactly: unlike load, no other case is matched.
    bool save(const std::string& path) const;
    // The file's bytes, as save would write them.
    bool save_to_memory(std::vector<uint8_t>& out) const;

    BtsFolderPtr get_folder(const std::string& name) const;
    // A null pointer is refused.
    void set_folder(const std::string& name, BtsFolderPtr folder);
    // Ascending byte-wise.
    std::vector<std::string> get_folder_names() const;

    // Refuses (false) what a reader would take for a folder record: type 1 with 8
    // bytes, and null data with a length.
    bool set_value(const std::string& name, uint32_t type, const void* data, uint32_t length);
    bool get_value(const std::string& name, uint32_t type, BtsBuffer& buffer) const;
    BtsValuePtr find_value(const std::string& name) const;

    const ValueMap& values() const { return values_; }
    const FolderMap& folders() const { return folders_; }
    void clear();

    uint32_t get_int8s(const std::string& name, int8_t* out, uint32_t count) const;
    uint32_t get_uint8s(const std::string& name, uint8_t* out, uint32_t count) const;
    uint32_t get_int16s(const std::string& name, int16_t* out, uint32_t count) const;
    uint32_t get_uint16s(const std::string& name, uint16_t* out, uint32_t count) const;
    uint32_t get_int32s(const std::string& name, int32_t* out, uint32_t count) const;
    uint32_t get_uint32s(const std::string& name, uint32_t* out, uint32_t count) const;
    uint32_t get_int64s(const std::string& name, int64_t* out, uint32_t count) const;
    uint32_t get_float32s(const std::string& name, float* out, uint32_t count) const;
    uint32_t get_float64s(const std::string& name, double* out, uint32_t count) const;

    uint32_t get_int8(const std::string& name, int8_t& out, int8_t def) const;
    uint32_t get_uint16(const std::string& name, uint16_t& out, uint16_t def) const;
    uint32_t get_int32(const std::string& name, int32_t& out, int32_t def) const;
    uint32_t get_uint32(const std::string& name, uint32_t& out, uint32_t def) const;
    uint32_t get_float32(const std::string& name, float& out, float def) const;

    uint32_t get_vector_int8(const std::string& name, std::vector<int8_t>& out) const;
    uint32_t get_vector_uint8(const std::string& name, std::vector<uint8_t>& out) const;
    uint32_t get_vector_int16(const std::string& name, std::vector<int16_t>& out) const;
    uint32_t get_vector_uint16(const std::string& name, std::vector<uint16_t>& out) const;
    uint32_t get_vector_int32(const std::string& name, std::vector<int32_t>& out) const;
    uint32_t get_vector_uint32(const std::string& name, std::vector<uint32_t>& out) const;
    uint32_t get_vector_int64(const std::string& name, std::vector<int64_t>& out) const;
    uint32_t get_vector_float32(const std::string& name, std::vector<float>& out) const;
    uint32_t get_vector_float64(const std::string& name, std::vector<double>& out) const;

    uint32_t get_string(const std::string& name, std::string& out, const std::string& def) const;

    void set_int8s(const std::string& name, const int8_t* p, uint32_t count);
    void set_uint8s(const std::string& name, const uint8_t* p, uint32_t count);
    void set_int16s(const std::string& name, const int16_t* p, uint32_t count);
    void set_uint16s(const std::string& name, const uint16_t* p, uint32_t count);
    void set_int32s(const std::string& name, const int32_t* p, uint32_t count);
    void set_uint32s(const std::string& name, const uint32_t* p, uint32_t count);
    void set_int64s(const std::string& name, const int64_t* p, uint32_t count);
    void set_float32s(const std::string& name, const float* p, uint32_t count);
    void set_float64s(const std::string& name, const double* p, uint32_t count);

    void set_int8(const std::string& name, int8_t value);
    void set_uint8(const std::string& name, uint8_t value);
    void set_int16(const std::string& name, int16_t value);
    void set_uint16(const std::string& name, uint16_t value);
    void set_int32(const std::string& name, int32_t value);
    void set_uint32(const std::string& name, uint32_t value);
    void set_int64(const std::string& name, int64_t value);
    void set_float32(const std::string& name, float value);
    void set_float64(const std::string& name, double value);

    void set_vector_int8(const std::string& name, const std::vector<int8_t>& v);
    void set_vector_uint8(const std::string& name, const std::vector<uint8_t>& v);
    void set_vector_int16(const std::string& name, const std::vector<int16_t>& v);
    void set_vector_uint16(const std::string& name, const std::vector<uint16_t>& v);
    void set_vector_int32(const std::string& name, const std::vector<int32_t>& v);
    void set_vector_uint32(const std::string& name, const std::vector<uint32_t>& v);
    void set_vector_int64(const std::string& name, const std::vector<int64_t>& v);
    void set_vector_float32(const std::string& name, const std::vector<float>& v);
    void set_vector_float64(const std::string& name, const std::vector<double>& v);

    void set_string(const std::string& name, const std::string& value);

private:
    class RecordReader;
    class RecordWriter;
    // This folder's values and subfolders, read after its folder record.
    bool read_records(RecordReader& in, uint32_t value_count, uint32_t folder_count, int depth);
    // This folder under name: its record, its values, then its subfolders.
    bool write_records(RecordWriter& out, const std::string& name, int depth) const;

    template <typename T>
    uint32_t get_array(const std::string& name, uint32_t type, T* out, uint32_t count) const;
    template <typename T>
    uint32_t get_scalar(const std::string& name, uint32_t type, T& out, T def) const;
    template <typename T>
    uint32_t get_vector(const std::string& name, uint32_t type, std::vector<T>& out) const;
    template <typename T>
    void set_array(const std::string& name, uint32_t type, const T* p, uint32_t count);

    ValueMap values_;
    FolderMap folders_;
};

// Removes the temporary files that saves into folder left behind when their
// writer was killed mid-save (names ".NAME.tmpPID-N" whose process PID no longer
// runs). Returns the names removed.
std::vector<std::string> remove_stale_temporaries(const std::string& folder);

}  // namespace Qx
