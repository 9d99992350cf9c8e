#pragma once
// The game's random generator: a Mersenne Twister whose state is seeded through
// the multiplier 69069, each draw taking bits 16..30 of one tempered output.
// Demos store only the seed, so this sequence must never change.
#include <cstdint>

class KV_Random {
public:
    explicit KV_Random(uint32_t seed = 0) { seed_with(seed); }

    // State word i = seed * 69069^(i+1) mod 2^32; the first draw regenerates.
    void seed_with(uint32_t seed);
    // One tempered 32-bit output.
    uint32_t next_u32();
    // The next value 0..32767.
    int next() { return int((next_u32() >> 16) & 0x7fff); }
    // The raw state, for checking the seeding.
    uint32_t state_word(int i) const { return state_[i]; }

    // Outputs drawn since the seeding. With the seed it is the whole state, so
    // a tool that stores many games keeps these two numbers, not 2.5 KiB.
    uint64_t draw_count() const { return draws_; }
    // Moves on as `count` draws would, without tempering their outputs.
    void discard(uint64_t count);

private:
    static constexpr int N = 624;
    void regenerate();

    uint32_t state_[N];
    int pos_ = N;
    uint64_t draws_ = 0;
};
