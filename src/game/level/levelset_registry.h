#pragma once
// The level-set format registry: file-extension patterns ("?" stands for one
// digit, letters match without regard to case) -> a prototype level set.
// Filled by static registrars before main, never changed afterwards.
#include <memory>
#include <string>

#include "game/level/level_base.h"

// False (and the existing entry kept) when the pattern is already registered.
bool register_levelset_format(const std::string& pattern, std::shared_ptr<KV_LevelSetBase> prototype);
// The characters after the last "." of the whole path (a dot in a folder name
// counts too); empty without a dot.
std::string extension_of(const std::string& path);
// A new, empty set of the class registered for the path's extension, or empty.
std::shared_ptr<KV_LevelSetBase> find_levelset_format(const std::string& path);
// The loaded set, or empty when no class matches or the file does not load.
std::shared_ptr<KV_LevelSetBase> open_levelset(const std::string& path);
// "*." + pattern + ";" for every pattern in the registry's order.
std::string levelset_file_filter();
