#pragma once
// Builds BTS file images record by record, independently of the writer under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/bts_folder.h"

namespace test_support {

class BtsBytes {
public:
    BtsBytes() { bytes_ = {'B', 'T', 'S', '0', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; }

    BtsBytes& record(uint32_t type, const std::string& name, const std::vector<uint8_t>& data) {
        size_t start = bytes_.size();
        u32(type).u32(uint32_t(name.size())).u32(uint32_t(data.size()));
        bytes_.insert(bytes_.end(), name.begin(), name.end());
        pad();
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        pad();
        while (bytes_.size() - start < 16) bytes_.push_back(0);
        return *this;
    }
    BtsBytes& folder(const std::string& name, uint32_t values, uint32_t subfolders) {
        std::vector<uint8_t> counts(8);
        put_u32(counts.data(), values);
        put_u32(counts.data() + 4, subfolders);
        return record(1, name, counts);
    }
    BtsBytes& int32(const std::string& name, int32_t v) {
        std::vector<uint8_t> d(4);
        memcpy(d.data(), &v, 4);
        return record(Qx::BTS_INT32, name, d);
    }
    BtsBytes& text(const std::string& name, const std::string& s) {
        return record(Qx::BTS_STRING, name, std::vector<uint8_t>(s.begin(), s.end()));
    }
    // Just a record's 12 header bytes, with whatever lengths it claims.
    BtsBytes& header_only(uint32_t type, uint32_t name_length, uint32_t data_length) {
        return u32(type).u32(name_length).u32(data_length);
    }
    BtsBytes& raw(const std::vector<uint8_t>& b) {
        bytes_.insert(bytes_.end(), b.begin(), b.end());
        return *this;
    }
    BtsBytes& zeros(size_t n) {
        bytes_.insert(bytes_.end(), n, 0);
        return *this;
    }
    BtsBytes& u32(uint32_t v) {
        uint8_t b[4];
        put_u32(b, v);
        bytes_.insert(bytes_.end(), b, b + 4);
        return *this;
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    static void put_u32(uint8_t* p, uint32_t v) {
        for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
    }
    void pad() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    std::vector<uint8_t> bytes_;
};

// Same names, types and bytes in every folder, whatever the order.
inline bool same_tree(const Qx::BtsFolder& a, const Qx::BtsFolder& b) {
    if (a.values().size() != b.values().size() || a.folders().size() != b.folders().size()) return false;
    for (const auto& entry : a.values()) {
        auto other = b.find_value(entry.first);
        if (!other || other->type() != entry.second->type() || other->data() != entry.second->data() ||
            other->name() != entry.second->name())
            return false;
    }
    for (const auto& entry : a.folders()) {
        auto other = b.get_folder(entry.first);
        if (!other || !same_tree(*entry.second, *other)) return false;
    }
    return true;
}

inline bool load_bytes(Qx::BtsFolder& f, const std::vector<uint8_t>& bytes) {
    return f.load_from_memory(bytes.data(), bytes.size());
}

}  // namespace test_support
