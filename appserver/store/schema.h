#pragma once

#include <vector>

namespace vk::server {

// The schema as a list of migrations; migration i (counted from 0) takes version i to i + 1.
// Each migration is a list of single SQL statements.
const std::vector<std::vector<const char*>>& schemaMigrations();

} // namespace vk::server
