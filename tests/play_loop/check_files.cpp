// What a play-through left in its working folder, read back by the game's own
// loaders: each player's speed and progress per level set, and each demo
// file replayed without a window to its end.
//   player NAME speed=S
//   stat SET states=2,0 current=1
//   demo FILE player=NAME set=SET level=N ticks=T result=R
//   options player=NAME
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/players/options.h"
#include "game/play/game.h"
#include "app/players/player.h"
#include "game/objects/interfaces.h"
#include "game/play/demo.h"

namespace {

std::vector<std::string> files_of(const std::string& dir) {
    std::vector<std::string> files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') files.push_back(e->d_name);
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    for (const std::string& f : files_of(dir + "/Players")) {
        KV_Player player;
        if (!player.load(dir + "/Players/" + f)) continue;
        std::printf("player %s speed=%d\n", player.get_name().c_str(), player.get_game_speed());
        for (const auto& [key, stat] : player.get_stats()) {
            std::string states;
            for (int32_t s : stat->levels_state()) states += (states.empty() ? "" : ",") + std::to_string(s);
            std::printf("stat %s states=%s current=%d\n", stat->get_name().c_str(), states.c_str(),
                        stat->get_current_level());
        }
    }

    install_rules();
    for (const std::string& f : files_of(dir + "/Demos")) {
        Qx::BtsFolder folder;
        std::shared_ptr<KV_Demo> demo = folder.load(dir + "/Demos/" + f) ? KV_Demo::Load(folder) : nullptr;
        if (!demo) {
            std::printf("demo %s unreadable\n", f.c_str());
            continue;
        }
        KV_PlayHost quiet;
        int ticks = 0;
        while (demo->TickNext(quiet)) ++ticks;
        std::printf("demo %s player=%s set=%s level=%d ticks=%d result=%d\n", f.c_str(), demo->GetPlayer().c_str(),
                    demo->GetLevelset().c_str(), demo->GetLevelNumber(), ticks, int(demo->GetState()));
    }

    KV_Options options;
    if (options.load(dir + "/options.bts")) std::printf("options player=%s\n", options.get_player().c_str());
    return 0;
}
