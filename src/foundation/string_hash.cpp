#include "foundation/string_hash.h"

#include <sys/random.h>

#include <chrono>

namespace Qx {

namespace {

struct Key {
    uint64_t k0, k1;
};

Key draw_key() {
    Key key{};
    if (getrandom(&key, sizeof key, 0) == ssize_t(sizeof key)) return key;
    // No entropy to be had: the clock and an address still keep the key unknown
    // to whoever wrote the file.
    const uint64_t t = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    return Key{t ^ 0x736f6d6570736575ull, uint64_t(reinterpret_cast<uintptr_t>(&key)) ^ (t << 1)};
}

const Key& key() {
    static const Key k = draw_key();
    return k;
}

inline uint64_t rotl(uint64_t x, int b) { return (x << b) | (x >> (64 - b)); }

struct State {
    uint64_t v0, v1, v2, v3;
    void round() {
        v0 += v1; v1 = rotl(v1, 13); v1 ^= v0; v0 = rotl(v0, 32);
        v2 += v3; v3 = rotl(v3, 16); v3 ^= v2;
        v0 += v3; v3 = rotl(v3, 21); v3 ^= v0;
        v2 += v1; v1 = rotl(v1, 17); v1 ^= v2; v2 = rotl(v2, 32);
    }
    void absorb(uint64_t m) {
        v3 ^= m;
        round();
        round();
        v0 ^= m;
    }
};

}  // namespace

uint64_t siphash24(uint64_t k0, uint64_t k1, const void* data, size_t length) {
    State s{k0 ^ 0x736f6d6570736575ull, k1 ^ 0x646f72616e646f6dull, k0 ^ 0x6c7967656e657261ull,
            k1 ^ 0x7465646279746573ull};
    const auto* p = static_cast<const uint8_t*>(data);
    const size_t whole = length / 8 * 8;
    for (size_t i = 0; i < whole; i += 8) {
        uint64_t m = 0;
        for (int b = 0; b < 8; ++b) m |= uint64_t(p[i + size_t(b)]) << (8 * b);
        s.absorb(m);
    }
    uint64_t last = uint64_t(length) << 56;
    for (size_t i = whole; i < length; ++i) last |= uint64_t(p[i]) << (8 * (i - whole));
    s.absorb(last);
    s.v2 ^= 0xff;
    for (int i = 0; i < 4; ++i) s.round();
    return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

uint64_t string_hash(const void* data, size_t length) {
    const Key& k = key();
    return siphash24(k.k0, k.k1, data, length);
}

}  // namespace Qx
