// DirectoryPart under a lead-byte table taken from the input, either as a bitmap or as the
// byte ranges LeadBytesFromRanges reads. The directory part is a prefix of the path that is
// empty or ends in a single-byte "\" or ":", and no single-byte separator follows it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/require.h"
#include "linkmaker/directory_part.h"

namespace {

bool IsSeparator(char byte) { return byte == '\\' || byte == ':'; }

// The table LeadBytesFromRanges must build: every byte inside a pair before the first
// zero pair.
LeadByteTable ExpectedTable(const std::vector<unsigned char>& ranges) {
  LeadByteTable table{};
  for (std::size_t i = 0; i + 1 < ranges.size(); i += 2) {
    if (ranges[i] == 0 && ranges[i + 1] == 0) break;
    for (unsigned value = 0; value < 256; ++value) {
      if (value >= ranges[i] && value <= ranges[i + 1]) table[value] = true;
    }
  }
  return table;
}

LeadByteTable TableFromInput(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) {
    LeadByteTable table{};
    for (bool& lead : table) lead = input.ConsumeBool();
    return table;
  }
  const std::vector<unsigned char> ranges =
      input.ConsumeBytes<unsigned char>(input.ConsumeIntegralInRange<std::size_t>(0, 12));
  const LeadByteTable table = LeadBytesFromRanges(ranges.data(), ranges.size());
  Require(table == ExpectedTable(ranges), "lead bytes are the listed ranges");
  return table;
}

// Start of each character: a lead byte with a byte after it takes two.
std::vector<bool> CharacterStarts(const std::string& path, const LeadByteTable* leadBytes) {
  std::vector<bool> starts(path.size() + 1, false);
  for (std::size_t pos = 0; pos <= path.size();) {
    starts[pos] = true;
    const bool lead = leadBytes != nullptr && pos + 1 < path.size() &&
                      (*leadBytes)[static_cast<unsigned char>(path[pos])];
    pos += lead ? 2 : 1;
  }
  return starts;
}

// True when `pos` starts a single-byte character that is a separator.
bool SeparatorAt(const std::string& path, const std::vector<bool>& starts, std::size_t pos,
                 const LeadByteTable* leadBytes) {
  const bool lead = leadBytes != nullptr && pos + 1 < path.size() &&
                    (*leadBytes)[static_cast<unsigned char>(path[pos])];
  return starts[pos] && !lead && IsSeparator(path[pos]);
}

void CheckDirectoryPart(const std::string& path, const LeadByteTable* leadBytes) {
  const std::string part = DirectoryPart(path, leadBytes);
  Require(path.compare(0, part.size(), part) == 0, "the part is a prefix of the path");
  const std::vector<bool> starts = CharacterStarts(path, leadBytes);
  Require(starts[part.size()], "the part ends between characters");
  Require(part.empty() || SeparatorAt(path, starts, part.size() - 1, leadBytes),
          "the part ends in a single-byte separator");
  for (std::size_t pos = part.size(); pos < path.size(); ++pos) {
    Require(!SeparatorAt(path, starts, pos, leadBytes), "no separator follows the part");
  }
  Require(DirectoryPart(part, leadBytes) == part, "the part is its own directory part");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const LeadByteTable table = TableFromInput(input);
  const std::string path = input.ConsumeRemainingBytesAsString();
  CheckDirectoryPart(path, &table);
  CheckDirectoryPart(path, nullptr);
  const std::size_t cut = path.find_last_of("\\:");
  Require(DirectoryPart(path, nullptr) == path.substr(0, cut == std::string::npos ? 0 : cut + 1),
          "without a table the part ends at the last separator");
  return 0;
}
