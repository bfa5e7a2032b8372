// Which temporary-directory paths the cleaner must never clear.
#pragma once

#include <string>
#include <vector>

// True when `path` is a drive or share root, or, ignoring ASCII case and trailing
// backslashes, the same path as one of `systemDirectories` (empty entries are ignored).
bool IsProtectedDirectory(const std::string& path,
                          const std::vector<std::string>& systemDirectories);
