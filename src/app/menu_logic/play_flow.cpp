#include "app/menu_logic/play_flow.h"

// The rules are installed by the games and levels this flow makes, before they ask them anything.
KV_PlayFlow::KV_PlayFlow(KV_PlayScreenEnv& env) : env_(env) {}

int32_t kv_speed_step(KV_PlayKey key) {
    switch (key) {
        case KV_PlayKey::SpeedUp1: return 1;
        case KV_PlayKey::SpeedDown1: return -1;
        case KV_PlayKey::SpeedUp10: return 10;
        case KV_PlayKey::SpeedDown10: return -10;
        default: return 0;
    }
}

void KV_PlayFlow::set_mode(int32_t mode) {
    mode_ = mode;
    start_ = true;
}

void KV_PlayFlow::change_menu(const std::string& menu) {
    leave_requested_ = false;
    env_.disable_end_timer();
    env_.switch_to(menu);
    start_ = true;
}

void KV_PlayFlow::go_back() {
    if (mode_ == MODE_PLAY || mode_ == MODE_REPLAY_LAST) {
        change_menu("menu_game");
    } else if (mode_ == MODE_REPLAY_FILE) {
        change_menu("menu_demos");
    }
}

void KV_PlayFlow::on_timer() {
    env_.disable_end_timer();
    leave_requested_ = true;
}

void KV_PlayFlow::run_frame() {
    if (leave_requested_) {
        end_game();
        return;
    }
    if (mode_ == MODE_PLAY) {
        frame_play();
    } else if (mode_ == MODE_REPLAY_LAST || mode_ == MODE_REPLAY_FILE) {
        frame_replay();
    }
}

bool KV_PlayFlow::start_game() {
    Started s;
    s.player = env_.current_player();
    if (!s.player) return false;
    s.level = s.player->get_current_level();
    if (!s.level) return false;
    std::shared_ptr<KV_Level> field = s.level->ToGenericLevel();
    // Without a Pellik nothing on the field can ever end the game.
    if (!field || !field->get_has_player()) return false;
    s.number = s.player->get_current_level_number();
    s.levelset = s.player->get_levelset_name();
    s.stat = s.player->get_levelset_stat();

    game_ = std::make_unique<KV_GameSession>(field);
    game_->set_clock(env_.clock());
    game_->set_game_speed(s.player->get_game_speed());
    started_ = std::move(s);
    env_.disable_end_timer();
    end_state_ = END_RUNNING;
    start_ = false;
    return true;
}

void KV_PlayFlow::frame_play() {
    if (start_ && !start_game()) {
        // Nothing to play: back to the level choice rather than stepping the
        // last, finished game once more.
        go_back();
        return;
    }
    if (!game_) {
        env_.base_frame();
        return;
    }
    const KV_GameResult r = game_->run_frame(env_.host());
    if (end_state_ != END_RUNNING) return;  // the end delay runs; the field goes on moving
    if (r == GR_ENDED) {
        end_state_ = END_LOST;
        env_.arm_end_timer(LOST_DELAY_MS);
    } else if (r == GR_FINISHED) {
        end_state_ = END_SOLVED;
        env_.pause_ms(SOLVED_PAUSE_MS);
        end_game();
    }
}

void KV_PlayFlow::frame_replay() {
    if (start_) {
        if (demo_) {
            demo_->SetClock(env_.clock());
            demo_->Restart();
            if (std::shared_ptr<KV_Player> p = env_.current_player()) demo_->SetGameSpeed(p->get_game_speed());
        }
        env_.disable_end_timer();
        end_state_ = END_RUNNING;
        start_ = false;
    }
    if (!demo_) {
        env_.base_frame();
        return;
    }
    const KV_GameResult r = demo_->RunFrame(env_.host());
    if (end_state_ != END_RUNNING) return;
    if (r == GR_ENDED) {
        end_state_ = END_LOST;
        end_game();
    } else if (r == GR_FINISHED) {
        end_state_ = END_SOLVED;
        end_game();
    }
}

void KV_PlayFlow::end_game() {
    leave_requested_ = false;
    env_.disable_end_timer();

    const bool played = mode_ == MODE_PLAY && game_ && started_.player && started_.level;
    if (played) {
        auto demo = std::make_shared<KV_Demo>(started_.level, game_->get_key_stream(), game_->get_random_seed());
        demo->SetPlayer(started_.player->get_name());
        demo->SetLevelset(started_.levelset);
        demo->SetLevelNumber(started_.number);
        const std::array<uint32_t, 4> w = KV_Demo::DateWords(env_.local_time());
        demo->SetDate(w[0], w[1], w[2], w[3]);
        demo_ = demo;
    }

    if (end_state_ == END_SOLVED && played) {
        if (started_.stat) started_.stat->level_state(started_.number) = KV_LevelsetStat::LEVEL_SOLVED;
        started_.player->set_current_level_number(started_.number + 1);
        env_.save_player(*started_.player);
    }
    end_state_ = END_RUNNING;
    go_back();
}

void KV_PlayFlow::on_key(KV_PlayKey key) {
    if (mode_ == MODE_PLAY ? !game_ : !demo_) return;
    std::shared_ptr<KV_Player> player = env_.current_player();

    switch (key) {
        case KV_PlayKey::Escape: leave_requested_ = true; break;
        case KV_PlayKey::PrevTrack: env_.prev_track(); break;
        case KV_PlayKey::ToggleMusic: env_.toggle_music(); break;
        case KV_PlayKey::NextTrack: env_.next_track(); break;
        case KV_PlayKey::Restart:
            start_ = true;
            env_.disable_end_timer();
            break;
        case KV_PlayKey::NextLevel:
        case KV_PlayKey::PrevLevel:
            if (mode_ != MODE_PLAY) break;
            if (player) {
                const int32_t step = key == KV_PlayKey::NextLevel ? 1 : -1;
                player->set_current_level_number(player->get_current_level_number() + step);
            }
            env_.disable_end_timer();
            start_ = true;
            break;
        default: break;
    }

    const int32_t step = kv_speed_step(key);
    if (mode_ == MODE_PLAY) {
        if (!player || !game_) return;
        if (step) game_->set_game_speed(game_->get_game_speed() + step);
        const int32_t before = player->get_game_speed();
        player->set_game_speed(game_->get_game_speed());
        if (player->get_game_speed() != before) env_.save_player(*player);
    } else if (mode_ == MODE_REPLAY_LAST || mode_ == MODE_REPLAY_FILE) {
        if (player && demo_ && step) demo_->SetGameSpeed(demo_->GetGameSpeed() + step);
    }
}
