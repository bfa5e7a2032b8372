#include "cleaner/list_lines.h"

namespace {

bool EndsEntry(char byte) { return byte == '\r' || byte == '\n' || byte == '\0'; }

}  // namespace

std::vector<std::string> SplitListLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] != '\0') {
    std::size_t end = pos;
    while (end < text.size() && !EndsEntry(text[end])) ++end;
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}
