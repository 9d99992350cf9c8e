#include "support/field_from_text.h"

#include <stdexcept>

#include <ClanLib/Core/System/error.h>

#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"

TileMeaning tile_meaning(char c) {
    using T = KV_ObjectType;
    switch (c) {
        case ' ': return {1, T::Empty};
        case '#': return {3, T::Hardware};
        case '.': return {1, T::Base};
        case 'O': return {1, T::Grobble};
        case 'R': return {1, T::RAM};
        case 'q': return {1, T::Quarkel};
        case 'E': return {1, T::Exit};
        case 'T': return {1, T::Terminal};
        case 'y': return {1, T::Disk_Yellow};
        case 'r': return {1, T::Disk_Red};
        case 'o': return {1, T::Disk_Orange};
        case 'B': return {1, T::Bug};
        case 'W': return {1, T::Invisible_Wall};
        case 'C': return {1, T::Grobble_Clone};
        case 'P': return {2, T::Pellik};
        case 'S': return {2, T::Pellik_Static};
        case 'G': return {2, T::Gnarrow};
        case 'e': return {2, T::Electron};
        case 'v': return {3, T::Port_U_To_D};
        case '^': return {3, T::Port_D_To_U};
        case '>': return {3, T::Port_L_To_R};
        case '<': return {3, T::Port_R_To_L};
        case '-': return {3, T::Port_Horizontal};
        case '|': return {3, T::Port_Vertical};
        case '+': return {3, T::Port_Cross};
    }
    throw std::invalid_argument(std::string("unknown tile character '") + c + "'");
}

namespace {
char glyph(TestField& f, int x, int y) {
    using T = KV_ObjectType;
    const KV_Cell& l2 = f.at(KV_LAYER_MOVERS, x, y);
    if (l2.is(T::Pellik)) return 'P';
    if (l2.is(T::Pellik_Move_Temp)) return 'm';
    switch (f.at(KV_LAYER_ITEMS, x, y).object_type()) {
        case T::Empty: break;
        case T::Base: return '.';
        case T::Grobble: return 'O';
        case T::RAM: return 'R';
        case T::Quarkel: return 'q';
        case T::Disk_Orange: return 'o';
        case T::Grobble_Clone: return 'C';
        default: return '~';
    }
    switch (f.at(KV_LAYER_FIXTURES, x, y).object_type()) {
        case T::Empty: return ' ';
        case T::Hardware: return '#';
        case T::Explosion: return '*';
        default: return '?';
    }
}
}  // namespace

std::vector<std::string> field_picture(TestField& f) {
    std::vector<std::string> rows;
    for (int y = 0; y < f.level->get_height(); ++y) {
        std::string row;
        for (int x = 0; x < f.level->get_width(); ++x) row += glyph(f, x, y);
        rows.push_back(row);
    }
    return rows;
}

void put_cell(KV_Level& level, int layer, int x, int y, KV_ObjectType type) {
    KV_Logic::set_cell(level.at(layer, x, y), type);
}

TestField FieldFromText(const std::vector<std::string>& rows) {
    if (rows.empty() || rows[0].empty()) throw std::invalid_argument("empty picture");
    const int w = int(rows[0].size()), h = int(rows.size());
    TestField f;
    f.level = std::make_shared<KV_Level>(w, h);
    KV_Level& level = *f.level;
    for (int y = 0; y < h; ++y) {
        if (int(rows[y].size()) != w) throw std::invalid_argument("rows of different width");
        for (int x = 0; x < w; ++x) {
            for (int l = 0; l < KV_LAYER_COUNT; ++l) put_cell(level, l, x, y, KV_ObjectType::Empty);
            const TileMeaning m = tile_meaning(rows[y][x]);
            put_cell(level, m.layer, x, y, m.type);
            if (m.type == KV_ObjectType::Quarkel) level.get_status()->inc_quarkels_present();
            if (m.type == KV_ObjectType::Pellik && !level.get_has_player()) {
                level.set_player_pos(x, y);
                *level.get_player_cell() = level.at(KV_LAYER_MOVERS, x, y);
                level.set_has_player(true);
            }
        }
    }
    f.game.set_level(f.level);
    return f;
}

void TestField::tick(int32_t keys) {
    *level->get_input() = keys;
    game.process();
}

std::string TestField::layer_text(int layer) const {
    std::string out;
    for (int y = 0; y < level->get_height(); ++y) {
        for (int x = 0; x < level->get_width(); ++x) {
            const uint16_t t = level->at(layer, x, y).type;
            out += t == 0 ? ' ' : char(t < 10 ? '0' + t : t < 36 ? 'a' + t - 10 : 'A' + t - 36);
        }
        out += '\n';
    }
    return out;
}

std::vector<std::string> room(int size) {
    std::vector<std::string> rows(size_t(size), "#" + std::string(size_t(size - 2), ' ') + "#");
    rows.front() = rows.back() = std::string(size_t(size), '#');
    return rows;
}

std::string fatal_message(const std::function<void()>& run) {
    try {
        run();
    } catch (const CL_Error& e) {
        return e.message;
    }
    return "(no error)";
}
