#pragma once

// Ending the program at once: nothing more runs, nothing is saved. Tests replace the ending so
// that they can see it happen; callers return right after calling it.

#include <functional>

namespace vk {

void endProgram();

// Replaces what endProgram does (an empty function restores the real end). Returns the previous.
std::function<void()> setProgramEnd(std::function<void()> end);

} // namespace vk
