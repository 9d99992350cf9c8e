#include "game/play/session.h"

#include "game/play/play_step.h"

KV_GameSession::KV_GameSession(std::shared_ptr<KV_Level> level) { start(std::move(level)); }

void KV_GameSession::start(std::shared_ptr<KV_Level> level) {
    pacer_.reset();
    game_.set_level(std::move(level));
    keys_.clear();
}

KV_GameResult KV_GameSession::run_frame(KV_PlayHost& host) {
    if (game_.get_level()) {
        kv_frame_step(pacer_, game_, host, [&] {
            const int32_t keys = host.read_keys();
            keys_.record(uint32_t(keys));
            return keys;
        });
    }
    host.keep_alive();
    return get_state();
}

void KV_GameSession::logic_tick(KV_PlayHost& host) { kv_logic_tick(game_, host); }

uint32_t KV_GameSession::get_random_seed() const {
    const std::shared_ptr<KV_Level> level = game_.get_level();
    return level ? level->get_random_seed() : 0;
}
