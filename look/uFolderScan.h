// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the skins and languages on disk. Names are the program's 8-bit texts; paths are file system bytes.

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class tChoiceList;

// The path of a name in the program's code page, for a file under a folder path.
std::string PathOfName(std::string_view folder, std::string_view name);

// A language file's name as the program keeps it, in a player's options too: its letters in the code page,
// and each letter the code page has no room for as "&#<code point>;", so that "Français" can be kept in
// Windows-1251 as "Fran&#231;ais".
std::string NameOfFile(const QString& fileName);
// The file name a kept name stands for, as the lists show it: "Fran&#231;ais" is "Français". Only a letter
// the code page cannot spell is read so; any other "&#...;" stays as it is.
QString ShownName(std::string_view name);

// Files "<name>.lng" in the folder, of any attribute, as their names (NameOfFile) sorted ignoring letter
// case. Not listed: folders, "(Default)" (exactly so spelled), an empty name, and a name that would read back
// as another (one that itself spells "&#231;").
std::vector<std::string> ListLanguageNames(const std::string& folder);

// Plain folders of the folder that hold a file "skin.ini", sorted ignoring letter case. Not listed: hidden
// (name starting with ".") or read-only folders, "(Default)", and names the code page cannot spell.
std::vector<std::string> ListSkinNames(const std::string& folder);

// The names of every folder of a search path, each once, sorted ignoring letter case: a name the first
// folders hold hides the same name further on.
std::vector<std::string> ListLanguageNames(const std::vector<std::string>& folders);
std::vector<std::string> ListSkinNames(const std::vector<std::string>& folders);

// The first "<folder>/<name><suffix>" of the search path that exists as a file; the one under the first
// folder when none does.
std::string FindOnPath(const std::vector<std::string>& folders, std::string_view name,
                       std::string_view suffix);

// A regular file (or a link to one) exists at the path.
bool FileExists(const std::string& path);

// No skin.ini or language file comes near this size; a larger one is refused unread, as if it were not
// there, since reading it would cost time and memory in proportion.
inline constexpr size_t kMaxLookFileBytes = 1024 * 1024;

// A stored name that can stand for a file of its folder only: no path separator, not "." or "..".
bool IsPlainName(std::string_view name);

// The file a stored skin or language name stands for, fileOf(name) giving the path to look for. The list's
// own spelling wins when it holds the name in another letter case, and name takes that spelling. Empty when
// no file exists, or only one larger than kMaxLookFileBytes; the list's entry is then removed.
std::string ResolveChoice(tChoiceList& list, std::string& name,
                          const std::function<std::string(std::string_view)>& fileOf);
