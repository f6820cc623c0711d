// Deployment data: disk serials that are known not to identify one workstation, and the
// identifiers the server registered for them instead.

#include "common/workstation.h"

#include <span>

namespace vk {

namespace {

// Serials reported by the imaged disks of the distributor's own counter terminals all map to
// the terminals' shared registration; the all-zero serial that some disks report gets a suffix
// so that it cannot be mistaken for a real one.
constexpr MachineIdAlias kAliases[] = {
    {"WD-WCC6Y4KJ2RXN", "4401902337"},
    {"S3Z9NB0K512843F", "4401902337"},
    {"Z4Y1M7QH", "4401902337"},
    {"00000000000000000000", "00000000000000000000VELKOR"},
};

} // namespace

std::span<const MachineIdAlias> machineIdAliases() {
    return kAliases;
}

} // namespace vk
