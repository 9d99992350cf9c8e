#pragma once
// What both level formats share: the tile codes, the 96-byte information block
// that ends every record, the rules applied after parsing (forced border,
// counted quota), and the level object that holds the parsed content.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/level/level_base.h"

// One byte per tile, the same in both formats.
enum KV_TileCode : uint8_t {
    KV_TILE_EMPTY = 0,
    KV_TILE_GROBBLE = 1,
    KV_TILE_BASE = 2,
    KV_TILE_PLAYER = 3,
    KV_TILE_QUARKEL = 4,
    KV_TILE_RAM = 5,
    KV_TILE_HARDWARE = 6,
    KV_TILE_EXIT = 7,
    KV_TILE_DISK_ORANGE = 8,
    KV_TILE_PORT_L_TO_R = 9,
    KV_TILE_PORT_U_TO_D = 10,
    KV_TILE_PORT_R_TO_L = 11,
    KV_TILE_PORT_D_TO_U = 12,
    // The one-way ports that a special-port record may switch.
    KV_TILE_SPECIAL_L_TO_R = 13,
    KV_TILE_SPECIAL_U_TO_D = 14,
    KV_TILE_SPECIAL_R_TO_L = 15,
    KV_TILE_SPECIAL_D_TO_U = 16,
    KV_TILE_GNARROW = 17,
    KV_TILE_DISK_YELLOW = 18,
    KV_TILE_TERMINAL = 19,
    KV_TILE_DISK_RED = 20,
    KV_TILE_PORT_VERTICAL = 21,
    KV_TILE_PORT_HORIZONTAL = 22,
    KV_TILE_PORT_CROSS = 23,
    KV_TILE_ELECTRON = 24,
    KV_TILE_BUG = 25,
    KV_TILE_RAM_1 = 26,
    KV_TILE_RAM_2 = 27,
    KV_TILE_HARDWARE_1 = 28,  // .. 37: Hardware variants 1..10
    KV_TILE_HARDWARE_10 = 37,
    KV_TILE_RAM_3 = 38,
    KV_TILE_RAM_4 = 39,
    KV_TILE_INVISIBLE_WALL = 40,
};

// Offsets inside the information block.
namespace KV_InfoBlock {
constexpr size_t SIZE = 96;
constexpr size_t GRAVITY = 4;
constexpr size_t BYTE5 = 5;
constexpr size_t TITLE = 6;
constexpr size_t TITLE_LENGTH = 23;
constexpr size_t FREEZE_GROBBLES = 29;
constexpr size_t QUARKELS_NEEDED = 30;
constexpr size_t PORT_COUNT = 31;
constexpr size_t PORTS = 32;
constexpr size_t PORT_SIZE = 6;
constexpr int MAX_PORTS = 10;
// Inside one port record.
constexpr size_t PORT_GRAVITY = 2;
constexpr size_t PORT_FREEZE_GROBBLES = 3;
constexpr size_t PORT_FREEZE_ENEMIES = 4;
}  // namespace KV_InfoBlock

// The 23 title bytes as code page 1251, Cyrillic letters in Latin; the length never changes.
std::string transliterate_title(const std::string& s);

// Everything a level record yields.
struct KV_LevelContent {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> raw;
    std::vector<uint8_t> tiles;
    std::vector<KV_SpecialPort> ports;
    int32_t quarkels_needed = 0;
    std::string title;
    bool gravity = false;
    bool freeze_grobbles = false;
    int32_t info_byte5 = 0;
};

// The level object both formats share: parsed content, revision and the
// accessors of both interfaces. Subclasses add the type, the parser and Create.
class KV_StoredLevel : public KV_LevelBase, public KV_TorvaneLevelBase {
public:
    int GetRevision() const override { return revision_; }
    std::string GetTitle() const override { return content_.title; }
    std::shared_ptr<KV_Level> ToGenericLevel() const override;
    bool GetData(std::vector<uint8_t>& out) const override;

    int GetWidth() const override { return content_.width; }
    int GetHeight() const override { return content_.height; }
    int GetQuarkelsNeeded() const override { return content_.quarkels_needed; }
    bool GetGravity() const override { return content_.gravity; }
    bool GetFreezeGrobbles() const override { return content_.freeze_grobbles; }
    int GetSpecialPortCount() const override { return int(content_.ports.size()); }
    int GetInfoByte5() const override { return content_.info_byte5; }
    std::vector<KV_SpecialPort> GetSpecialPorts() const override { return content_.ports; }
    int GetTile(int x, int y) const override { return content_.tiles[size_t(y * content_.width + x)]; }
    void SetTile(int x, int y, uint8_t code) override { content_.tiles[size_t(y * content_.width + x)] = code; }
    bool IsBugUnpredictable() const override { return revision_ == KV_LEVEL_REVISION_OLD; }
    size_t GetTileCount() const override { return content_.tiles.size(); }

protected:
    KV_StoredLevel(int32_t width, int32_t height, int revision) : revision_(revision) {
        content_.width = width;
        content_.height = height;
    }
    // Takes a record the format has checked: width x height tiles from
    // tiles_at, then the information block. The outer ring becomes Hardware
    // whatever the file had there, and a quota of 0 counts the quarkels left.
    void take_record(const std::vector<uint8_t>& record, int32_t width, int32_t height, size_t tiles_at);

    KV_LevelContent content_;
    int revision_;
};
