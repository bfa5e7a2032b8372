// The string rules of the walk, free of any platform call.
#include "cleaner/tree_delete.h"

namespace {

bool IsAsciiLetter(char byte) {
  const char upper = (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 0x20) : byte;
  return upper >= 'A' && upper <= 'Z';
}

}  // namespace

std::string WithTrailingSeparator(const std::string& path) {
  if (path.empty() || path.back() == ':' || path.back() == '\\') return path;
  if (path.size() == 1 && IsAsciiLetter(path[0])) return path + ":\\";
  return path + "\\";
}

std::string WalkPrefix(const std::string& directory) {
  // The existence test and the removal read a lone letter as a relative name; the walk must
  // read it the same way rather than as the root of that drive.
  if (directory.size() == 1 && IsAsciiLetter(directory[0])) return directory + "\\";
  return WithTrailingSeparator(directory);
}
