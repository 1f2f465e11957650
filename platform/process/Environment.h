#pragma once
// This process's environment, which the programs it starts inherit.
#include <string>

namespace platform {

// Sets `name` to `value`; with `replace` false an existing value is kept.
// False when the environment cannot take it (an empty name or one with "=").
bool SetEnvironmentValue(const std::string& name, const std::string& value, bool replace = true);
// The value of `name`; empty when it is not set.
std::string EnvironmentValue(const std::string& name);

}  // namespace platform
