#include "shell/uMessageBox.h"

#include <utility>

namespace {
tMessageBoxHook& Hook() {
    static tMessageBoxHook hook;
    return hook;
}
} // namespace

void ShowMessageBox(const std::string& text) {
    if (Hook()) {
        Hook()(text);
    }
}

tMessageBoxHook SetMessageBoxHook(tMessageBoxHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
