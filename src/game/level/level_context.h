#pragma once
// Run-time state of a game that is not held in cells: the tick's input word,
// the status block, the sound-event counters and the random generator.
#include <cstdint>

#include "game/level/random.h"

// Game-state bits.
enum KV_GameState : int32_t {
    GS_RUNNING = 1,
    GS_PLAYER_DESTROYED = 2,
    GS_EXIT_REACHED = 4,
};

class KV_LevelStatus {
public:
    void reset() { *this = KV_LevelStatus(); }

    int32_t get_quarkels_needed() const { return quarkels_needed_; }
    void set_quarkels_needed(int32_t n) { quarkels_needed_ = n; }
    void inc_quarkels() { ++quarkels_collected_; }
    int32_t get_quarkels() const { return quarkels_collected_; }
    bool enough_quarkels() const { return quarkels_collected_ >= quarkels_needed_; }
    void set_quarkels_present(int32_t n) { quarkels_present_ = n; }
    void inc_quarkels_present() { ++quarkels_present_; }
    int32_t get_quarkels_present() const { return quarkels_present_; }

    void inc_red_disks() { ++red_disks_; }
    void dec_red_disks() { --red_disks_; }
    int32_t get_red_disks() const { return red_disks_; }

    void set_gravity() { gravity_ = true; }
    void clear_gravity() { gravity_ = false; }
    bool get_gravity() const { return gravity_; }
    void set_freeze_grobbles() { freeze_grobbles_ = true; }
    void clear_freeze_grobbles() { freeze_grobbles_ = false; }
    bool get_freeze_grobbles() const { return freeze_grobbles_; }
    void set_freeze_enemies() { freeze_enemies_ = true; }
    void clear_freeze_enemies() { freeze_enemies_ = false; }
    bool get_freeze_enemies() const { return freeze_enemies_; }
    void set_terminal_used() { terminal_used_ = true; }
    void clear_terminal_used() { terminal_used_ = false; }
    bool get_terminal_used() const { return terminal_used_; }
    void set_yellow_armed() { yellow_armed_ = true; }
    void clear_yellow_armed() { yellow_armed_ = false; }
    bool get_yellow_armed() const { return yellow_armed_; }

    // Stores the whole mask: the exit's 4 replaces the running bit.
    void set_state(int32_t mask) { state_ = mask; }
    bool test_state(int32_t bits) const { return (state_ & bits) != 0; }
    int32_t get_state() const { return state_; }

    void inc_moves() { ++moves_; }
    void set_moves(int32_t m) { moves_ = m; }
    int32_t get_moves() const { return moves_; }

private:
    int32_t quarkels_needed_ = 0;
    int32_t quarkels_collected_ = 0;
    int32_t quarkels_present_ = 0;
    int32_t red_disks_ = 0;
    bool gravity_ = false;
    bool freeze_grobbles_ = false;
    bool freeze_enemies_ = false;
    bool terminal_used_ = false;
    bool yellow_armed_ = false;
    int32_t state_ = GS_RUNNING;
    int32_t moves_ = 0;
};

// Sound-event ids that objects post during a tick.
enum KV_SoundEvent : int {
    SE_EXIT = 0,
    SE_ZAP = 1,
    SE_BASE_EATEN = 2,
    SE_DATAPOD = 3,
    SE_EAT = 4,
    SE_UNUSED = 5,
    SE_TERMINAL = 6,
    SE_SWITCH = 7,
    SE_FALL_NEAR = 8,
    SE_FALL_FAR = 9,
    SE_OBJECT_FALL_NEAR = 10,
    SE_OBJECT_FALL_FAR = 11,
    SE_EXPLOSION_NEAR = 12,
    SE_EXPLOSION_FAR = 13,
    SE_BUG_NEAR = 14,
    SE_BUG_FAR = 15,
};
constexpr int KV_SOUND_EVENT_COUNT = 16;

class KV_SoundEvents {
public:
    // Ids outside 0..15 are ignored rather than writing past the counters.
    void post(int id) {
        if (id >= 0 && id < KV_SOUND_EVENT_COUNT) ++counts_[id];
    }
    int32_t count(int id) const { return (id >= 0 && id < KV_SOUND_EVENT_COUNT) ? counts_[id] : 0; }
    void reset() {
        for (int32_t& c : counts_) c = 0;
    }

private:
    int32_t counts_[KV_SOUND_EVENT_COUNT] = {};
};

class KV_LevelContext {
public:
    // Seeds from the calendar clock, as a new game does.
    KV_LevelContext();

    int32_t* get_input() { return &input_; }
    KV_LevelStatus* get_status() { return &status_; }
    KV_SoundEvents* get_sound_events() { return &sound_; }
    void seed(uint32_t s) {
        seed_ = s;
        engine_.seed_with(s);
    }
    int random() { return engine_.next(); }
    uint32_t get_random_seed() const { return seed_; }
    // Draws since the seeding; a generator re-seeded and moved on by that many
    // draws goes on exactly as this one.
    uint64_t get_random_draws() const { return engine_.draw_count(); }
    void skip_random(uint64_t draws) { engine_.discard(draws); }

private:
    int32_t input_ = 0;
    KV_LevelStatus status_;
    KV_SoundEvents sound_;
    uint32_t seed_ = 0;
    KV_Random engine_;
};
