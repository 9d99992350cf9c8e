#pragma once
// Writing level sets: level drafts encoded as classic or extended records, and
// the text source format our own level sets are written in.
//
// A source holds one level set:
//
//   # a comment (outside maps)
//   format: classic              (or "extended", or "extended-blank" for the
//                                 blank header version without a body size)
//   legend: 1 = 28               (a map character for any tile code, from here on)
//   level:
//   title: First steps           (at most 23 characters)
//   quota: 0                     (0..255; 0 counts the quarkels)
//   gravity: off                 (on / off)
//   freeze: off                  (grobbles frozen at the start: on / off)
//   port: 12 5 gravity freeze-grobbles freeze-enemies   (column, row, switches;
//                                 the tile there must be a one-way port)
//   map:
//   ####...                      (one character a tile; classic maps are 60 x 24,
//   ...                           extended ones 3..256 each way; the outer ring is '#')
//   end
//
// Map characters (the same as the test pictures): ' ' empty, '#' hardware,
// '.' base, 'O' grobble, 'R' RAM, 'q' quarkel, 'E' exit, 'T' terminal,
// 'y' yellow disk, 'r' red disk, 'o' orange disk, 'B' bug, 'W' invisible wall,
// 'P' player (a second 'P' stays still), 'G' gnarrow, 'e' electron,
// '>' '<' 'v' '^' one-way ports, '-' '|' '+' horizontal, vertical, cross ports,
// '1'..'9' and '0' hardware variants 1..10.
#include <cstdint>
#include <string>
#include <vector>

#include "game/level/level_base.h"

struct KV_LevelDraft {
    int32_t width = 60;
    int32_t height = 24;
    std::vector<uint8_t> tiles;  // width x height, row by row
    std::string title;           // blank-padded (or cut) to 23 bytes when written
    uint8_t quarkels_needed = 0;
    bool gravity = false;
    bool freeze_grobbles = false;
    uint8_t info_byte5 = 0;
    std::vector<KV_SpecialPort> ports;  // at most ten; positions must fit 15 bits
};

enum class KV_SetFormat { Classic, Extended, ExtendedBlank };

struct KV_LevelSetDraft {
    KV_SetFormat format = KV_SetFormat::Classic;
    std::vector<KV_LevelDraft> levels;
};

// The 96-byte information block of a draft.
std::vector<uint8_t> kv_encode_info_block(const KV_LevelDraft& draft);
// A 1536-byte record; the draft must be 60 x 24.
std::vector<uint8_t> kv_encode_classic_record(const KV_LevelDraft& draft);
// Header, tiles and information block; version 1 records carry their body size.
std::vector<uint8_t> kv_encode_extended_record(const KV_LevelDraft& draft, bool blank_version = false);
// All records of the set back to back.
std::vector<uint8_t> kv_encode_levelset(const KV_LevelSetDraft& set);

// Parses a source; on failure error holds "line N: what" and out is unchanged.
bool kv_parse_level_source(const std::string& text, KV_LevelSetDraft& out, std::string& error);
// The file-name extension a set of this format is written with.
const char* kv_levelset_extension(KV_SetFormat format);
