#include "game/level/random.h"

void KV_Random::seed_with(uint32_t seed) {
    uint32_t x = seed;
    for (int i = 0; i < N; ++i) {
        x *= 69069u;
        state_[i] = x;
    }
    pos_ = N;
    draws_ = 0;
}

void KV_Random::regenerate() {
    constexpr int M = 397;
    constexpr uint32_t kMatrix = 0x9908b0dfu, kUpper = 0x80000000u, kLower = 0x7fffffffu;
    for (int i = 0; i < N; ++i) {
        uint32_t y = (state_[i] & kUpper) | (state_[(i + 1) % N] & kLower);
        state_[i] = state_[(i + M) % N] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
    }
    pos_ = 0;
}

void KV_Random::discard(uint64_t count) {
    while (count > 0) {
        if (pos_ >= N) regenerate();
        const uint64_t n = count < uint64_t(N - pos_) ? count : uint64_t(N - pos_);
        pos_ += int(n);
        draws_ += n;
        count -= n;
    }
}

uint32_t KV_Random::next_u32() {
    if (pos_ >= N) regenerate();
    ++draws_;
    uint32_t y = state_[pos_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= y >> 18;
    return y;
}
