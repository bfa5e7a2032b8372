// WithTrailingSeparator and WalkPrefix on any string: the result starts with the input,
// ends in a separator unless empty, is unchanged when the input already ends in ":" or "\",
// and adds "\" (or ":\" for a lone drive letter, WithTrailingSeparator only) otherwise.
#include <cstddef>
#include <cstdint>
#include <string>

#include "cleaner/tree_delete.h"
#include "fuzz/require.h"

namespace {

bool EndsInSeparator(const std::string& path) {
  return !path.empty() && (path.back() == ':' || path.back() == '\\');
}

bool IsLoneLetter(const std::string& path) {
  return path.size() == 1 &&
         ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

void CheckCommon(const std::string& path, const std::string& result) {
  Require(result.compare(0, path.size(), path) == 0, "the result starts with the input");
  Require(result.empty() == path.empty(), "only the empty input stays empty");
  Require(result.empty() || EndsInSeparator(result), "the result ends in a separator");
  if (path.empty() || EndsInSeparator(path)) Require(result == path, "unchanged when ended");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string withSeparator = WithTrailingSeparator(path);
  CheckCommon(path, withSeparator);
  Require(WithTrailingSeparator(withSeparator) == withSeparator, "adding it twice adds once");
  if (!path.empty() && !EndsInSeparator(path)) {
    Require(withSeparator == path + (IsLoneLetter(path) ? ":\\" : "\\"), "what is added");
  }

  const std::string prefix = WalkPrefix(path);
  CheckCommon(path, prefix);
  // A lone letter is a relative directory to the walk, never a drive.
  Require(prefix == (IsLoneLetter(path) ? path + "\\" : withSeparator), "walk prefix");
  return 0;
}
