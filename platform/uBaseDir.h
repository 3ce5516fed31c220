#pragma once
// Every file the program reads or writes lies under BaseDir, the folder it was started in.

#include <string>
#include <string_view>

extern std::string BaseDir;

// BaseDir joined with a relative name.
std::string BasePath(std::string_view name);
