#pragma once
// Builds a small playing field from a text picture, one character a tile, and
// runs it tick by tick with scripted key masks.
//
//   '#' Hardware    '.' Base        'O' Grobble     'R' RAM         'q' Quarkel
//   'E' Exit        'T' Terminal    'y' yellow disk 'r' red disk    'o' orange disk
//   'B' Bug         'W' invisible wall              'C' Grobble clone
//   'P' Pellik      'S' Pellik_Static               'G' Gnarrow     'e' Electron
//   'v' port up->down  '^' port down->up  '>' port left->right  '<' port right->left
//   '-' horizontal port  '|' vertical port  '+' cross port     ' ' empty
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/level/level.h"
#include "game/level/object_type.h"
#include "game/play/game.h"

struct TestField {
    std::shared_ptr<KV_Level> level;
    KV_Game game;

    // One logic tick with the given key mask as the tick's input.
    void tick(int32_t keys = 0);
    void run_ticks(int n, int32_t keys = 0) {
        for (int i = 0; i < n; ++i) tick(keys);
    }

    KV_Cell& at(int layer, int x, int y) { return level->at(layer, x, y); }
    KV_ObjectType type_at(int layer, int x, int y) { return at(layer, x, y).object_type(); }
    KV_LevelStatus& status() { return *level->get_status(); }
    int sound(int id) { return level->get_sound_events()->count(id); }
    // The layer as text, one character a cell, for failure messages.
    std::string layer_text(int layer) const;
};

// Layer and type of each picture character; throws std::invalid_argument on an unknown one.
struct TileMeaning {
    int layer;
    KV_ObjectType type;
};
TileMeaning tile_meaning(char c);

// All rows must have the same width. Prototypes and interface tables are set up.
TestField FieldFromText(const std::vector<std::string>& rows);

// The field as picture rows in the characters above: Pellik (layer 2), else
// the layer-1 object, else layer 3. '~' stands for any other layer-1 object
// (placeholders), 'm' for Pellik's move temp, '*' for fire, '?' for any other
// layer-3 object.
std::vector<std::string> field_picture(TestField& f);

// Places the prototype of `type` at (x, y) of `layer`, for hand-set cases.
void put_cell(KV_Level& level, int layer, int x, int y, KV_ObjectType type);

// A square room of hardware with an empty inside, as picture rows.
std::vector<std::string> room(int size);

// The message of the game error that `run` throws, or "(no error)".
std::string fatal_message(const std::function<void()>& run);
