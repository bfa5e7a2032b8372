#include "cleaner/temp_guard.h"

namespace {

std::string Normalised(const std::string& path) {
  std::string result = path;
  while (!result.empty() && result.back() == '\\') result.pop_back();
  for (char& byte : result) {
    if (byte >= 'a' && byte <= 'z') byte = static_cast<char>(byte - 0x20);
  }
  return result;
}

// "C:", "C:\", "\", "\\server\share\" and the like: a whole volume.
bool IsRoot(const std::string& normalised) {
  if (normalised.empty()) return true;
  if (normalised.size() == 2 && normalised[1] == ':') return true;
  if (normalised.rfind("\\\\", 0) == 0) {
    const std::size_t share = normalised.find('\\', 2);
    return share == std::string::npos || normalised.find('\\', share + 1) == std::string::npos;
  }
  return false;
}

}  // namespace

bool IsProtectedDirectory(const std::string& path,
                          const std::vector<std::string>& systemDirectories) {
  const std::string candidate = Normalised(path);
  if (IsRoot(candidate)) return true;
  for (const std::string& directory : systemDirectories) {
    if (!directory.empty() && Normalised(directory) == candidate) return true;
  }
  return false;
}
