// The current user's temporary directory, as far as it is safe to clear.
#pragma once

#include <string>

// The temporary directory as the platform tells it, trailing backslash included; empty when
// the platform cannot tell it, when it does not fit MAX_PATH, or when it is only a fallback
// (a drive root, the Windows or system directory, or the user's profile itself).
std::string GetTempDirectory();
