#pragma once
// Our images are checked before ClanLib's image loader sees them: it aborts the
// program on a damaged PNG instead of reporting it, so a damaged file would never
// reach the error box.
#include <string>

class CL_ResourceManager;

// A PNG whose every chunk is whole and carries its checksum, from IHDR to IEND.
// False, with why, for anything else (also a folder, a device, a file too big).
bool kv_png_intact(const std::string& path, std::string& why);

// Every PNG that a resource of the manager names ("file" attributes, relative to
// the folder of resource_file): throws CL_Error naming the first damaged one.
void kv_check_resource_images(CL_ResourceManager& resources, const std::string& resource_file);
