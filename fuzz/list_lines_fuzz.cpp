// SplitListLines on any bytes: re-joining the lines with the line ends found between them
// gives back the text up to its first NUL, and no line holds CR, LF or NUL. Short inputs are
// also stretched into huge lines with the same line ends.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cleaner/list_lines.h"
#include "fuzz/require.h"

namespace {

bool IsLineEnd(char byte) { return byte == '\r' || byte == '\n' || byte == '\0'; }

void CheckSplit(std::string_view text) {
  const std::vector<std::string> lines = SplitListLines(text);
  const std::size_t textEnd = std::min(text.find('\0'), text.size());
  std::size_t pos = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    Require(pos < textEnd, "each line starts inside the text");
    Require(text.compare(pos, line.size(), line) == 0, "lines are the text's own bytes");
    for (const char byte : line) Require(!IsLineEnd(byte), "no line holds a line end");
    pos += line.size();
    const std::size_t lineEnd = pos;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    // Only the last line may end without CR or LF: at the NUL or at the end of the text.
    Require(pos > lineEnd || (lineEnd == textEnd && i + 1 == lines.size()), "line ends");
  }
  Require(pos == textEnd, "the lines cover the text up to its first NUL");
}

// Every byte that is no line end repeated, so that lines run to hundreds of kilobytes.
std::string Stretched(std::string_view text, std::size_t factor) {
  std::string stretched;
  for (const char byte : text) stretched.append(IsLineEnd(byte) ? 1 : factor, byte);
  return stretched;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckSplit(text);
  if (size <= 24) CheckSplit(Stretched(text, 1024));
  return 0;
}
