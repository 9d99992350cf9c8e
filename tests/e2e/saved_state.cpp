// Prints what a run of the game left in a working folder, read back by the
// game's own loaders: the options, then every player file of "Players".
//   options loaded=1 music=1 player=NAME
//   player FILE loaded=1 name=NAME speed=50
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/players/options.h"
#include "app/players/player.h"

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    KV_Options options;
    const bool loaded = options.load(dir + "/options.bts");
    std::printf("options loaded=%d music=%d player=%s\n", loaded, options.get_music(), options.get_player().c_str());

    std::vector<std::string> files;
    if (DIR* d = opendir((dir + "/Players").c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') files.push_back(e->d_name);
        closedir(d);
    }
    std::sort(files.begin(), files.end());
    for (const std::string& f : files) {
        KV_Player player;
        const bool ok = player.load(dir + "/Players/" + f);
        std::printf("player %s loaded=%d name=%s speed=%d\n", f.c_str(), ok, player.get_name().c_str(),
                    player.get_game_speed());
    }
    return 0;
}
