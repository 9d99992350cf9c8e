#pragma once
// The hash of every string-keyed table that file contents fill (player names,
// progress keys, the names in a BTS folder). A keyed SipHash whose key is drawn
// at random once per process, so no file can be made whose keys all fall into
// one bucket. The order such a table iterates in therefore differs between runs.
#include <cstddef>
#include <cstdint>
#include <string>

namespace Qx {

uint64_t string_hash(const void* data, size_t length);
// SipHash-2-4 under a given key (k0 from the key's first eight bytes, little-endian).
uint64_t siphash24(uint64_t k0, uint64_t k1, const void* data, size_t length);
inline uint64_t string_hash(const std::string& s) { return string_hash(s.data(), s.size()); }

struct StringHash {
    size_t operator()(const std::string& s) const { return size_t(string_hash(s)); }
};

}  // namespace Qx
