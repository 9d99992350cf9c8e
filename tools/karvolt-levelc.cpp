// The level compiler: turns a text source (see game/level/level_writer.h) into
// a classic or extended level-set file, and lists what a level-set file holds.
//
//   karvolt-levelc SOURCE OUTPUT     compile
//   karvolt-levelc --list FILE       one line per level, read through the registry
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "game/level/hexmoor_level.h"
#include "game/level/level_base.h"
#include "game/level/level_record.h"
#include "game/level/level_writer.h"
#include "game/level/levelset_registry.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: karvolt-levelc SOURCE OUTPUT\n"
                 "       karvolt-levelc --list LEVELSET_FILE\n");
    return 2;
}

int list(const std::string& path) {
    std::shared_ptr<KV_LevelSetBase> set = open_levelset(path);
    if (!set) {
        std::fprintf(stderr, "%s: not a level set that loads\n", path.c_str());
        return 1;
    }
    for (int i = 0; i < set->GetCount(); ++i) {
        std::shared_ptr<KV_LevelBase> level = set->GetLevel(i);
        auto* content = dynamic_cast<KV_TorvaneLevelBase*>(level.get());
        if (!content) {
            std::printf("%3d  (does not load)\n", i);
            continue;
        }
        std::printf("%3d  %3dx%-3d quota %3d  ports %2d%s%s  \"%s\"\n", i, content->GetWidth(), content->GetHeight(),
                    content->GetQuarkelsNeeded(), content->GetSpecialPortCount(),
                    content->GetGravity() ? "  gravity" : "", content->GetFreezeGrobbles() ? "  frozen" : "",
                    level->GetTitle().c_str());
    }
    return 0;
}

int compile(const std::string& source_path, const std::string& output_path) {
    std::ifstream in(source_path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", source_path.c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    KV_LevelSetDraft set;
    std::string error;
    if (!kv_parse_level_source(text, set, error)) {
        std::fprintf(stderr, "%s: %s\n", source_path.c_str(), error.c_str());
        return 1;
    }
    // The registry decides which class would read the file: the source's format must be that class's.
    const std::shared_ptr<KV_LevelSetBase> reader = find_levelset_format(output_path);
    if (!reader) {
        std::fprintf(stderr, "%s: no level-set format has the extension '%s'\n", output_path.c_str(),
                     extension_of(output_path).c_str());
        return 1;
    }
    const bool file_extended = dynamic_cast<KV_HexmoorLevelset*>(reader.get()) != nullptr;
    if (file_extended != (set.format != KV_SetFormat::Classic)) {
        std::fprintf(stderr, "%s: the source is a %s set, name the file *.%s\n", output_path.c_str(),
                     file_extended ? "classic" : "extended", kv_levelset_extension(set.format));
        return 1;
    }
    const std::vector<uint8_t> bytes = kv_encode_levelset(set);
    std::ofstream out(output_path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: cannot write\n", output_path.c_str());
        return 1;
    }
    std::printf("%s: %zu levels, %zu bytes\n", output_path.c_str(), set.levels.size(), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--list") return list(argv[2]);
    if (argc == 3 && argv[1][0] != '-') return compile(argv[1], argv[2]);
    return usage();
}
