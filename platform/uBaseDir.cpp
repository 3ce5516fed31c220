#include "platform/uBaseDir.h"

std::string BaseDir = ".";

std::string BasePath(std::string_view name) {
    return BaseDir + "/" + std::string(name);
}
