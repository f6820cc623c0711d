#include "common/programend.h"

#include <cstdio>
#include <unistd.h>
#include <utility>

namespace vk {

namespace {
std::function<void()> g_end;
}

void endProgram() {
    if (g_end) {
        g_end();
        return;
    }
    std::fflush(nullptr);
    ::_exit(0);
}

std::function<void()> setProgramEnd(std::function<void()> end) {
    return std::exchange(g_end, std::move(end));
}

} // namespace vk
