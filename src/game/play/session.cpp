#include "game/play/session.h"

KV_GameSession::KV_GameSession(std::shared_ptr<KV_Level> level) { start(std::move(level)); }

void KV_GameSession::start(std::shared_ptr<KV_Level> level) {
    pacer_.reset();
    game_.set_level(std::move(level));
    keys_.clear();
}

KV_GameResult KV_GameSession::run_frame(KV_PlayHost& host) {
    KV_Level* level = game_.get_level().get();
    if (level) {
        const KV_FramePacer::Step step = pacer_.next();
        if (step.tick) {
            int32_t* input = level->get_input();
            *input = host.read_keys();
            keys_.record(uint32_t(*input));
            logic_tick(host);
        } else {
            host.draw_frame(game_, step.fraction, get_game_speed());
        }
    }
    host.keep_alive();
    return get_state();
}

void KV_GameSession::logic_tick(KV_PlayHost& host) {
    const std::shared_ptr<KV_Level> level = game_.get_level();
    if (!level) return;
    game_.process();
    host.play_events(*level->get_sound_events());
}

uint32_t KV_GameSession::get_random_seed() const {
    const std::shared_ptr<KV_Level> level = game_.get_level();
    return level ? level->get_random_seed() : 0;
}
