#pragma once
// Finding the skins and languages on disk. Names are the program's 8-bit texts; paths are file system bytes.

#include <string>
#include <string_view>
#include <vector>

// The path of a name in the program's code page, for a file under a folder path.
std::string PathOfName(std::string_view folder, std::string_view name);

// Files "<name>.lng" in the folder, of any attribute, as their names sorted ignoring letter case. Not listed:
// folders, "(Default)" (exactly so spelled), an empty name, and names the code page cannot spell.
std::vector<std::string> ListLanguageNames(const std::string& folder);

// Plain folders of the folder that hold a file "skin.ini", sorted ignoring letter case. Not listed: hidden
// (name starting with ".") or read-only folders, "(Default)", and names the code page cannot spell.
std::vector<std::string> ListSkinNames(const std::string& folder);

// A regular file (or a link to one) exists at the path.
bool FileExists(const std::string& path);
